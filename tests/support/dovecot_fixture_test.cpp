// The Dovecot fixture: the server runs, the users log in, and the manifest describes the
// mailboxes as the server reports them.
#include "net/tls_channel.h"
#include "tests/support/blocking_client.h"
#include "tests/support/dovecot_fixture.h"
#include "tests/support/test_certs.h"

#include <gtest/gtest.h>
#include <set>
#include <sstream>

using test_support::BlockingClient;
using test_support::DovecotManifest;
using test_support::DovecotPort;
using test_support::DovecotTlsPort;

namespace {

std::string Ask(BlockingClient& client, const std::string& command) {
    client.Send(command + "\r\n");
    return client.ReadLine();
}

// Connects and logs in; fails the test when either step fails.
void LogIn(BlockingClient& client, const std::string& user, const std::string& password) {
    ASSERT_EQ(client.ReadLine().substr(0, 3), "+OK");
    ASSERT_EQ(Ask(client, "USER " + user).substr(0, 3), "+OK");
    ASSERT_EQ(Ask(client, "PASS " + password).substr(0, 3), "+OK");
}

// The lines of a multi-line reply after its status line, line ends and terminator removed.
std::vector<std::string> Body(const std::string& reply) {
    std::vector<std::string> lines;
    std::istringstream in(reply);
    std::string line;
    std::getline(in, line); // status line
    while (std::getline(in, line) && line != ".\r")
        lines.push_back(line.substr(0, line.size() - 1));
    return lines;
}

} // namespace

TEST(DovecotFixture, ListMatchesTheManifestSizes) {
    ASSERT_NE(DovecotPort(), 0);
    auto manifest = DovecotManifest("alice");
    ASSERT_GE(manifest.size(), 10u);
    BlockingClient client(DovecotPort());
    LogIn(client, "alice", "secret");
    client.Send("LIST\r\n");
    std::vector<std::string> listing = Body(client.ReadUntil("\r\n.\r\n"));
    ASSERT_EQ(listing.size(), manifest.size());
    for (size_t i = 0; i < manifest.size(); ++i)
        EXPECT_EQ(listing[i],
                  std::to_string(manifest[i].number) + " " + std::to_string(manifest[i].size));
    EXPECT_EQ(Ask(client, "QUIT").substr(0, 3), "+OK");
}

TEST(DovecotFixture, TopGivesTheManifestHeaderByteForByte) {
    ASSERT_NE(DovecotPort(), 0);
    BlockingClient client(DovecotPort());
    LogIn(client, "alice", "secret");
    bool sawEightBit = false;
    for (const auto& message : DovecotManifest("alice")) {
        client.Send("TOP " + std::to_string(message.number) + " 0\r\n");
        std::vector<std::string> header = Body(client.ReadUntil("\r\n.\r\n"));
        ASSERT_FALSE(header.empty());
        EXPECT_EQ(header.back(), ""); // the empty line that ends the header
        header.pop_back();
        EXPECT_EQ(header, message.headerLines) << "message " << message.number;
        for (unsigned char c : message.subjectLine)
            sawEightBit = sawEightBit || c >= 0x80;
    }
    EXPECT_TRUE(sawEightBit);
}

TEST(DovecotFixture, EveryUserLogsInWithTheExpectedCount) {
    ASSERT_NE(DovecotPort(), 0);
    const std::pair<const char*, const char*> users[] = {{"alice", "secret"},
                                                         {"bob", "secret"},
                                                         {"bulk", "secret"},
                                                         {"carol", "secret"},
                                                         {"demo", "demo"}};
    for (auto [user, password] : users) {
        BlockingClient client(DovecotPort());
        LogIn(client, user, password);
        std::string stat = Ask(client, "STAT");
        ASSERT_EQ(stat.rfind("+OK ", 0), 0u) << user;
        const size_t count = std::stoul(stat.substr(4));
        // Other tests delete carol's messages.
        if (std::string(user) == "carol")
            EXPECT_LE(count, DovecotManifest(user).size());
        else
            EXPECT_EQ(count, DovecotManifest(user).size()) << user;
    }
    EXPECT_EQ(DovecotManifest("bob").size(), 0u);
    EXPECT_EQ(DovecotManifest("bulk").size(), 1000u);
}

TEST(DovecotFixture, WrongPasswordIsRefused) {
    ASSERT_NE(DovecotPort(), 0);
    BlockingClient client(DovecotPort(), 10000); // Dovecot delays its answer to a failed log-in
    client.ReadLine();
    Ask(client, "USER alice");
    EXPECT_EQ(Ask(client, "PASS wrong").substr(0, 4), "-ERR");
}

TEST(DovecotFixture, DemoMailboxHasDistinctSenders) {
    std::set<std::string> senders, subjects;
    for (const auto& message : DovecotManifest("demo")) {
        senders.insert(message.fromLine);
        subjects.insert(message.subjectLine);
        EXPECT_FALSE(message.dateLine.empty());
    }
    EXPECT_EQ(senders.size(), 12u);
    EXPECT_EQ(subjects.size(), 12u);
}

TEST(DovecotFixture, ManifestRecordsMissingAndOddFields) {
    auto manifest = DovecotManifest("alice");
    int withoutDate = 0, lowerCaseDate = 0, folded = 0, large = 0;
    for (const auto& message : manifest) {
        withoutDate += message.dateLine.empty();
        lowerCaseDate += message.dateLine.rfind("date:", 0) == 0;
        for (const auto& line : message.headerLines)
            folded += !line.empty() && (line[0] == '\t' || line[0] == ' ');
        large += message.size > 2000000;
    }
    EXPECT_GE(withoutDate, 1);
    EXPECT_GE(lowerCaseDate, 1);
    EXPECT_GE(folded, 2);
    EXPECT_EQ(large, 1); // one message of a few MB
    EXPECT_THROW(DovecotManifest("nobody"), std::runtime_error);
}

// POP3 from the first byte on the TLS port and after STLS on the plain one, both with the test
// certificate, which verifies against the test authority.
TEST(DovecotFixture, ServesPop3OverTlsAndAfterStls) {
    ASSERT_NE(DovecotTlsPort(), 0);
    TTlsChannel::TrustAlsoAuthority(test_support::CertPath("ca"));
    const std::string count = std::to_string(DovecotManifest("alice").size());
    for (const bool stls : {false, true}) {
        BlockingClient client(stls ? DovecotPort() : DovecotTlsPort());
        if (stls) {
            ASSERT_EQ(client.ReadLine().substr(0, 3), "+OK");
            ASSERT_EQ(Ask(client, "STLS").substr(0, 3), "+OK");
        }
        TTlsChannel tls("127.0.0.1");
        bool done = false;
        for (int round = 0; round < 20 && !done; ++round) {
            done = tls.Handshake();
            client.Send(tls.TakeOutgoing());
            if (!done) tls.Feed(client.ReadSome());
        }
        ASSERT_TRUE(done);
        EXPECT_TRUE(tls.Verified()) << tls.Certificate().Reason;
        tls.Write("USER alice\r\nPASS secret\r\nSTAT\r\nQUIT\r\n");
        client.Send(tls.TakeOutgoing());
        std::string plain;
        for (int round = 0; round < 50 && plain.find("Logging out") == std::string::npos; ++round) {
            tls.Feed(client.ReadSome());
            tls.Read(plain);
        }
        EXPECT_NE(plain.find("+OK Logged in"), std::string::npos) << plain;
        EXPECT_NE(plain.find("+OK " + count + " "), std::string::npos) << plain;
        EXPECT_EQ(plain.find("Dovecot") != std::string::npos, !stls) << "the greeting comes once";
    }
    TTlsChannel::TrustAlsoAuthority("");
}
