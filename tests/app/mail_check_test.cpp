// A check from the window: the table it fills, the password it asks for, its cancel, and how a
// failed one ends (the status dialog's last words, its button, and a usable window).
#include "mail/certificate_trust.h"
#include "mail_fixture.h"
#include "pop3/pop3_client.h"
#include "tests/support/scripted_peer.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <cstdlib>
#include <optional>

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

// How a failed check ends: the status dialog's last words, its button, and a usable window.
using test_support::FakePop3Server;

namespace {

const std::string Authenticating = "Error authenticating: check your user details\n";

struct OutcomeCase {
    const char* name;
    std::function<void(FakePop3Server&)> script;
    std::string text; // the dialog's last words
    std::vector<std::string> subjects = {""};
    std::string user = "bob";
    std::string password = "pw";
    bool save = true; // false: typed at the prompt
    int timeout = 90;
    std::string server = {}; // empty: the scripted server
    std::string passwordAfter = password;
    TSecurity security = TSecurity::None;
    std::optional<test_support::Script> peer = {}; // plays the server instead of the POP3 one
};

// A failure of the secure connection; the certificate question, where it comes, is refused.
OutcomeCase Secure(const char* name, TSecurity security, std::optional<test_support::Script> peer,
                   std::string text) {
    OutcomeCase c{name, {}, std::move(text)};
    c.security = security;
    c.peer = std::move(peer);
    return c;
}

test_support::Script TlsServer(const char* cert, bool oldTls = false) {
    test_support::Script script;
    return script.Tls(cert, oldTls);
}

void PrintTo(const OutcomeCase& c, std::ostream* out) {
    *out << c.name;
}

// Pictures of the dialogs for the record, where VELLION_OUTCOME_SHOTS names a directory.
void SaveShot(QWidget& dialog, const char* name) {
    if (const char* dir = std::getenv("VELLION_OUTCOME_SHOTS"))
        dialog.grab().save(QDir(dir).filePath(QString(name) + ".png"));
}

std::string Reply(const std::string& text) {
    return text + "\r\n";
}

const std::string LongHost = std::string(130, 'h') + ".invalid"; // refused before any lookup

const std::vector<OutcomeCase> Cases = {
    {"UnresolvableHost",
     {},
     "Invalid host specified: check your settings\nNo address was found for " + LongHost,
     {""},
     "bob",
     "pw",
     true,
     90,
     LongHost},
    {"RefusedConnection",
     {},
     "Error connecting to server: check your settings\n"
     "No connection could be made to 127.0.0.1:1",
     {""},
     "bob",
     "pw",
     true,
     90,
     "127.0.0.1:1"},
    {"RefusedGreeting", [](FakePop3Server& s) { s.SetGreeting(Reply("-ERR busy")); },
     "The server refused the connection: busy"},
    {"CloseAfterGreeting", [](FakePop3Server& s) { s.DropAt("USER"); },
     "The server closed the connection during the log-in"},
    {"SilentServer",
     [](FakePop3Server& s) { s.SetGreeting(""); },
     "The server did not answer within 1 s",
     {""},
     "bob",
     "pw",
     true,
     1},
    {"RefusedStat", [](FakePop3Server& s) { s.SetReply("STAT", Reply("-ERR maildrop damaged")); },
     "The server refused to count the messages: maildrop damaged"},
    {"EmptyLogin", {}, "The account has no user name: enter one in the account editor", {""}, ""},
    {"UnknownUser",
     {},
     Authenticating + "The server refused the user name: no such user\n"
                      "Correct it in the account editor.",
     {""},
     "eve"},
    {"SavedPasswordRejected",
     {},
     Authenticating + "The server refused the password: invalid password\n"
                      "The saved password was kept: correct it in the account editor.",
     {""},
     "bob",
     "wrong"},
    {"InUse",
     [](FakePop3Server& s) {
         s.SetReply("PASS", Reply("-ERR [IN-USE] Mailbox locked by another client"));
     },
     "The mailbox is in use by another program: Mailbox locked by another client\n"
     "Try again later.",
     {""},
     "bob",
     "pw",
     false},
    {"LoginDelay",
     [](FakePop3Server& s) { s.SetReply("PASS", Reply("-ERR [LOGIN-DELAY] wait 15 minutes")); },
     "The server allows the next log-in only after a delay: wait 15 minutes\nTry again later.",
     {""},
     "bob",
     "pw",
     false},
    {"DropDuringTheListing", [](FakePop3Server& s) { s.DropAt("LIST"); },
     "The server closed the connection while sending the message list\nNo message was read."},
    {"UnreadableListing", [](FakePop3Server& s) { s.SetReply("LIST", Reply("+OK\r\n1 x\r\n.")); },
     "The server sent the message list in a form that could not be read\nNo message was read."},
    {"DropMidFill",
     [](FakePop3Server& s) { s.DropAt("TOP 2 0"); },
     "The server closed the connection while sending the header of message 2\n"
     "1 of 3 messages read.",
     {" Message 1", ""}},
    {"StallMidFill",
     [](FakePop3Server& s) { s.StallAt("TOP 2 0"); },
     "The server did not answer within 1 s while sending the header of message 2\n"
     "1 of 3 messages read.",
     {" Message 1", ""},
     "bob",
     "pw",
     true,
     1},
    {"RefusedTop",
     [](FakePop3Server& s) { s.SetReply("TOP 3 0", Reply("-ERR There's no message 3.")); },
     "The server refused to send the header of message 3: There's no message 3.\n"
     "2 of 3 messages read.",
     {" Message 1", " Message 2", ""}},
    Secure("RefusedCertificate", TSecurity::Tls, TlsServer("selfsigned"),
           "Certificate not trusted: the certificate is self-signed\nNothing was sent to the "
           "server. Check the server's name, and trust its certificate only if you know why it is "
           "not trusted."),
    Secure("PlainServerOnATlsAccount", TSecurity::Tls, {},
           "TLS handshake failed: the server does not speak TLS on this port\nCheck the server's "
           "name and port: SSL/TLS is usually on port 995, STARTTLS on port 110."),
    Secure("OldTlsOnly", TSecurity::Tls, TlsServer("valid", true),
           "The server offers only TLS versions older than 1.2, which are no longer safe, so no "
           "secure connection was made\nAsk the server's administrator to turn on TLS 1.2 or "
           "later."),
    Secure("NoStartTls", TSecurity::StartTls, {},
           "The server does not offer STARTTLS\nChoose SSL/TLS on port 995 in the account "
           "editor, or ask the server's administrator to turn on STARTTLS."),
};

class CheckOutcomeTest : public MailTest, public testing::WithParamInterface<OutcomeCase> {
protected:
    // Clicks Check, typing the password at the prompt when the account has none saved.
    void Check(const OutcomeCase& c) {
        if (c.save) return ClickCheck();
        WithModal([this] { ClickCheck(); },
                  [&](QDialog& prompt) {
                      prompt.findChild<QLineEdit*>("pass")->setText(
                          QString::fromStdString(c.password));
                      prompt.findChild<QPushButton*>("OK")->click();
                  });
    }
    bool Ended() {
        return QTest::qWaitFor([&] { return Status().ButtonText() == "Close" && !WorkerRunning(); },
                               10000);
    }
};

TEST_P(CheckOutcomeTest, TheDialogSaysWhyAndTheWindowIsUsable) {
    const OutcomeCase& c = GetParam();
    FakePop3Server server({Numbered(1), Numbered(2), Numbered(3)}, "bob", "pw");
    if (c.script) c.script(server);
    std::optional<test_support::ScriptedPeer> peer;
    if (c.peer) peer.emplace(*c.peer);
    const std::string address = peer               ? "127.0.0.1:" + std::to_string(peer->Port())
                                : c.server.empty() ? Server(server)
                                                   : c.server;
    StartWith(address, c.user, c.password, c.save);
    Account().Timeout = c.timeout;
    Account().Security = c.security;
    SetCertificateQuestion(
        [](const std::string&, const TCertificateReport&, bool) { return false; });
    Check(c);
    ASSERT_TRUE(Ended()) << Status().Text();
    EXPECT_EQ(Status().Text(), c.text);
    EXPECT_TRUE(Status().isVisible());
    EXPECT_TRUE(Form().WindowEnabled());
    EXPECT_EQ(Form().Mail().Flags().ThreadHandle, 0);
    EXPECT_FALSE(Form().Mail().Pop().Connected());
    EXPECT_TRUE(messages.requests.empty()); // no bare error box
    EXPECT_EQ(Subjects(), c.subjects);
    EXPECT_EQ(Account().Rows.size(),
              std::count_if(c.subjects.begin(), c.subjects.end(),
                            [](const std::string& s) { return !s.empty(); }));
    EXPECT_EQ(Account().LastRefresh, "(none)");
    EXPECT_EQ(Account().Password, c.passwordAfter);
    SaveShot(Status(), c.name);

    Status().findChild<QPushButton*>("Cancel")->click();
    EXPECT_FALSE(Status().isVisible());
    EXPECT_TRUE(Form().WindowEnabled());
    SetCertificateQuestion({});
}

INSTANTIATE_TEST_SUITE_P(Paths, CheckOutcomeTest, testing::ValuesIn(Cases),
                         [](const auto& tested) { return std::string(tested.param.name); });

TEST_F(MailTest, AWrongTypedPasswordIsForgottenAndThePromptSaysSo) {
    FakePop3Server server({Numbered(1)}, "bob", "right");
    StartWith(Server(server), "bob", "", false);
    auto type = [](const char* password, bool& toldRejected) {
        return [=, &toldRejected](QDialog& prompt) {
            toldRejected = prompt.findChild<QLabel*>("rejected") != nullptr;
            if (toldRejected) SaveShot(prompt, "PromptAfterRejection");
            prompt.findChild<QLineEdit*>("pass")->setText(password);
            prompt.findChild<QPushButton*>("OK")->click();
        };
    };
    bool toldFirst = true, toldSecond = false;
    WithModal([this] { ClickCheck(); }, type("wrong", toldFirst));
    ASSERT_TRUE(QTest::qWaitFor([&] { return Status().ButtonText() == "Close"; }, 10000));
    EXPECT_EQ(Status().Text(), Authenticating +
                                   "The server refused the password: invalid password\n"
                                   "You will be asked for the password at the next check.");
    EXPECT_TRUE(Form().WindowEnabled());
    EXPECT_TRUE(Account().Password.empty());
    EXPECT_FALSE(Account().PasswordGiven);

    WithModal([this] { ClickCheck(); }, type("right", toldSecond));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return Form().Mail().Flags().ThreadHandle == 0 && !Status().isVisible(); }, 10000));
    EXPECT_FALSE(toldFirst);
    EXPECT_TRUE(toldSecond);
    EXPECT_EQ(Subjects(), std::vector<std::string>{" Message 1"});
    EXPECT_EQ(Account().Password, "right");
    ASSERT_TRUE(server.WaitConnections(2));
    EXPECT_EQ(server.Commands(0), (std::vector<std::string>{"USER bob", "PASS wrong", "QUIT"}));
}

} // namespace
