// The window against a real POP3 server (the Dovecot fixture on 127.0.0.1).
#include "mail_fixture.h"

#include "mail/check_sign_in.h"
#include "mail/header_date.h"
#include "signin/account_tokens.h"
#include "signin/browser_sign_in.h"
#include "tests/support/authorization_server.h"
#include "tests/support/dovecot_fixture.h"

using test_support::DovecotManifest;
using test_support::DovecotMessage;
using test_support::DovecotPort;
using test_support::RefillDovecotMailbox;

namespace {

class DovecotWindowTest : public MailTest {
protected:
    void StartAs(const std::string& user, const std::string& password) {
        ASSERT_NE(DovecotPort(), 0) << "the Dovecot fixture is not running";
        StartWith("127.0.0.1:" + std::to_string(DovecotPort()), user, password);
    }
};

TEST_F(DovecotWindowTest, ACheckShowsEveryMessageWithItsDateAndSize) {
    const std::vector<DovecotMessage> manifest = DovecotManifest("alice");
    StartAs("alice", "secret");
    ASSERT_TRUE(CheckToEnd());
    const std::vector<Cells> table = Table();
    ASSERT_EQ(table.size(), manifest.size());
    for (const DovecotMessage& message : manifest) {
        SCOPED_TRACE("message " + std::to_string(message.number));
        const Cells& row = table[static_cast<size_t>(message.number - 1)];
        const std::string kb = SizeInKB(static_cast<int32_t>(message.size));
        EXPECT_EQ(row[0], message.dateLine.empty() ? "" : message.dateLine.substr(5));
        EXPECT_EQ(row[3], kb == "0" ? "1" : kb);
        std::vector<std::string> header = message.headerLines;
        header.insert(header.end(), {"", "."});
        EXPECT_EQ(Account().Headers[static_cast<size_t>(message.number - 1)].Lines(), header);
    }
    EXPECT_TRUE(messages.requests.empty());
}

TEST_F(DovecotWindowTest, AnEmptyMailbox) {
    StartAs("bob", "secret");
    ASSERT_TRUE(CheckToEnd());
    EXPECT_EQ(Table(), (std::vector<Cells>{{"", "", "", "", ""}}));
    EXPECT_NE(Account().LastRefresh, "(none)");
}

TEST_F(DovecotWindowTest, AWrongSavedPasswordIsShownInTheStatusDialogAndKept) {
    StartAs("alice", "wrong");
    ClickCheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Status().ButtonText() == "Close"; }, 15000));
    EXPECT_EQ(Status().Text(), "Error authenticating: check your user details\n"
                               "The server refused the password: Authentication failed.\n"
                               "The saved password was kept: correct it in the account editor.");
    EXPECT_TRUE(Form().WindowEnabled());
    EXPECT_EQ(Account().Password, "wrong");
}

TEST_F(DovecotWindowTest, ADeletedMessageIsGoneAtTheNextCheck) {
    StartAs("carol", "secret");
    ASSERT_TRUE(CheckToEnd());
    const std::vector<Cells> before = Table();
    ASSERT_GE(before.size(), 2u) << "carol's mailbox is used up; restart the fixture";
    ASSERT_FALSE(before[0][4].empty());
    Select(1, 1);
    messages.answers = {TMsgResult::Yes};
    Find<QToolButton>("del_mail")->click();
    EXPECT_EQ(messages.requests.size(), 1u); // the question only
    ASSERT_TRUE(CheckToEnd());
    const std::vector<Cells> after = Table();
    ASSERT_EQ(after.size(), before.size() - 1);
    EXPECT_EQ(after[0], before[1]);
}

// Messages only their Received lines and subjects tell apart: one Date line for all, and the
// identifier under "Message-Id:", which the summary does not read.
std::vector<std::string> Alike(int count) {
    std::vector<std::string> out;
    for (int n = 1; n <= count; ++n)
        out.push_back("Received: from relay" + std::to_string(n) +
                      " by mx.example.com\nDate: Mon, 1 Jan 2024 10:00:00 +0000\nFrom: "
                      "a@example.com\nMessage-Id: <same@example.com>\nSubject: Alike " +
                      std::to_string(n) + "\n\nBody\n");
    return out;
}

// Deletions on dave's mailbox, written afresh for each test.
class DovecotDeletionTest : public DovecotWindowTest {
protected:
    void CheckAlike(int count) {
        RefillDovecotMailbox("dave", Alike(count));
        StartAs("dave", "secret");
        ASSERT_TRUE(CheckToEnd());
        ASSERT_EQ(Table().size(), static_cast<size_t>(count));
        ASSERT_EQ(Account().Uids.size(), static_cast<size_t>(count)); // the server has UIDL
    }
    void DeleteRows(int first, int last) {
        Select(first, last);
        messages.requests.clear();
        messages.answers = {TMsgResult::Yes};
        Find<QToolButton>("del_mail")->click();
    }
    // The subjects' numbers after a fresh check.
    std::vector<std::string> Recheck() {
        EXPECT_TRUE(CheckToEnd());
        std::vector<std::string> numbers;
        for (const std::string& subject : Subjects())
            numbers.push_back(subject.substr(subject.rfind(' ') + 1));
        return numbers;
    }
};

TEST_F(DovecotDeletionTest, AMessageThatMovedUnderTheSameDateIsKept) {
    CheckAlike(2);
    DeleteElsewhere(DovecotPort(), "dave", "secret", 1);
    DeleteRows(1, 1);
    EXPECT_EQ(messages.Texts().back(),
              "That email has moved in the queue, please re-check this account");
    EXPECT_EQ(Recheck(), std::vector<std::string>{"2"});
}

TEST_F(DovecotDeletionTest, SeveralRowsThatMovedAreKept) {
    CheckAlike(5);
    DeleteElsewhere(DovecotPort(), "dave", "secret", 1);
    DeleteRows(2, 4);
    EXPECT_EQ(messages.Texts().back(), "Deleted 0 of the 3 emails you selected.\n\r3 had moved in "
                                       "the queue and were not deleted.\n\rPlease re-check this "
                                       "account");
    EXPECT_EQ(Recheck(), (std::vector<std::string>{"2", "3", "4", "5"}));
}

TEST_F(DovecotDeletionTest, UnchangedMessagesAreDeletedOneOrSeveral) {
    CheckAlike(5);
    DeleteRows(2, 2);
    EXPECT_EQ(messages.requests.size(), 1u); // the question only
    DeleteRows(2, 3);
    EXPECT_EQ(messages.Texts().back(), "Deleted 2 of the 2 emails you selected.");
    EXPECT_EQ(Recheck(), (std::vector<std::string>{"1", "5"}));
}

// A check that times out half-way through the summaries leaves nothing of the stalled server's
// conversation behind: the next check, of another account on a real server, fills its table.
TEST_F(DovecotWindowTest, AfterACheckThatFailedMidFillAnotherAccountFillsItsTable) {
    ASSERT_NE(DovecotPort(), 0) << "the Dovecot fixture is not running";
    test_support::FakePop3Server stalled({Numbered(1), Numbered(2), Numbered(3)}, "bob", "pw");
    stalled.StallAt("TOP 2 0");
    WriteAccounts(
        {{"Stalled", Server(stalled), "bob", "pw", true},
         {"Real", "127.0.0.1:" + std::to_string(DovecotPort()), "alice", "secret", true}});
    Start();
    auto select = [&](const std::string& name) {
        const std::vector<std::string> labels = TopLabels();
        const auto at = std::find(labels.begin(), labels.end(), name) - labels.begin();
        ASSERT_LT(at, static_cast<long>(labels.size()));
        Form().Tree().setCurrentItem(Form().Tree().topLevelItem(static_cast<int>(at)));
        ASSERT_EQ(CurrentName(), name);
    };
    select("Stalled");
    Account().Timeout = 1;
    ClickCheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Status().ButtonText() == "Close"; }, 10000));
    EXPECT_EQ(Status().Text(), "The server did not answer within 1 s while sending the header of "
                               "message 2\n1 of 3 messages read.");
    EXPECT_EQ(Subjects(), (std::vector<std::string>{" Message 1", ""}));
    EXPECT_FALSE(Form().Mail().Pop().Connected());
    select("Real");
    ASSERT_TRUE(CheckToEnd());
    EXPECT_EQ(Table().size(), DovecotManifest("alice").size());
    EXPECT_TRUE(messages.requests.empty());
}

} // namespace

// An OAuth2 account through the window: its token renewed from the refresh token before the
// check, again by the worker after the server refused an expired one, and once the grant is
// revoked, the user told to sign in again.
TEST_F(DovecotWindowTest, AnOAuth2AccountChecksThroughItsTokensUntilTheGrantIsRevoked) {
    ASSERT_NE(DovecotPort(), 0) << "the Dovecot fixture is not running";
    const AuthorizationEndpoints server{
        ReadPort(QString::fromStdString(test_support::DovecotDir() + "/oauth/port"))};
    ASSERT_FALSE(server.port.empty());
    TCommandBrowser browser = FakeBrowser();
    TTokenClient tokens(10000);
    TAccounts list;
    ASSERT_TRUE(list.Add("Box", "127.0.0.1:" + std::to_string(DovecotPort()), "alice", "", true));
    TAccount& written = list.At(0);
    const TAccount settings = server.Account("alice");
    for (auto field :
         {&TAccount::Provider, &TAccount::ClientId, &TAccount::AuthorizeUrl, &TAccount::TokenUrl})
        written.*field = settings.*field;
    written.SignIn = TSignInMethod::OAuth2;
    const TBrowserSignIn signedIn =
        SignInWithBrowser(ProviderOfAccount(written), browser, tokens, "alice", 20000);
    ASSERT_EQ(signedIn.Kind, TBrowserSignIn::TKind::Ok) << signedIn.Error;
    written.RefreshToken = signedIn.Tokens.RefreshToken; // the access token is never stored
    ASSERT_TRUE(list.SaveToFile());
    Start();
    const size_t expected = DovecotManifest("alice").size();

    ASSERT_TRUE(CheckToEnd());
    EXPECT_EQ(Table().size(), expected);
    const std::string first = Account().AccessToken;
    EXPECT_FALSE(first.empty());

    server.Get("/expire?token=all");
    ASSERT_TRUE(CheckToEnd());
    EXPECT_EQ(Table().size(), expected);
    EXPECT_NE(Account().AccessToken, first) << "renewed after the server refused it";

    server.Get("/expire?token=all");
    server.Get("/revoke?token=all");
    ClickCheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return Status().ButtonText() == "Close"; }, 15000));
    EXPECT_EQ(Status().Text().rfind("Error authenticating: check your user details\n"
                                    "The server refused the sign-in",
                                    0),
              0u)
        << Status().Text();
    EXPECT_EQ(Account().AccessToken, "");
    Status().close();

    ClickCheck();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{SignInAgainText});
    EXPECT_FALSE(WorkerRunning());
}
