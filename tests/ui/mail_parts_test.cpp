// The check and the deletion on their parts alone: a session, the accounts, a table, a status
// dialog and a view that only records what it is asked. No main window.
#include "accounts/account_list.h"
#include "message_script.h"
#include "pop3/pop3_client.h"
#include "tests/support/fake_pop3_server.h"
#include "ui/mail_check.h"
#include "ui/mail_deletion.h"
#include "ui/mail_view.h"
#include "ui/message_grid.h"
#include "ui/status_dialog.h"

#include <QTest>
#include <deque>
#include <gtest/gtest.h>

using test_support::FakePop3Server;

namespace {

class TRecordingView : public TMailView {
public:
    TRecordingView(TAccounts& accounts, TMessageGrid& grid) : accounts(accounts), grid(grid) {}

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

class MailPartsTest : public testing::Test {
protected:
    MailPartsTest() : server({Message(1), Message(2), Message(3)}, "bob", "pw") {
        // What the window's POP3 handlers do for the check.
        pop.OnConnect = [this](QObject*) {
            flags.LoggedIn = true;
            if (flags.Checking) check.PostCheckReady();
        };
        pop.OnList = [this](int32_t, int32_t) { ++flags.ListedCount; };
        status.OnCheckReady = [this](uint64_t attempt) { check.CheckReady(attempt); };
        status.OnClose = [this] { check.StatusClosed(); };
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
        check.Button1Click();
        return QTest::qWaitFor(
            [&] {
                return !check.WorkerRunning() && flags.ThreadHandle == 0 &&
                       (!status.isVisible() || status.ButtonText() == "Close");
            },
            10000);
    }

    MessageScript messages;
    FakePop3Server server;
    TPop3Client pop;
    TAccounts accounts;
    TMessageGrid grid;
    TStatus status;
    TMailFlags flags;
    TRecordingView view{accounts, grid};
    TMailParts parts{pop, accounts, grid, flags, view};
    TMailCheck check{parts, status};
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
    DeleteSelectedMail(parts);
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
