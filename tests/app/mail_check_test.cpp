#include "mail_fixture.h"

#include "pop3/pop3_client.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>

using test_support::FakeMessage;
using test_support::FakePop3Server;

namespace {

const std::string Checking = "Checking mail account...";

class MailCheckTest : public MailTest {};

TEST_F(MailCheckTest, ACheckFillsTheTableRowByRowAndKeepsRowsAndHeaders) {
    FakePop3Server server({SizedMessage("Date: Tue, 2 Jan 2024\nFrom: ann@x\nSubject: Hi\n"
                                        "Message-ID: <a@x>",
                                        100),
                           SizedMessage("From: bo@example.com\nSubject: Two", 1536),
                           SizedMessage("Subject: Three\nDate: Wed, 3 Jan 2024", 10240)},
                          "bob", "pw");
    StartWith(server);
    std::vector<int> rowsAtTop;
    Form().Mail().Pop().OnRetrieveStart = [&](QObject*) {
        rowsAtTop.push_back(Form().Grid().RowCount());
    };
    ASSERT_TRUE(CheckToEnd());

    EXPECT_EQ(rowsAtTop, (std::vector<int>{2, 3, 4})); // one row more before each summary
    EXPECT_EQ(Table(), (std::vector<Cells>{{" Tue, 2 Jan 2024", " ann@x", " Hi", "1", "<a@x>\r\n"},
                                           {"", " bo@example.com", " Two", "2", ""},
                                           {" Wed, 3 Jan 2024", "", " Three", "10", ""}}));
    ASSERT_TRUE(server.WaitConnections(1));
    // UIDL records the identifiers for the deletion's check; CAPA asks whether the summaries
    // may be pipelined (this server says no).
    EXPECT_EQ(server.Received(0), "USER bob\r\nPASS pw\r\nSTAT\r\nLIST\r\nUIDL\r\nCAPA\r\n"
                                  "TOP 1 0\r\nLIST 1\r\nTOP 2 0\r\nLIST 2\r\nTOP 3 0\r\nLIST 3\r\n"
                                  "QUIT\r\n");
    EXPECT_EQ(Account().Uids, (std::vector<std::string>{"uid-1", "uid-2", "uid-3"}));
    ASSERT_EQ(Account().Rows.size(), 3u);
    EXPECT_EQ(Account().Rows[1], "\x01 bo@example.com\x01 Two\x01"
                                 "2\x01");
    ASSERT_EQ(Account().Headers.size(), 3u);
    EXPECT_EQ(Account().Headers[1].Lines(),
              (std::vector<std::string>{"From: bo@example.com", "Subject: Two", "", "."}));
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$")
                    .match(QString::fromStdString(Account().LastRefresh))
                    .hasMatch());
    EXPECT_EQ(Find<QLabel>("refreshed")->text().toStdString(), Account().LastRefresh);
    EXPECT_EQ(Status().Text(), Checking);
    EXPECT_TRUE(Form().WindowEnabled());
    EXPECT_FALSE(Form().Mail().Pop().Connected());
    EXPECT_TRUE(messages.requests.empty());
}

TEST_F(MailCheckTest, AnEmptyMailboxLeavesOneEmptyRowAndStillStampsTheTime) {
    FakePop3Server server({}, "bob", "pw");
    StartWith(server);
    Account().Rows = {"old\x01row\x01x\x01"
                      "1\x01id"};
    Account().Headers = {{"old"}};
    ASSERT_TRUE(CheckToEnd());
    EXPECT_EQ(Table(), (std::vector<Cells>{{"", "", "", "", ""}}));
    EXPECT_TRUE(Account().Rows.empty());
    EXPECT_TRUE(Account().Headers.empty());
    EXPECT_NE(Account().LastRefresh, "(none)");
    ASSERT_TRUE(server.WaitConnections(1));
    EXPECT_EQ(server.Commands(0),
              (std::vector<std::string>{"USER bob", "PASS pw", "STAT", "LIST", "QUIT"}));
}

TEST_F(MailCheckTest, ACellNeverHoldsTheRowSeparator) {
    FakePop3Server server({{"Subject: a\x01"
                            "b\nFrom: c",
                            "body"}},
                          "bob", "pw");
    StartWith(server);
    ASSERT_TRUE(CheckToEnd());
    EXPECT_EQ(Table()[0][2], " a b");
    ASSERT_EQ(Account().Rows.size(), 1u);
    EXPECT_EQ(std::count(Account().Rows[0].begin(), Account().Rows[0].end(), '\x01'), 4);
}

// --- The password prompt ---

TEST_F(MailCheckTest, ASavedPasswordIsUsedWithoutAsking) {
    FakePop3Server server({Numbered(1)}, "bob", "pw");
    StartWith(server);
    bool asked = false;
    WithModal([this] { ClickCheck(); },
              [&](QDialog& dialog) {
                  asked = true;
                  dialog.reject();
              });
    EXPECT_FALSE(asked);
    EXPECT_TRUE(QTest::qWaitFor([&] { return Form().Mail().Flags().ThreadHandle == 0; }, 10000));
}

TEST_F(MailCheckTest, WithoutAPasswordThePromptAsksOnceAndTheTypedOneIsKept) {
    FakePop3Server server({Numbered(1)}, "bob", "typed");
    StartWith(Server(server), "bob", "", false);
    WithModal([this] { ClickCheck(); },
              [](QDialog& prompt) {
                  prompt.findChild<QLineEdit*>("pass")->setText("typed");
                  prompt.findChild<QPushButton*>("OK")->click();
              });
    ASSERT_TRUE(QTest::qWaitFor([&] { return Form().Mail().Flags().ThreadHandle == 0; }, 10000));
    EXPECT_EQ(Account().Password, "typed");
    EXPECT_TRUE(Account().PasswordGiven);
    EXPECT_EQ(Table().size(), 1u);
    bool askedAgain = false;
    WithModal([this] { ClickCheck(); },
              [&](QDialog& dialog) {
                  askedAgain = true;
                  dialog.reject();
              });
    EXPECT_FALSE(askedAgain);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !Status().isVisible(); }, 10000));
}

TEST_F(MailCheckTest, CancellingThePromptStartsNothing) {
    FakePop3Server server({Numbered(1)}, "bob", "pw");
    StartWith(Server(server), "bob", "pw", false); // not saved: asked again in this run
    WithModal([this] { ClickCheck(); },
              [](QDialog& prompt) { prompt.findChild<QPushButton*>("Cancel")->click(); });
    EXPECT_FALSE(Status().isVisible());
    EXPECT_FALSE(WorkerRunning());
    EXPECT_TRUE(Form().WindowEnabled());
    EXPECT_TRUE(Form().Mail().Flags().Checking); // set before the prompt, as it always was
    EXPECT_EQ(Form().Mail().Flags().ThreadHandle, 0);
    EXPECT_EQ(server.Connections(), 0u);
}

// --- Cancel ---

TEST_F(MailCheckTest, CancelWhileConnectingGivesTheAttemptUpAndChangesNothing) {
    FakePop3Server server({Numbered(1), Numbered(2)}, "bob", "pw");
    server.SetGreeting(""); // says nothing: the worker waits for the greeting
    StartWith(server);
    Account().Rows = {" d\x01 f\x01 s\x01"
                      "1\x01i"};
    Account().Headers = {{"h"}};
    Form().ShowAccountRows(0);
    ClickCheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.Connections() == 1; }, 5000));
    QTest::qWait(50);
    Status().findChild<QPushButton*>("Cancel")->click();
    EXPECT_FALSE(WorkerRunning());
    EXPECT_FALSE(Status().isVisible());
    EXPECT_TRUE(Form().WindowEnabled());
    EXPECT_EQ(Form().Mail().Flags().ThreadHandle, -1);
    QTest::qWait(50); // anything the worker posted is delivered now, and ignored
    EXPECT_EQ(Subjects(), std::vector<std::string>{" s"});
    EXPECT_EQ(Account().Rows.size(), 1u);
    EXPECT_EQ(Account().Headers, (std::vector<THeaderLines>{{"h"}}));
    EXPECT_TRUE(messages.requests.empty());

    // The session is fit for the next check.
    server.SetGreeting("+OK ready\r\n");
    ASSERT_TRUE(CheckToEnd());
    EXPECT_EQ(Subjects(), (std::vector<std::string>{" Message 1", " Message 2"}));
}

TEST_F(MailCheckTest, EscCancelsAndCancelDuringTheFillingRestoresTheTable) {
    FakePop3Server server({Numbered(1), Numbered(2)}, "bob", "pw");
    server.StallAt("TOP 2 0");
    StartWith(server);
    std::string textWhileFilling;
    // The filling runs nested in the event processing, so the key comes from a timer.
    WhenTrue([&] { return Account().Rows.size() == 1; },
             [&] {
                 textWhileFilling = Status().Text();
                 QTest::keyClick(&Status(), Qt::Key_Escape);
             });
    ClickCheck();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Form().Mail().Flags().ThreadHandle == -1 && !Form().Mail().Flags().MailBusy; },
        10000));
    EXPECT_EQ(textWhileFilling, Checking);
    EXPECT_FALSE(Status().isVisible());
    EXPECT_TRUE(Form().WindowEnabled());
    EXPECT_TRUE(Account().Rows.empty());
    EXPECT_EQ(Account().LastRefresh, "(none)");
    EXPECT_EQ(Table(), (std::vector<Cells>{{"", "", "", "", ""}}));
    EXPECT_FALSE(Form().Mail().Pop().Connected());
    EXPECT_TRUE(messages.requests.empty()); // a cancelled wait is no failure to report
}

TEST_F(MailCheckTest, CancelDuringARecheckGivesBackTheRowsOfTheCheckBefore) {
    FakePop3Server server({Numbered(1), Numbered(2)}, "bob", "pw");
    StartWith(server);
    ASSERT_TRUE(CheckToEnd());
    const TAccountMail before = Account();
    const std::string refreshed = Account().LastRefresh;
    const std::vector<Cells> table = Table();
    // Message 1 is the same as before: the re-check holds its bytes once, until the cancel.
    server.StallAt("TOP 2 0");
    WhenTrue([&] { return Account().Rows.size() == 1; },
             [&] { QTest::keyClick(&Status(), Qt::Key_Escape); });
    ClickCheck();
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Form().Mail().Flags().ThreadHandle == -1 && !Form().Mail().Flags().MailBusy; },
        10000));
    EXPECT_EQ(Account().Rows, before.Rows);
    EXPECT_EQ(Account().Headers, before.Headers);
    EXPECT_EQ(Account().Uids, before.Uids);
    EXPECT_EQ(Account().LastRefresh, refreshed);
    EXPECT_EQ(Table(), table);
}

TEST_F(MailCheckTest, ClosingTheWindowDuringACheckLeavesNoWorker) {
    FakePop3Server server({Numbered(1)}, "bob", "pw");
    server.SetGreeting("");
    StartWith(server);
    ClickCheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.Connections() == 1; }, 5000));
    Form().close();
    EXPECT_FALSE(WorkerRunning());
}

} // namespace
