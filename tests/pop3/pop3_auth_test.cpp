// Sign-in through AUTH (SASL PLAIN, XOAUTH2, OAUTHBEARER) against scripted servers: the exact
// bytes sent for every exchange and failure.
#include "pop3/sasl.h"
#include "tests/pop3/pop3_test_support.h"
#include "tests/support/scripted_peer.h"

#include <QByteArray>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using test_support::Script;
using test_support::ScriptedPeer;

namespace {

const std::string CapaPlain = "+OK\r\nUSER\r\nSASL PLAIN\r\n.\r\n";
const std::string CapaXOAuth2 = "+OK\r\nSASL PLAIN XOAUTH2\r\n.\r\n";
const std::string CapaBoth = "+OK\r\nsasl xoauth2 oauthbearer\r\n.\r\n";
const std::string Plain = "AGJvYgBwdw==";                           // "\0bob\0pw"
const std::string XTok = "dXNlcj1ib2IBYXV0aD1CZWFyZXIgdG9rAQE=";    // user=bob, Bearer tok
const std::string XNew = "dXNlcj1ib2IBYXV0aD1CZWFyZXIgbmV3AQE=";    // user=bob, Bearer new
const std::string Invalid = "eyJzdGF0dXMiOiJpbnZhbGlkX3Rva2VuIn0="; // {"status":"invalid_token"}
const std::string LongToken(300, 'x');

std::string Encoded(const std::string& text) {
    return QByteArray::fromStdString(text).toBase64().toStdString();
}

// "{OB}" and "{LONG}" in an expected transcript stand for the responses that depend on the
// peer's port and on the long token.
std::string Expand(std::string text, uint16_t port) {
    const std::pair<std::string, std::string> marks[] = {
        {"{OB}", Encoded("n,a=bob,\1host=127.0.0.1\1port=" + std::to_string(port) +
                         "\1auth=Bearer tok\1\1")},
        {"{LONG}", Encoded("user=bob\1auth=Bearer " + LongToken + "\1\1")}};
    for (const auto& [mark, value] : marks)
        for (size_t at; (at = text.find(mark)) != std::string::npos;)
            text.replace(at, mark.size(), value);
    return text;
}

void PrepareSignIn(TPop3Client& client, const ScriptedPeer& peer, TSignIn signIn,
                   const std::string& secret) {
    Prepare(client, peer, secret);
    client.SignIn = signIn;
}

} // namespace

TEST(Pop3Auth, Exchanges) {
    struct Case {
        const char* name;
        TSignIn signIn;
        std::string secret;
        std::vector<std::string> server; // greeting, then one reply per client line
        std::string sent;
        std::string failure = "";
        std::string challenge = "";
        std::string renewed = ""; // the secret OnAuthenticationFailed puts in, if any
    };
    const std::string ok = "+OK\r\n", stat = "+OK 0 0\r\n", authFailed = "Authentication failed";
    const Case cases[] = {
        {"plain, initial response inline",
         TSignIn::Plain,
         "pw",
         {ok, CapaPlain, ok, stat, ok},
         "CAPA\r\nAUTH PLAIN " + Plain + "\r\nSTAT\r\nQUIT\r\n"},
        {"xoauth2 named",
         TSignIn::XOAuth2,
         "tok",
         {ok, CapaXOAuth2, ok, stat, ok},
         "CAPA\r\nAUTH XOAUTH2 " + XTok + "\r\nSTAT\r\nQUIT\r\n"},
        {"oauth2 takes oauthbearer where both are listed",
         TSignIn::OAuth2,
         "tok",
         {ok, CapaBoth, ok, stat, ok},
         "CAPA\r\nAUTH OAUTHBEARER {OB}\r\nSTAT\r\nQUIT\r\n"},
        {"oauth2 without CAPA tries xoauth2",
         TSignIn::OAuth2,
         "tok",
         {ok, "-ERR unknown\r\n", ok, stat, ok},
         "CAPA\r\nAUTH XOAUTH2 " + XTok + "\r\nSTAT\r\nQUIT\r\n"},
        {"a long response follows the continuation",
         TSignIn::XOAuth2,
         LongToken,
         {ok, CapaXOAuth2, "+ \r\n", ok, stat, ok},
         "CAPA\r\nAUTH XOAUTH2\r\n{LONG}\r\nSTAT\r\nQUIT\r\n"},
        {"a server that wants the response on its own line",
         TSignIn::Plain,
         "pw",
         {ok, CapaPlain, "+\r\n", ok, stat, ok},
         "CAPA\r\nAUTH PLAIN " + Plain + "\r\n" + Plain + "\r\nSTAT\r\nQUIT\r\n"},
        {"plain refused",
         TSignIn::Plain,
         "pw",
         {ok, CapaPlain, "-ERR [AUTH] no\r\n", ok},
         "CAPA\r\nAUTH PLAIN " + Plain + "\r\nQUIT\r\n",
         authFailed},
        {"xoauth2 error challenge",
         TSignIn::XOAuth2,
         "tok",
         {ok, CapaXOAuth2, "+ " + Invalid + "\r\n", "-ERR [AUTH] expired\r\n", ok},
         "CAPA\r\nAUTH XOAUTH2 " + XTok + "\r\n\r\nQUIT\r\n",
         authFailed,
         R"({"status":"invalid_token"})"},
        {"oauthbearer error challenge gets the dummy response",
         TSignIn::OAuthBearer,
         "tok",
         {ok, CapaBoth, "+ " + Invalid + "\r\n", "-ERR\r\n", ok},
         "CAPA\r\nAUTH OAUTHBEARER {OB}\r\nAQ==\r\nQUIT\r\n",
         authFailed,
         R"({"status":"invalid_token"})"},
        {"a second challenge cancels",
         TSignIn::XOAuth2,
         "tok",
         {ok, CapaXOAuth2, "+ " + Invalid + "\r\n", "+ " + Invalid + "\r\n", "-ERR\r\n", ok},
         "CAPA\r\nAUTH XOAUTH2 " + XTok + "\r\n\r\n*\r\nQUIT\r\n",
         authFailed,
         R"({"status":"invalid_token"})"},
        {"refused once, renewed token accepted",
         TSignIn::XOAuth2,
         "tok",
         {ok, CapaXOAuth2, "+ " + Invalid + "\r\n", "-ERR\r\n", ok, stat, ok},
         "CAPA\r\nAUTH XOAUTH2 " + XTok + "\r\n\r\nAUTH XOAUTH2 " + XNew + "\r\nSTAT\r\nQUIT\r\n",
         "",
         R"({"status":"invalid_token"})",
         "new"},
        {"refused twice",
         TSignIn::XOAuth2,
         "tok",
         {ok, CapaXOAuth2, "-ERR\r\n", "-ERR\r\n", ok},
         "CAPA\r\nAUTH XOAUTH2 " + XTok + "\r\nAUTH XOAUTH2 " + XNew + "\r\nQUIT\r\n",
         authFailed,
         "",
         "new"},
        {"oauth2 not listed",
         TSignIn::OAuth2,
         "tok",
         {ok, CapaPlain, ok},
         "CAPA\r\nQUIT\r\n",
         "The server does not offer sign-in with OAuth2"},
        {"plain not listed",
         TSignIn::Plain,
         "pw",
         {ok, "+OK\r\nSASL XOAUTH2\r\n.\r\n", ok},
         "CAPA\r\nQUIT\r\n",
         "The server does not offer sign-in with PLAIN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPeer peer(Conversation(c.server));
        TPop3Client client;
        PrepareSignIn(client, peer, c.signIn, c.secret);
        int asked = 0;
        if (!c.renewed.empty())
            client.OnAuthenticationFailed = [&](bool& handled) {
                ++asked;
                client.Password = c.renewed;
                handled = true;
            };
        EXPECT_EQ(FailureOf([&] {
                      client.Connect();
                      client.Disconnect();
                  }),
                  c.failure);
        ASSERT_TRUE(peer.WaitDone());
        EXPECT_EQ(peer.Received(0), Expand(c.sent, peer.Port()));
        EXPECT_EQ(client.LogInRefusal().Challenge, c.challenge);
        EXPECT_EQ(asked, c.renewed.empty() ? 0 : 1);
        const bool refused = c.failure == authFailed || !c.renewed.empty();
        EXPECT_EQ(client.LogInRefusal().Command, refused ? "AUTH" : "");
        EXPECT_FALSE(client.Busy());
        EXPECT_FALSE(client.Connected());
    }
}

// A credential the mechanism cannot carry fails before any connection is made.
TEST(Pop3Auth, UnsendableCredentialsNeverConnect) {
    const struct {
        TSignIn signIn;
        std::string secret;
    } cases[] = {{TSignIn::Plain, std::string("p\0w", 3)},
                 {TSignIn::XOAuth2, "to\1k"},
                 {TSignIn::OAuth2, "tok\r\nDELE 1"},
                 {TSignIn::OAuthBearer, std::string(20000, 't')}};
    ScriptedPeer peer(Script().Close());
    for (const auto& c : cases) {
        TPop3Client client;
        PrepareSignIn(client, peer, c.signIn, c.secret);
        EXPECT_EQ(FailureOf([&] { client.Connect(); }), "Authentication failed");
    }
    EXPECT_EQ(peer.Connections(), 0u);
}

TEST(Pop3Auth, CancelEndsTheExchange) {
    ScriptedPeer peer(Conversation({"+OK\r\n", CapaXOAuth2}).ReadLine().Stall(3000));
    TPop3Client client;
    PrepareSignIn(client, peer, TSignIn::XOAuth2, "tok");
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        client.Cancel();
    });
    EXPECT_EQ(FailureOf([&] { client.Connect(); }), "Socket readln aborted");
    canceller.join();
    EXPECT_FALSE(client.Busy());
    EXPECT_FALSE(client.Connected());
}

TEST(Pop3Auth, OAuthBearerEscapesTheUserInItsHeader) {
    EXPECT_EQ(SaslInitialResponse(TSaslMechanism::OAuthBearer, "a,b=c", "t", "h", 995),
              "n,a=a=2Cb=3Dc,\1host=h\1port=995\1auth=Bearer t\1\1");
}

// PIPELINING listed with the mechanisms needs no second CAPA before the summaries.
TEST(Pop3Auth, TheCapabilitiesOfTheSignInServeThePipelining) {
    ScriptedPeer peer(Conversation({"+OK\r\n", "+OK\r\nPIPELINING\r\nSASL PLAIN\r\n.\r\n",
                                    "+OK\r\n", "+OK 2 20\r\n", "+OK\r\n"}));
    TPop3Client client;
    PrepareSignIn(client, peer, TSignIn::Plain, "pw");
    client.Connect();
    client.PlanSummaries(1, 2);
    client.Disconnect();
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(0), "CAPA\r\nAUTH PLAIN " + Plain + "\r\nSTAT\r\nQUIT\r\n");
}
