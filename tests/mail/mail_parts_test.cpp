// The mail operations on their parts alone: the accounts, a tree, a table, a status dialog and a
// view that only records what it is asked. No main window.
#include "accounts/account_list.h"
#include "dialogs/status_dialog.h"
#include "mail/mail_check.h"
#include "mail/mail_operations.h"
#include "mail/mail_view.h"
#include "pop3/pop3_client.h"
#include "tests/support/fake_notifier.h"
#include "tests/support/fake_pop3_server.h"
#include "tests/support/message_script.h"
#include "tests/support/temp_working_dir.h"
#include "widgets/account_tree.h"
#include "widgets/message_grid.h"

#include <QTest>
#include <deque>
#include <gtest/gtest.h>

using test_support::FakePop3Server;

namespace {

class TRecordingView : public TMailView {
public:
    TRecordingView(TAccounts& accountList, TMessageGrid& table)
        : accounts(accountList), grid(table) {}

    void SetWindowEnabled(bool enabled) override {
        calls.push_back(enabled ? "enabled" : "disabled");
    }
    void ShowAccountRows(int index) override {
        calls.push_back("rows " + std::to_string(index));
        grid.ShowRows(accounts.At(index).Rows, accounts.At(index).Headers);
    }
    void SetRefreshed(const std::string& text) override { calls.push_back("refreshed " + text); }
    bool AskPassword(std::string& password, bool lastRejected) override {
        calls.push_back(lastRejected ? "asked again" : "asked");
        if (typed.empty()) return false;
        password = typed.front();
        typed.pop_front();
        return true;
    }
    void AbandonRunningCheck() override { calls.push_back("abandon"); }

    std::vector<std::string> calls;
    std::deque<std::string> typed; // the prompt's answers
    TAccounts& accounts;
    TMessageGrid& grid;
};

// The seen files a check writes go to a folder of the test's own.
class MailPartsTest : public test_support::TempWorkingDirTest {
protected:
    MailPartsTest() : server({Message(1), Message(2), Message(3)}, "bob", "pw") {
        mail.UseNotifier(notifier, {});
        mail.AttachStatus(status);
    }
    ~MailPartsTest() override {
        status.OnCheckReady = nullptr; // the check goes first
        status.OnClose = nullptr;
    }
    static test_support::FakeMessage Message(int n) {
        const std::string k = std::to_string(n);
        return {"From: a" + k + "@x\nSubject: S" + k, "body"};
    }
    void AddAccount(const std::string& password, bool save) {
        ASSERT_TRUE(accounts.Add("Box", "127.0.0.1:" + std::to_string(server.Port()), "bob",
                                 password, save));
        ASSERT_TRUE(accounts.Select(0, ""));
    }
    // The check's attempt is over: its status dialog closed, or saying how it failed.
    bool CheckToEnd() {
        mail.Button1Click();
        return QTest::qWaitFor(
            [&] {
                return !mail.Check().WorkerRunning() && flags.ThreadHandle == 0 &&
                       (!status.isVisible() || status.ButtonText() == "Close");
            },
            10000);
    }

    MessageScript messages;
    FakePop3Server server;
    TAccounts accounts;
    TAccountTree tree;
    TMessageGrid grid;
    TStatus status;
    FakeNotifier notifier{false, false};
    TRecordingView view{accounts, grid};
    TMailOperations mail{accounts, tree, grid, view};
    TMailFlags& flags = mail.Flags();
};

TEST_F(MailPartsTest, ACheckFillsTheTableAndTellsTheViewOnlyWhatItNeeds) {
    AddAccount("pw", true);
    ASSERT_TRUE(CheckToEnd());
    EXPECT_FALSE(status.isVisible());
    // Enabled once the table is filled, and again as the status dialog closes.
    EXPECT_EQ(view.calls,
              (std::vector<std::string>{"disabled", "refreshed " + accounts.At(0).LastRefresh,
                                        "enabled", "enabled"}));
    ASSERT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.Cell(2, 3), " S3");
    EXPECT_EQ(accounts.At(0).Uids, (std::vector<std::string>{"uid-1", "uid-2", "uid-3"}));
    ASSERT_TRUE(server.WaitConnections(1));
    EXPECT_EQ(
        server.Commands(0),
        (std::vector<std::string>{"USER bob", "PASS pw", "STAT", "LIST", "UIDL", "CAPA", "TOP 1 0",
                                  "LIST 1", "TOP 2 0", "LIST 2", "TOP 3 0", "LIST 3", "QUIT"}));
    EXPECT_FALSE(flags.MailBusy);
    EXPECT_TRUE(messages.requests.empty());
}

TEST_F(MailPartsTest, ATypedPasswordTheServerRefusedIsAskedForAgain) {
    AddAccount("", false);
    view.typed = {"wrong", "pw"};
    ASSERT_TRUE(CheckToEnd());
    EXPECT_EQ(status.Text().rfind("Error authenticating: check your user details", 0), 0u);
    EXPECT_TRUE(accounts.At(0).Password.empty()); // forgotten
    ASSERT_TRUE(CheckToEnd());
    EXPECT_EQ(view.calls, (std::vector<std::string>{
                              "asked", "disabled", "enabled", "asked again", "disabled",
                              "refreshed " + accounts.At(0).LastRefresh, "enabled", "enabled"}));
    EXPECT_EQ(accounts.At(0).Rows.size(), 3u);
}

TEST_F(MailPartsTest, ADeletionWorksOnTheSameParts) {
    AddAccount("pw", true);
    ASSERT_TRUE(CheckToEnd());
    view.calls.clear();
    grid.setCurrentCell(1, 0); // message 2
    messages.answers = {TMsgResult::Yes};
    mail.del_mailClick();
    ASSERT_TRUE(server.WaitConnections(2));
    EXPECT_EQ(server.Commands(1),
              (std::vector<std::string>{"USER bob", "PASS pw", "STAT", "TOP 2 0", "LIST 2",
                                        "UIDL 2", "DELE 2", "QUIT"}));
    EXPECT_EQ(view.calls, (std::vector<std::string>{"abandon", "rows 0"}));
    EXPECT_EQ(accounts.At(0).Uids, (std::vector<std::string>{"uid-1", "uid-3"}));
    EXPECT_EQ(grid.Cell(2, 2), " S3");
    EXPECT_FALSE(flags.MailBusy);
    EXPECT_EQ(messages.requests.size(), 1u); // the question only
}

} // namespace
