// The OAuth2 sign-in of a desktop program against the test authorization server
// (tests/support/servers/oauth_server.py), with a script standing in for the browser.
#include "signin/account_tokens.h"
#include "signin/browser_sign_in.h"
#include "signin/loopback_listener.h"
#include "signin/pkce.h"
#include "tests/pop3/pop3_test_support.h"
#include "tests/support/authorization_server.h"
#include "tests/support/blocking_client.h"
#include "tests/support/dovecot_fixture.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QUrlQuery>
#include <gtest/gtest.h>
#include <thread>

TEST(SignIn, PkceMatchesTheRfcExample) {
    EXPECT_EQ(S256Challenge("dBjftJeZ4CVP-mB92K27uhbUJU1p1r_wW1gFWFOEjXk"),
              "E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM");
    const TPkce one = MakePkce(), two = MakePkce();
    EXPECT_EQ(one.Verifier.size(), 43u);
    EXPECT_NE(one.Verifier, two.Verifier);
    EXPECT_EQ(one.Challenge, S256Challenge(one.Verifier));
}

TEST(SignIn, AuthorizationUrlCarriesTheRequest) {
    TOAuthProvider provider = ProviderPreset("microsoft");
    provider.ClientId = "id+1";
    const QUrl url(QString::fromStdString(
        AuthorizationUrl(provider, "http://127.0.0.1:5000/", "chal", "st&x", "me@example.com")));
    EXPECT_EQ(url.host(), "login.microsoftonline.com");
    const QUrlQuery query(url);
    const std::pair<const char*, const char*> expected[] = {
        {"response_type", "code"},
        {"client_id", "id+1"},
        {"redirect_uri", "http://127.0.0.1:5000/"},
        {"scope", "https://outlook.office.com/POP.AccessAsUser.All offline_access openid email"},
        {"state", "st&x"},
        {"code_challenge", "chal"},
        {"code_challenge_method", "S256"},
        {"login_hint", "me@example.com"}};
    for (const auto& [name, value] : expected)
        EXPECT_EQ(query.queryItemValue(name, QUrl::FullyDecoded).toStdString(), value) << name;
}

TEST(SignIn, PresetsAndTheAccountsOwnSettings) {
    EXPECT_EQ(ProviderPreset("google").PopHost, "pop.gmail.com");
    EXPECT_EQ(ProviderPreset("microsoft").PopHost, "outlook.office365.com");
    EXPECT_EQ(ProviderPreset("microsoft").ClientId, "") << "no client id unless the build sets one";
    const TOAuthProvider mine =
        AccountProvider("google", "mine", "https://x/a", "https://x/t", "s");
    EXPECT_EQ(mine.ClientId, "mine");
    EXPECT_EQ(mine.TokenUrl, "https://oauth2.googleapis.com/token") << "a preset keeps its own";
    const TOAuthProvider generic =
        AccountProvider("generic", "g", "https://x/a", "https://x/t", "s");
    EXPECT_EQ(generic.TokenUrl, "https://x/t");
    EXPECT_FALSE(SafeEndpoint("http://example.com/token"));
    EXPECT_TRUE(SafeEndpoint("http://127.0.0.1:8/token"));
}

// What the listener takes from the browser's requests, the first that carries an answer.
TEST(SignIn, TheLoopbackListenerTakesOneAnswerWithItsState) {
    using TKind = TLoopbackListener::TRedirect::TKind;
    const struct {
        std::vector<std::string> paths;
        TKind kind;
        std::string code;
        std::string firstAnswer;
    } cases[] = {
        {{"/?code=abc%2B1&state=s1"}, TKind::Code, "abc+1", "HTTP/1.1 200"},
        {{"/favicon.ico", "/?state=s1&code=c"}, TKind::Code, "c", "HTTP/1.1 404"},
        {{"/?code=c&state=other"}, TKind::WrongState, "", "HTTP/1.1 200"},
        {{"/?error=access_denied&state=s1"}, TKind::Refused, "", "HTTP/1.1 200"},
        {{"/nothing"}, TKind::TimedOut, "", "HTTP/1.1 404"},
    };
    for (const auto& c : cases) {
        TLoopbackListener listener("s1");
        const uint16_t port = static_cast<uint16_t>(
            std::stoi(listener.RedirectUri().substr(std::string("http://127.0.0.1:").size())));
        std::vector<std::string> answers;
        std::thread browser([&] {
            for (const std::string& path : c.paths) {
                test_support::BlockingClient client(port);
                client.Send("GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n");
                answers.push_back(client.ReadLine());
            }
        });
        const auto redirect = listener.Wait(1500);
        browser.join();
        EXPECT_EQ(redirect.Kind, c.kind) << c.paths.back();
        EXPECT_EQ(redirect.Code, c.code);
        EXPECT_EQ(answers.front().substr(0, 12), c.firstAnswer);
    }
}

TEST(SignIn, BrowserFlowThenRefreshUntilRevoked) {
    AuthorizationServer server;
    ASSERT_FALSE(server.port.empty());
    TCommandBrowser browser = FakeBrowser();
    TTokenClient tokens(10000);
    const TBrowserSignIn signedIn =
        SignInWithBrowser(server.Provider(), browser, tokens, "me@example.test", 20000);
    ASSERT_EQ(signedIn.Kind, TBrowserSignIn::TKind::Ok) << signedIn.Error;
    EXPECT_EQ(signedIn.Tokens.Account, "me@example.test");
    EXPECT_FALSE(signedIn.Tokens.RefreshToken.empty());

    TAccount account = server.Account("me@example.test");
    AdoptTokens(account, signedIn.Tokens);
    const std::string first = account.AccessToken;
    const int64_t now = QDateTime::currentSecsSinceEpoch();
    EXPECT_EQ(EnsureAccessToken(account, tokens, now).Outcome, TTokenClient::TOutcome::Ok);
    EXPECT_EQ(account.AccessToken, first) << "a good token is not renewed";
    EXPECT_EQ(EnsureAccessToken(account, tokens, now + 3590).Outcome, TTokenClient::TOutcome::Ok);
    EXPECT_NE(account.AccessToken, first) << "one about to expire is";
    EXPECT_EQ(account.RefreshToken, signedIn.Tokens.RefreshToken);

    server.Get("/revoke?token=all");
    EXPECT_EQ(RenewAccessToken(account, tokens).Outcome, TTokenClient::TOutcome::Refused);
    EXPECT_EQ(account.AccessToken, "");
}

TEST(SignIn, RefusedOrUnfinishedSignIns) {
    AuthorizationServer server;
    ASSERT_FALSE(server.port.empty());
    TTokenClient tokens(10000);
    TCommandBrowser browser = FakeBrowser();
    EXPECT_EQ(SignInWithBrowser(server.Provider(), browser, tokens, "deny", 20000).Kind,
              TBrowserSignIn::TKind::Refused);
    TOAuthProvider noClient = server.Provider();
    noClient.ClientId.clear();
    EXPECT_EQ(SignInWithBrowser(noClient, browser, tokens, "", 20000).Kind,
              TBrowserSignIn::TKind::Failed);
    TCommandBrowser nowhere("/bin/true"); // opens nothing: the user never comes back
    std::atomic<bool> cancel{false};
    std::thread user([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        cancel = true;
    });
    EXPECT_EQ(SignInWithBrowser(server.Provider(), nowhere, tokens, "", 20000, &cancel).Kind,
              TBrowserSignIn::TKind::Canceled);
    user.join();
}

// The whole way against Dovecot, whose OAuth2 passdb asks the fixture's authorization server
// about each token: signed in through the browser, then checked through XOAUTH2 and
// OAUTHBEARER, with an expired access token renewed once and a revoked grant refused.
TEST(SignInDovecot, ChecksThroughBothMechanismsAndRenewsAnExpiredToken) {
    const AuthorizationEndpoints server{
        ReadPort(QString::fromStdString(test_support::DovecotDir() + "/oauth/port"))};
    ASSERT_FALSE(server.port.empty());
    const auto expected = static_cast<int32_t>(test_support::DovecotManifest("alice").size());
    TTokenClient tokens(10000);
    TCommandBrowser browser = FakeBrowser();
    TAccount account = server.Account("alice");
    const TBrowserSignIn signedIn =
        SignInWithBrowser(ProviderOfAccount(account), browser, tokens, "alice", 20000);
    ASSERT_EQ(signedIn.Kind, TBrowserSignIn::TKind::Ok) << signedIn.Error;
    AdoptTokens(account, signedIn.Tokens);

    const auto check = [&](TSignIn mechanism) {
        TPop3Client client;
        client.Host = "127.0.0.1";
        client.Port = test_support::DovecotPort();
        client.TimeOut = 10000;
        PrepareSignIn(client, account, tokens);
        if (mechanism != TSignIn::OAuth2) client.SignIn = mechanism;
        const std::string failure = FailureOf([&] {
            client.Connect();
            client.Disconnect();
        });
        return std::make_pair(failure, failure.empty() ? client.MessageCount() : -1);
    };
    const std::pair<std::string, int32_t> checked{"", expected};
    EXPECT_EQ(check(TSignIn::XOAuth2), checked);
    EXPECT_EQ(check(TSignIn::OAuthBearer), checked);

    const std::string before = account.AccessToken;
    server.Get("/expire?token=all");
    EXPECT_EQ(check(TSignIn::OAuth2), checked);
    EXPECT_NE(account.AccessToken, before) << "renewed after the refusal";

    server.Get("/expire?token=all");
    server.Get("/revoke?token=all");
    EXPECT_EQ(check(TSignIn::XOAuth2), std::make_pair(std::string("Authentication failed"), -1));
    EXPECT_EQ(account.AccessToken, "") << "the user must sign in again";
}
