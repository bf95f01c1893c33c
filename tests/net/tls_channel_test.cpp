// The TLS channel against a server end in memory, with the test certificates.
#include "net/tls_channel.h"
#include "tests/support/test_certs.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace {
using test_support::CertFingerprint;
using test_support::CertPath;
using test_support::TlsServerEnd;

// Moves bytes both ways until the client's handshake is done; false when it never is.
bool Connect(TTlsChannel& client, TlsServerEnd& server) {
    for (int round = 0; round < 20; ++round) {
        const bool done = client.Handshake();
        server.Feed(client.TakeOutgoing());
        server.Handshake();
        client.Feed(server.TakeOutgoing());
        if (done) return true;
    }
    return false;
}

struct TrustCase {
    const char* cert;
    const char* host;
    bool trustTestAuthority;
    const char* reason; // "" when the certificate verifies
};

class TlsTrust : public testing::TestWithParam<TrustCase> {
protected:
    void TearDown() override { TTlsChannel::TrustAlsoAuthority(""); }
};

TEST_P(TlsTrust, VerifiesOrSaysWhyNot) {
    const TrustCase& c = GetParam();
    TTlsChannel::TrustAlsoAuthority(c.trustTestAuthority ? CertPath("ca") : "");
    TTlsChannel client(c.host);
    TlsServerEnd server(c.cert);
    ASSERT_TRUE(Connect(client, server));
    EXPECT_EQ(client.Certificate().Reason, c.reason);
    EXPECT_EQ(client.Verified(), std::string(c.reason).empty());
    EXPECT_EQ(client.Certificate().Fingerprint, CertFingerprint(c.cert));
}

INSTANTIATE_TEST_SUITE_P(
    Certificates, TlsTrust,
    testing::Values(TrustCase{"valid", "127.0.0.1", true, ""},
                    TrustCase{"valid", "localhost", true, ""},
                    TrustCase{"valid", "127.0.0.1", false,
                              "the certificate was issued by an unknown authority"},
                    TrustCase{"expired", "127.0.0.1", true, "the certificate has expired"},
                    TrustCase{"otherhost", "127.0.0.1", true,
                              "the certificate was issued for another host name"},
                    TrustCase{"otherhost", "localhost", true,
                              "the certificate was issued for another host name"},
                    TrustCase{"selfsigned", "localhost", true, "the certificate is self-signed"},
                    TrustCase{"selfsigned", "127.0.0.1", false, "the certificate is self-signed"},
                    TrustCase{"weak", "127.0.0.1", true,
                              "the certificate's key is weak (RSA of 1024 bits, where 2048 are "
                              "needed); the certificate is signed with a weak method (SHA-1)"}));

TEST(TlsChannel, ReportsTheCertificate) {
    TTlsChannel client("127.0.0.1");
    TlsServerEnd server("expired");
    ASSERT_TRUE(Connect(client, server));
    const TCertificateReport& report = client.Certificate();
    EXPECT_EQ(report.Subject, "CN=localhost");
    EXPECT_EQ(report.Issuer, "CN=Vellion Test Authority");
    EXPECT_EQ(report.ValidFrom, "2020-01-01 00:00:00 UTC");
    EXPECT_EQ(report.ValidUntil, "2021-01-01 00:00:00 UTC");
}

TEST(TlsChannel, SendsTheServerNameOnlyForNames) {
    for (const std::string host : {"localhost", "127.0.0.1"}) {
        TTlsChannel client(host);
        TlsServerEnd server("valid");
        ASSERT_TRUE(Connect(client, server));
        EXPECT_EQ(server.RequestedName(), host == "localhost" ? host : "");
    }
}

TEST(TlsChannel, CarriesTextBothWaysUntilTheServerCloses) {
    TTlsChannel client("localhost");
    TlsServerEnd server("valid");
    ASSERT_TRUE(Connect(client, server));
    client.Write("USER bob\r\n");
    server.Feed(client.TakeOutgoing());
    EXPECT_EQ(server.Read(), "USER bob\r\n");
    const std::string reply = "+OK " + std::string(40000, 'x') + "\r\n"; // several records
    server.Write(reply);
    server.Close();
    std::string plain;
    const std::string wire = server.TakeOutgoing();
    client.Feed(wire.substr(0, 7)); // a record cut in two gives nothing yet
    EXPECT_EQ(client.Read(plain), 0u);
    client.Feed(wire.substr(7));
    EXPECT_EQ(client.Read(plain), reply.size());
    EXPECT_EQ(plain, reply);
    EXPECT_TRUE(client.PeerClosed());
}

// A server that answers in plain text, and one that closes half-way through the handshake.
TEST(TlsChannel, AFailedHandshakeSaysWhy) {
    enum class Server { Drops, Plain, OldTls };
    const struct {
        Server server;
        std::string failure;
        TSockErrorKind kind;
    } cases[] = {
        {Server::Drops, "the server closed the connection", TSockErrorKind::TlsFailed},
        {Server::Plain, "the server does not speak TLS on this port", TSockErrorKind::TlsFailed},
        {Server::OldTls, OldTlsReason, TSockErrorKind::OldTls},
    };
    for (const auto& c : cases) {
        TTlsChannel client("127.0.0.1");
        TlsServerEnd server("valid", c.server == Server::OldTls);
        EXPECT_FALSE(client.Handshake());
        server.Feed(client.TakeOutgoing());
        try {
            server.Handshake();
        } catch (const std::runtime_error&) {
            // the old server refuses the hello; its alert is what the client reads
        }
        if (c.server == Server::Drops) {
            client.Feed(server.TakeOutgoing().substr(0, 20));
            client.FeedEnd();
        } else if (c.server == Server::Plain) {
            client.Feed("+OK POP3 server ready\r\n");
        } else {
            client.Feed(server.TakeOutgoing());
        }
        try {
            client.Handshake();
            ADD_FAILURE() << "no failure: " << c.failure;
        } catch (const ETlsError& failure) {
            EXPECT_EQ(failure.Message(), "TLS handshake failed: " + c.failure);
            EXPECT_EQ(failure.Kind(), c.kind) << c.failure;
        }
    }
}

TEST(TlsChannel, GarbageAfterTheHandshakeFailsTheRead) {
    TTlsChannel client("localhost");
    TlsServerEnd server("valid");
    ASSERT_TRUE(Connect(client, server));
    client.Feed(std::string(64, '\x17'));
    std::string plain;
    EXPECT_THROW(client.Read(plain), ETlsError);
}

} // namespace
