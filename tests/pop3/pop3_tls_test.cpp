// STLS and TLS from the first byte against scripted servers wrapped in TLS: what reaches the
// server in clear text, and how a handshake ends when the server fails or the user cancels.
#include "tests/pop3/pop3_test_support.h"
#include "tests/support/scripted_peer.h"
#include "tests/support/test_certs.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

using test_support::Script;
using test_support::ScriptedPeer;

namespace {

void PrepareTls(TPop3Client& client, const ScriptedPeer& peer, TTransportSecurity security) {
    TTlsChannel::TrustAlsoAuthority(test_support::CertPath("ca"));
    Prepare(client, peer);
    client.Security = security;
}

} // namespace

TEST(Pop3Tls, StlsUpgradesBeforeTheLogIn) {
    Script script = Conversation({"+OK ready\r\n", "+OK\r\nUSER\r\nstls\r\n.\r\n", "+OK go\r\n"});
    script.Tls("valid");
    script.ReadLine().Send("+OK\r\n").ReadLine().Send("+OK\r\n").ReadLine().Send("+OK 0 0\r\n");
    script.ReadLine().Send("+OK bye\r\n").Close();
    ScriptedPeer peer(script);
    TPop3Client client;
    PrepareTls(client, peer, TTransportSecurity::StartTls);
    client.Connect();
    EXPECT_TRUE(client.TlsActive());
    client.Disconnect();
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_TRUE(peer.Errors().empty());
    // After STLS the transcript is what TLS carried: the server reads nothing else.
    EXPECT_EQ(peer.Received(0), "CAPA\r\nSTLS\r\nUSER bob\r\nPASS pw\r\nSTAT\r\nQUIT\r\n");
}

TEST(Pop3Tls, NoStlsStopsTheCheckBeforeAnyCredential) {
    const struct {
        std::vector<std::string> replies; // greeting, then one per command
        const char* sent;
    } cases[] = {
        {{"+OK\r\n", "+OK\r\nUSER\r\nUIDL\r\n.\r\n", "+OK\r\n"}, "CAPA\r\nQUIT\r\n"},
        {{"+OK\r\n", "+OK\r\nSTLS\r\n.\r\n", "-ERR not now\r\n", "+OK\r\n"},
         "CAPA\r\nSTLS\r\nQUIT\r\n"},
        {{"+OK\r\n", "-ERR what\r\n", "-ERR what\r\n", "+OK\r\n"}, "CAPA\r\nSTLS\r\nQUIT\r\n"},
    };
    for (const auto& c : cases) {
        ScriptedPeer peer(Conversation(c.replies).Close());
        TPop3Client client;
        PrepareTls(client, peer, TTransportSecurity::StartTls);
        EXPECT_EQ(FailureOf([&] { client.Connect(); }), "The server does not offer STARTTLS");
        EXPECT_FALSE(client.Connected());
        ASSERT_TRUE(peer.WaitDone());
        EXPECT_EQ(peer.Received(0), c.sent) << c.replies[1];
    }
}

TEST(Pop3Tls, TlsFromTheFirstByte) {
    Script script;
    ScriptedPeer peer(LogInAndQuit(script.Tls("valid")));
    TPop3Client client;
    PrepareTls(client, peer, TTransportSecurity::Tls);
    client.Connect();
    client.Disconnect();
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(0), "USER bob\r\nPASS pw\r\nSTAT\r\nQUIT\r\n");
}

// Each ends with a clean session: not connected, and the next Connect works. The servers stall
// far longer than the time-out and the Cancel, so the text tells which ended the handshake.
TEST(Pop3Tls, HandshakeEnds) {
    const struct {
        const char* name;
        Script server;
        int cancelAfterMs; // 0: no Cancel
        const char* failure;
    } cases[] = {
        {"drop", Script().Wait(100).Close(), 0,
         "TLS handshake failed: the server closed the connection"},
        {"plain server", Script().Send("+OK ready\r\n").Stall(10000), 0,
         "TLS handshake failed: the server does not speak TLS on this port"},
        {"silence", Script().Stall(10000), 0,
         "TLS handshake failed: the server did not answer in time"},
        {"cancel", Script().Stall(10000), 200, "Connection Canceled"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Script second;
        ScriptedPeer peer({c.server, LogInAndQuit(second.Tls("valid"))});
        TPop3Client client;
        PrepareTls(client, peer, TTransportSecurity::Tls);
        client.TimeOut = 500;
        std::thread canceller([&] {
            if (c.cancelAfterMs == 0) return;
            std::this_thread::sleep_for(std::chrono::milliseconds(c.cancelAfterMs));
            client.Cancel();
        });
        const std::string failure = FailureOf([&] { client.Connect(); });
        canceller.join();
        EXPECT_EQ(failure, c.failure);
        EXPECT_FALSE(client.Connected());
        client.TimeOut = 5000;
        client.Connect();
        EXPECT_TRUE(client.TlsActive());
        client.Disconnect();
        EXPECT_TRUE(peer.WaitDone());
    }
}

// The token goes out only inside TLS; the capabilities are asked again there (RFC 2595).
TEST(Pop3Tls, AuthFollowsStlsAndAsksTheCapabilitiesAgain) {
    Script script = Conversation({"+OK ready\r\n", "+OK\r\nSTLS\r\n.\r\n", "+OK go\r\n"});
    script.Tls("valid");
    script.ReadLine().Send("+OK\r\nSASL XOAUTH2\r\n.\r\n").ReadLine().Send("+OK\r\n");
    script.ReadLine().Send("+OK 0 0\r\n").ReadLine().Send("+OK bye\r\n").Close();
    ScriptedPeer peer(script);
    TPop3Client client;
    PrepareTls(client, peer, TTransportSecurity::StartTls);
    client.SignIn = TSignIn::OAuth2;
    client.Password = "tok";
    client.Connect();
    client.Disconnect();
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(0), "CAPA\r\nSTLS\r\nCAPA\r\nAUTH XOAUTH2 "
                                "dXNlcj1ib2IBYXV0aD1CZWFyZXIgdG9rAQE=\r\nSTAT\r\nQUIT\r\n");
}
