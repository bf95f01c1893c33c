// STLS and TLS from the first byte against scripted servers wrapped in TLS: what reaches the
// server in clear text, and how a handshake ends when the server fails or the user cancels.
#include "tests/pop3/pop3_test_support.h"
#include "tests/support/test_certs.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace {

void PrepareTls(TPop3Client& client, const ScriptedPeer& peer, TTransportSecurity security) {
    TTlsChannel::TrustAlsoAuthority(test_support::CertPath("ca"));
    Prepare(client, peer);
    client.Security = security;
}

} // namespace

// RFC 2595: STLS, then the log-in inside TLS; the server reads nothing in clear text after it.
TEST(Pop3Tls, StlsUpgradesBeforeTheLogIn) {
    ScriptedPeer peer(
        Talk({{"", "+OK ready"}, {"CAPA", "+OK\r\nUSER\r\nstls\r\n."}, {"STLS", "+OK go"}})
            .Tls("valid")
            .Talk(LogIn())
            .Talk({Quit})
            .Close());
    TPop3Client client;
    PrepareTls(client, peer, TTransportSecurity::StartTls);
    client.Connect();
    EXPECT_TRUE(client.TlsActive());
    client.Disconnect();
}

TEST(Pop3Tls, NoStlsStopsTheCheckBeforeAnyCredential) {
    const std::vector<Exchange> cases[] = {
        {{"CAPA", "+OK\r\nUSER\r\nUIDL\r\n."}},
        {{"CAPA", "+OK\r\nSTLS\r\n."}, {"STLS", "-ERR not now"}},
        {{"CAPA", "-ERR what"}, {"STLS", "-ERR what"}},
    };
    for (const auto& talk : cases) {
        SCOPED_TRACE(talk[0].server);
        ScriptedPeer peer(Talk({{"", "+OK"}}).Talk(talk).Talk({Quit}).Close());
        TPop3Client client;
        PrepareTls(client, peer, TTransportSecurity::StartTls);
        EXPECT_EQ(FailureOf([&] { client.Connect(); }), "The server does not offer STARTTLS");
        EXPECT_FALSE(client.Connected());
    }
}

TEST(Pop3Tls, TlsFromTheFirstByte) {
    Script script;
    ScriptedPeer peer(LogInAndQuit(script.Tls("valid")));
    TPop3Client client;
    PrepareTls(client, peer, TTransportSecurity::Tls);
    client.Connect();
    client.Disconnect();
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
    ScriptedPeer peer(Talk({{"", "+OK ready"}, {"CAPA", "+OK\r\nSTLS\r\n."}, {"STLS", "+OK go"}})
                          .Tls("valid")
                          .Talk({{"CAPA", "+OK\r\nSASL XOAUTH2\r\n."},
                                 {"AUTH XOAUTH2 dXNlcj1ib2IBYXV0aD1CZWFyZXIgdG9rAQE=", "+OK"},
                                 {"STAT", "+OK 0 0"},
                                 Quit})
                          .Close());
    TPop3Client client;
    PrepareTls(client, peer, TTransportSecurity::StartTls);
    client.SignIn = TSignIn::OAuth2;
    client.Password = "tok";
    client.Connect();
    client.Disconnect();
}
