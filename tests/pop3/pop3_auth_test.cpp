// Sign-in through AUTH (SASL PLAIN, XOAUTH2, OAUTHBEARER) against scripted servers: the exact
// bytes sent for every exchange and failure.
#include "pop3/sasl.h"
#include "tests/pop3/pop3_test_support.h"

#include <QByteArray>
#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using test_support::EmptyLine;

namespace {

const std::string CapaPlain = "+OK\r\nUSER\r\nSASL PLAIN\r\n.";
const std::string CapaXOAuth2 = "+OK\r\nSASL PLAIN XOAUTH2\r\n.";
const std::string CapaBoth = "+OK\r\nsasl xoauth2 oauthbearer\r\n.";
const std::string Plain = "AGJvYgBwdw==";                           // "\0bob\0pw"
const std::string XTok = "dXNlcj1ib2IBYXV0aD1CZWFyZXIgdG9rAQE=";    // user=bob, Bearer tok
const std::string XNew = "dXNlcj1ib2IBYXV0aD1CZWFyZXIgbmV3AQE=";    // user=bob, Bearer new
const std::string Invalid = "eyJzdGF0dXMiOiJpbnZhbGlkX3Rva2VuIn0="; // {"status":"invalid_token"}
const std::string LongToken(300, 'x');
const Exchange Greeting = {"", "+OK"}, Stat = {"STAT", "+OK 0 0"};

std::string Encoded(const std::string& text) {
    return QByteArray::fromStdString(text).toBase64().toStdString();
}

// OAUTHBEARER's initial response names the peer's port, so its conversations take it as "*".
std::string OAuthBearer(uint16_t port) {
    return "AUTH OAUTHBEARER " +
           Encoded("n,a=bob,\1host=127.0.0.1\1port=" + std::to_string(port) +
                   "\1auth=Bearer tok\1\1") +
           "\r\n";
}

void PrepareSignIn(TPop3Client& client, const ScriptedPeer& peer, TSignIn signIn,
                   const std::string& secret) {
    Prepare(client, peer, secret);
    client.SignIn = signIn;
}

} // namespace

// RFC 5034's exchanges, with the initial response inline where it fits (RFC 2449's 255 octets).
// Each conversation begins with the greeting and CAPA and ends with QUIT.
TEST(Pop3Auth, Exchanges) {
    struct Case {
        const char* name;
        TSignIn signIn;
        std::string secret;
        std::string capa; // the reply to CAPA
        std::vector<Exchange> talk;
        std::string failure = "";
        std::string challenge = "";
        std::string renewed = ""; // the secret OnAuthenticationFailed puts in, if any
    };
    const std::string failed = "Authentication failed";
    const std::string invalid = R"({"status":"invalid_token"})";
    const Exchange ok = {"AUTH XOAUTH2 " + XTok, "+OK"};
    const Case cases[] = {
        {"plain, initial response inline",
         TSignIn::Plain,
         "pw",
         CapaPlain,
         {{"AUTH PLAIN " + Plain, "+OK"}, Stat}},
        {"xoauth2 named", TSignIn::XOAuth2, "tok", CapaXOAuth2, {ok, Stat}},
        {"oauth2 takes oauthbearer where both are listed",
         TSignIn::OAuth2,
         "tok",
         CapaBoth,
         {{"AUTH OAUTHBEARER *", "+OK"}, Stat}},
        {"oauth2 without CAPA tries xoauth2", TSignIn::OAuth2, "tok", "-ERR unknown", {ok, Stat}},
        {"a long response follows the continuation",
         TSignIn::XOAuth2,
         LongToken,
         CapaXOAuth2,
         {{"AUTH XOAUTH2", "+ "},
          {Encoded("user=bob\1auth=Bearer " + LongToken + "\1\1"), "+OK"},
          Stat}},
        {"a server that wants the response on its own line",
         TSignIn::Plain,
         "pw",
         CapaPlain,
         {{"AUTH PLAIN " + Plain, "+"}, {Plain, "+OK"}, Stat}},
        {"plain refused",
         TSignIn::Plain,
         "pw",
         CapaPlain,
         {{"AUTH PLAIN " + Plain, "-ERR [AUTH] no"}},
         failed},
        {"xoauth2 error challenge",
         TSignIn::XOAuth2,
         "tok",
         CapaXOAuth2,
         {{"AUTH XOAUTH2 " + XTok, "+ " + Invalid}, {EmptyLine, "-ERR [AUTH] expired"}},
         failed,
         invalid},
        {"oauthbearer error challenge gets the dummy response",
         TSignIn::OAuthBearer,
         "tok",
         CapaBoth,
         {{"AUTH OAUTHBEARER *", "+ " + Invalid}, {"AQ==", "-ERR"}},
         failed,
         invalid},
        {"a second challenge cancels",
         TSignIn::XOAuth2,
         "tok",
         CapaXOAuth2,
         {{"AUTH XOAUTH2 " + XTok, "+ " + Invalid}, {EmptyLine, "+ " + Invalid}, {"*", "-ERR"}},
         failed,
         invalid},
        {"refused once, renewed token accepted",
         TSignIn::XOAuth2,
         "tok",
         CapaXOAuth2,
         {{"AUTH XOAUTH2 " + XTok, "+ " + Invalid},
          {EmptyLine, "-ERR"},
          {"AUTH XOAUTH2 " + XNew, "+OK"},
          Stat},
         "",
         invalid,
         "new"},
        {"refused twice",
         TSignIn::XOAuth2,
         "tok",
         CapaXOAuth2,
         {{"AUTH XOAUTH2 " + XTok, "-ERR"}, {"AUTH XOAUTH2 " + XNew, "-ERR"}},
         failed,
         "",
         "new"},
        {"oauth2 not listed",
         TSignIn::OAuth2,
         "tok",
         CapaPlain,
         {},
         "The server does not offer sign-in with OAuth2"},
        {"plain not listed",
         TSignIn::Plain,
         "pw",
         "+OK\r\nSASL XOAUTH2\r\n.",
         {},
         "The server does not offer sign-in with PLAIN"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedPeer peer(Talk({Greeting, {"CAPA", c.capa}}).Talk(c.talk).Talk({Quit}));
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
        for (const std::string& line : peer.Lines(0))
            if (line.rfind("AUTH OAUTHBEARER", 0) == 0) {
                EXPECT_EQ(line, OAuthBearer(peer.Port()));
            }
        EXPECT_EQ(client.LogInRefusal().Challenge, c.challenge);
        EXPECT_EQ(asked, c.renewed.empty() ? 0 : 1);
        const bool refused = c.failure == failed || !c.renewed.empty();
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
    ScriptedPeer peer(
        Talk({Greeting, {"CAPA", CapaXOAuth2}, {"AUTH XOAUTH2 " + XTok, ""}}).Stall(3000));
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
    ScriptedPeer peer(Talk({Greeting,
                            {"CAPA", "+OK\r\nPIPELINING\r\nSASL PLAIN\r\n."},
                            {"AUTH PLAIN " + Plain, "+OK"},
                            {"STAT", "+OK 2 20"},
                            Quit}));
    TPop3Client client;
    PrepareSignIn(client, peer, TSignIn::Plain, "pw");
    client.Connect();
    client.PlanSummaries(1, 2);
    client.Disconnect();
}
