// How a failed check ends: the status dialog's last words, its button, and a usable window.
#include "mail/certificate_trust.h"
#include "mail_fixture.h"
#include "tests/support/scripted_peer.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cstdlib>
#include <optional>

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
