// The client against real POP3 servers (the fixtures on 127.0.0.1), each run of the same checks
// told only how that server differs; Dovecot also over each connection security.
#include "mime/body_preview.h"
#include "tests/pop3/pop3_test_support.h"
#include "tests/support/dovecot_fixture.h"
#include "tests/support/test_certs.h"

#include <gtest/gtest.h>

using test_support::DovecotMessage;

namespace {

struct Server {
    std::string name;
    std::string fixture = name;
    TTransportSecurity security = TTransportSecurity::None;
    // Courier sends a notice in place of a header that holds 8-bit bytes, unless the client
    // announced UTF-8 (which this client never does); LIST still gives the message's size.
    bool replacesEightBitHeaders = false;
    // popa3d closes the connection after a rejected PASS, so the retry finds it gone (before or
    // after its USER went out): the start of the failure text.
    std::string secondLogInFailure = "Authentication failed";
    // popa3d accepts DELE with "+OK" and no text; how the client takes that reply is the
    // session tests' business (it changes with the DELE rule), here only that QUIT deleted.
    bool bareDeleReply = false;
};

// Case names carry the server's name, not the bytes of the struct.
void PrintTo(const Server& server, std::ostream* out) {
    *out << server.name;
}

const Server Servers[] = {
    {.name = "dovecot"},
    {.name = "dovecot_starttls", .fixture = "dovecot", .security = TTransportSecurity::StartTls},
    {.name = "dovecot_tls", .fixture = "dovecot", .security = TTransportSecurity::Tls},
    {.name = "courier", .replacesEightBitHeaders = true},
    {.name = "popa3d", .secondLogInFailure = "Socket ", .bareDeleReply = true},
};

class RealServer : public testing::TestWithParam<Server> {
protected:
    void Prepare(TPop3Client& client, const std::string& user, const std::string& password) {
        const Server& server = GetParam();
        ASSERT_NE(test_support::ServerPort(server.fixture), 0)
            << "the " << server.fixture << " fixture is not running";
        client.Host = "127.0.0.1";
        client.Port = server.security == TTransportSecurity::Tls
                          ? test_support::DovecotTlsPort()
                          : test_support::ServerPort(server.fixture);
        client.Security = server.security;
        client.TimeOut = 30000;
        client.UserID = user;
        client.Password = password;
        if (server.security == TTransportSecurity::None) return;
        // The fixture's certificate verifies with the test authority: nobody is asked.
        TTlsChannel::TrustAlsoAuthority(test_support::CertPath("ca"));
        client.OnUntrustedCertificate = [](const TCertificateReport& report) {
            ADD_FAILURE() << "asked to trust: " << report.Reason;
            return false;
        };
    }
};

bool HoldsEightBit(const DovecotMessage& message) {
    for (const std::string& line : message.headerLines)
        for (char c : line)
            if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

// The value the client takes from the last header line starting with the prefix.
std::string LastValue(const DovecotMessage& message, const std::string& prefix) {
    std::string value;
    for (const std::string& line : message.headerLines)
        if (line.rfind(prefix, 0) == 0) value = line.substr(prefix.size());
    return value;
}

} // namespace

TEST_P(RealServer, ChecksTheVariedMailbox) {
    const std::vector<DovecotMessage> manifest =
        test_support::ServerManifest(GetParam().fixture, "alice");
    TPop3Client client;
    Prepare(client, "alice", "secret");
    std::vector<std::pair<int32_t, int32_t>> listed;
    client.OnList = [&](int32_t msg, int32_t size) { listed.emplace_back(msg, size); };
    client.Connect();
    ASSERT_EQ(client.MessageCount(), static_cast<int32_t>(manifest.size()));
    client.List();
    ASSERT_EQ(listed.size(), manifest.size());
    client.PlanSummaries(1, client.MessageCount()); // as the program's check does
    for (const DovecotMessage& expected : manifest) {
        SCOPED_TRACE("message " + std::to_string(expected.number));
        EXPECT_EQ(listed[static_cast<size_t>(expected.number - 1)].second, expected.size);
        client.GetSummary(expected.number);
        const TSummary& summary = client.Summary();
        EXPECT_EQ(summary.Bytes, expected.size);
        if (GetParam().replacesEightBitHeaders && HoldsEightBit(expected)) {
            EXPECT_EQ(summary.Subject, " Cannot display Unicode content");
            continue;
        }
        std::vector<std::string> header = expected.headerLines;
        header.insert(header.end(), {"", "."});
        EXPECT_EQ(summary.Header.Lines(), header);
        EXPECT_EQ(summary.Subject, LastValue(expected, "Subject:"));
        EXPECT_EQ(summary.From, LastValue(expected, "From:"));
        const std::string id = LastValue(expected, "Message-ID:");
        EXPECT_EQ(summary.MessageId, id.empty() ? "" : id.substr(1) + "\r\n");
    }
    EXPECT_EQ(client.TlsActive(), GetParam().security != TTransportSecurity::None);
    client.Disconnect();
    EXPECT_FALSE(client.Connected());
}

TEST_P(RealServer, EmptyMailbox) {
    TPop3Client client;
    Prepare(client, "bob", "secret");
    int listed = 0;
    client.OnList = [&](int32_t, int32_t) { ++listed; };
    client.Connect();
    EXPECT_EQ(client.MessageCount(), 0);
    client.List();
    EXPECT_EQ(listed, 0);
    EXPECT_NE(FailureOf([&] { client.GetSummary(1); }).rfind("-ERR", 0), std::string::npos);
    client.Disconnect();
}

TEST_P(RealServer, WrongPasswordAsksOnceThenFails) {
    TPop3Client client;
    Prepare(client, "alice", "wrong");
    int asked = 0;
    client.OnAuthenticationFailed = [&](bool& handled) { handled = ++asked > 0; };
    EXPECT_EQ(FailureOf([&] { client.Connect(); }).rfind(GetParam().secondLogInFailure, 0), 0u);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(client.Connected());
}

TEST_P(RealServer, DeletionIsSeenByTheNextSession) {
    TPop3Client client;
    Prepare(client, "carol", "secret");
    client.Connect();
    const int32_t before = client.MessageCount();
    ASSERT_GE(before, 2);
    client.GetSummary(2);
    const std::string secondId = client.Summary().MessageId;
    bool success = false;
    client.OnSuccess = [&](QObject*) { success = true; };
    const std::string failure = FailureOf([&] { client.DeleteMailMessage(1); });
    if (!GetParam().bareDeleReply) {
        EXPECT_EQ(failure, "");
        EXPECT_TRUE(success);
    }
    client.Disconnect();

    TPop3Client again;
    Prepare(again, "carol", "secret");
    again.Connect();
    EXPECT_EQ(again.MessageCount(), before - 1);
    again.GetSummary(1);
    EXPECT_EQ(again.Summary().MessageId, secondId); // the former second message moved up
    again.Disconnect();
}

TEST_P(RealServer, PreviewsOfTheShapesOfRealMail) {
    const std::vector<DovecotMessage> manifest =
        test_support::ServerManifest(GetParam().fixture, "grace");
    TPop3Client client;
    Prepare(client, "grace", "secret");
    client.PreviewLines = 20;
    client.Connect();
    ASSERT_EQ(client.MessageCount(), static_cast<int32_t>(manifest.size()));
    client.PlanSummaries(1, client.MessageCount()); // the first lines of all, pipelined
    std::vector<TPreview> previews;
    for (const DovecotMessage& expected : manifest) {
        client.GetSummary(expected.number);
        previews.push_back(DecodePreview(client.Summary().Header.Lines(), client.Summary().Body));
    }
    for (const DovecotMessage& expected : manifest) { // and each on demand
        SCOPED_TRACE("message " + std::to_string(expected.number));
        const TPreview& preview = previews[static_cast<size_t>(expected.number - 1)];
        EXPECT_EQ(preview.Text, expected.preview);
        std::vector<std::string> names;
        for (const TAttachment& attachment : preview.Attachments)
            names.push_back(attachment.Name);
        EXPECT_EQ(names, expected.attachments);
        EXPECT_EQ(DecodePreview(client.GetTop(expected.number, 20)).Text, expected.preview);
    }
    client.Disconnect();
}

INSTANTIATE_TEST_SUITE_P(Pop3, RealServer, testing::ValuesIn(Servers),
                         [](const testing::TestParamInfo<Server>& tested) {
                             return tested.param.name;
                         });
