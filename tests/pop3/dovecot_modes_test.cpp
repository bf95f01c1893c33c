// The client against the Dovecot fixture over each connection security; what does not depend
// on the security runs against every server in server_test.cpp.
#include "tests/pop3/pop3_test_support.h"
#include "tests/support/dovecot_fixture.h"
#include "tests/support/test_certs.h"

#include <gtest/gtest.h>

using test_support::DovecotManifest;
using test_support::DovecotMessage;
using test_support::DovecotPort;

namespace {

void Prepare(TPop3Client& client, const std::string& user, const std::string& password,
             TTransportSecurity security = TTransportSecurity::None) {
    client.Host = "127.0.0.1";
    client.Port =
        security == TTransportSecurity::Tls ? test_support::DovecotTlsPort() : DovecotPort();
    client.Security = security;
    client.TimeOut = 30000;
    client.UserID = user;
    client.Password = password;
    // The fixture's certificate verifies with the test authority: nobody is asked.
    TTlsChannel::TrustAlsoAuthority(test_support::CertPath("ca"));
    client.OnUntrustedCertificate = [](const TCertificateReport& report) {
        ADD_FAILURE() << "asked to trust: " << report.Reason;
        return false;
    };
}

const char* Name(TTransportSecurity security) {
    return security == TTransportSecurity::Tls        ? "SSL/TLS"
           : security == TTransportSecurity::StartTls ? "STARTTLS"
                                                      : "None";
}

const TTransportSecurity AllModes[] = {TTransportSecurity::None, TTransportSecurity::StartTls,
                                       TTransportSecurity::Tls};

// The value the client takes from the last header line starting with the prefix.
std::string LastValue(const DovecotMessage& message, const std::string& prefix) {
    std::string value;
    for (const std::string& line : message.headerLines)
        if (line.rfind(prefix, 0) == 0) value = line.substr(prefix.size());
    return value;
}

} // namespace

TEST(Dovecot, ChecksTheVariedMailboxOverEachMode) {
    ASSERT_NE(DovecotPort(), 0) << "the Dovecot fixture is not running";
    const std::vector<DovecotMessage> manifest = DovecotManifest("alice");
    for (const TTransportSecurity security : AllModes) {
        SCOPED_TRACE(Name(security));
        TPop3Client client;
        Prepare(client, "alice", "secret", security);
        std::vector<std::pair<int32_t, int32_t>> listed;
        client.OnList = [&](int32_t msg, int32_t size) { listed.emplace_back(msg, size); };
        client.Connect();
        ASSERT_EQ(client.MessageCount(), static_cast<int32_t>(manifest.size()));
        client.List();
        ASSERT_EQ(listed.size(), manifest.size());
        for (const DovecotMessage& expected : manifest) {
            SCOPED_TRACE("message " + std::to_string(expected.number));
            EXPECT_EQ(listed[static_cast<size_t>(expected.number - 1)].second, expected.size);
            client.GetSummary(expected.number);
            const TSummary& summary = client.Summary();
            std::vector<std::string> header = expected.headerLines;
            header.insert(header.end(), {"", "."});
            EXPECT_EQ(summary.Header.Lines(), header);
            EXPECT_EQ(summary.Bytes, expected.size);
            EXPECT_EQ(summary.Subject, LastValue(expected, "Subject:"));
            EXPECT_EQ(summary.From, LastValue(expected, "From:"));
            const std::string id = LastValue(expected, "Message-ID:");
            EXPECT_EQ(summary.MessageId, id.empty() ? "" : id.substr(1) + "\r\n");
        }
        EXPECT_EQ(client.TlsActive(), security != TTransportSecurity::None);
        client.Disconnect();
        EXPECT_FALSE(client.Connected());
    }
}

// On dave's mailbox, written afresh for each mode.
TEST(Dovecot, DeletionOverEachModeIsSeenByTheNextSession) {
    for (const TTransportSecurity security : AllModes) {
        SCOPED_TRACE(Name(security));
        test_support::RefillDovecotMailbox("dave", {"Subject: one\nMessage-ID: <1@x>\n\na\n",
                                                    "Subject: two\nMessage-ID: <2@x>\n\nb\n"});
        TPop3Client client;
        Prepare(client, "dave", "secret", security);
        client.Connect();
        ASSERT_EQ(client.MessageCount(), 2);
        bool success = false;
        client.OnSuccess = [&](QObject*) { success = true; };
        client.DeleteMailMessage(1);
        EXPECT_TRUE(success);
        client.Disconnect();

        TPop3Client again;
        Prepare(again, "dave", "secret", security);
        again.Connect();
        EXPECT_EQ(again.MessageCount(), 1);
        again.GetSummary(1);
        EXPECT_EQ(again.Summary().MessageId, "<2@x>\r\n"); // the former second message moved up
        again.Disconnect();
    }
}
