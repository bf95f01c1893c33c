// The fake POP3 server against a plain blocking client.
#include "tests/support/blocking_client.h"
#include "tests/support/fake_pop3_server.h"

#include <gtest/gtest.h>

using test_support::BlockingClient;
using test_support::FakeMessage;
using test_support::FakePop3Server;

namespace {

std::vector<FakeMessage> ThreeMessages() {
    return {{"Subject: one\nFrom: a@example.com", "first body\n.dotted line\nlast"},
            {"Subject: two\r\nFrom: b@example.com", "x"},
            {"Subject: three", ""}};
}

// Greeting, USER and PASS; true when logged in.
bool LogIn(BlockingClient& client, const std::string& password = "pw") {
    client.ReadLine();
    client.Send("USER bob\r\n");
    client.ReadLine();
    client.Send("PASS " + password + "\r\n");
    return client.ReadLine().rfind("+OK", 0) == 0;
}

std::string Ask(BlockingClient& client, const std::string& command) {
    client.Send(command + "\r\n");
    return client.ReadLine();
}

} // namespace

TEST(FakePop3Server, WireFormUsesCrLfAndAnEmptyLineAfterTheHeader) {
    EXPECT_EQ(test_support::WireForm({"A: 1\nB: 2", "x\r\ny"}), "A: 1\r\nB: 2\r\n\r\nx\r\ny\r\n");
    EXPECT_EQ(test_support::WireForm({"A: 1", ""}), "A: 1\r\n\r\n");
}

TEST(FakePop3Server, LogInStatListAndTheTranscript) {
    FakePop3Server server(ThreeMessages(), "bob", "pw");
    BlockingClient client(server.Port());
    ASSERT_TRUE(LogIn(client));
    const size_t size1 = test_support::WireForm(ThreeMessages()[0]).size();
    const size_t size2 = test_support::WireForm(ThreeMessages()[1]).size();
    const size_t size3 = test_support::WireForm(ThreeMessages()[2]).size();
    EXPECT_EQ(Ask(client, "STAT"), "+OK 3 " + std::to_string(size1 + size2 + size3) + "\r\n");
    client.Send("LIST\r\n");
    EXPECT_EQ(client.ReadUntil("\r\n.\r\n"), "+OK 3 messages\r\n1 " + std::to_string(size1) +
                                                 "\r\n2 " + std::to_string(size2) + "\r\n3 " +
                                                 std::to_string(size3) + "\r\n.\r\n");
    EXPECT_EQ(Ask(client, "LIST 2"), "+OK 2 " + std::to_string(size2) + "\r\n");
    EXPECT_EQ(Ask(client, "LIST 4"), "-ERR no such message\r\n");
    EXPECT_EQ(Ask(client, "QUIT"), "+OK bye\r\n");
    EXPECT_EQ(client.ReadToEnd(), "");
    ASSERT_TRUE(server.WaitConnections(1));
    EXPECT_EQ(server.Received(0),
              "USER bob\r\nPASS pw\r\nSTAT\r\nLIST\r\nLIST 2\r\nLIST 4\r\nQUIT\r\n");
    EXPECT_EQ(server.Commands(0).at(3), "LIST");
}

TEST(FakePop3Server, HoldsTheClientToTheCommandGrammar) {
    FakePop3Server server(ThreeMessages(), "bob", "pw");
    server.SetReply("LIST", "+OK scripted\r\n"); // a hook excuses no malformed command
    BlockingClient client(server.Port());
    ASSERT_TRUE(LogIn(client));
    const std::string syntax = "-ERR Syntax error\r\n";
    const struct {
        const char* command;
        bool wellFormed;
    } cases[] = {{"LIST ", false}, {"LIST", true},     {"LIST  1", false}, {"LIST 1 2", false},
                 {"STAT ", false}, {"STAT 1", false},  {"TOP 1", false},   {"TOP 1 0 ", false},
                 {"DELE", false},  {"UIDL 1 ", false}, {"NOOP", true},     {" NOOP", false},
                 {"UIDL 1", true}};
    for (const auto& c : cases)
        EXPECT_EQ(Ask(client, c.command) != syntax, c.wellFormed) << c.command;
}

TEST(FakePop3Server, TopSendsTheHeaderAndDotStuffsTheBody) {
    FakePop3Server server(ThreeMessages(), "bob", "pw");
    BlockingClient client(server.Port());
    ASSERT_TRUE(LogIn(client));
    client.Send("TOP 1 0\r\n");
    EXPECT_EQ(client.ReadUntil("\r\n.\r\n"),
              "+OK\r\nSubject: one\r\nFrom: a@example.com\r\n\r\n.\r\n");
    client.Send("TOP 1 2\r\n");
    EXPECT_EQ(client.ReadUntil("\r\n.\r\n"), "+OK\r\nSubject: one\r\nFrom: a@example.com\r\n\r\n"
                                             "first body\r\n..dotted line\r\n.\r\n");
    EXPECT_EQ(Ask(client, "TOP 9 0"), "-ERR no such message\r\n");
}

TEST(FakePop3Server, RejectsAWrongPasswordAndCommandsBeforeLogIn) {
    FakePop3Server server(ThreeMessages(), "bob", "pw");
    BlockingClient client(server.Port());
    EXPECT_EQ(client.ReadLine(), "+OK fake POP3 server ready\r\n");
    EXPECT_EQ(Ask(client, "STAT"), "-ERR not logged in\r\n");
    EXPECT_EQ(Ask(client, "USER eve"), "-ERR no such user\r\n");
    EXPECT_EQ(Ask(client, "USER bob"), "+OK\r\n");
    EXPECT_EQ(Ask(client, "PASS wrong"), "-ERR invalid password\r\n");
    EXPECT_EQ(Ask(client, "PASS pw"), "-ERR USER first\r\n");
}

TEST(FakePop3Server, DeletionTakesEffectAtQuitOnly) {
    FakePop3Server server(ThreeMessages(), "bob", "pw");
    {
        BlockingClient client(server.Port());
        ASSERT_TRUE(LogIn(client));
        EXPECT_EQ(Ask(client, "DELE 1"), "+OK message 1 deleted\r\n");
        // Closed without QUIT: nothing is deleted.
    }
    ASSERT_TRUE(server.WaitConnections(1));
    EXPECT_EQ(server.Mailbox().size(), 3u);
    {
        BlockingClient client(server.Port());
        ASSERT_TRUE(LogIn(client));
        EXPECT_EQ(Ask(client, "DELE 1"), "+OK message 1 deleted\r\n");
        EXPECT_EQ(Ask(client, "DELE 1"), "-ERR message 1 already deleted\r\n");
        EXPECT_EQ(Ask(client, "LIST 1"), "-ERR message 1 already deleted\r\n");
        EXPECT_EQ(Ask(client, "STAT").substr(0, 6), "+OK 2 ");
        EXPECT_EQ(Ask(client, "QUIT"), "+OK bye\r\n");
    }
    ASSERT_TRUE(server.WaitConnections(2));
    ASSERT_EQ(server.Mailbox().size(), 2u);
    EXPECT_EQ(server.Mailbox()[0].header, ThreeMessages()[1].header);
    BlockingClient client(server.Port());
    ASSERT_TRUE(LogIn(client));
    EXPECT_EQ(Ask(client, "STAT").substr(0, 6), "+OK 2 ");
}

TEST(FakePop3Server, InjectedRepliesReplaceTheRealOnes) {
    FakePop3Server server(ThreeMessages(), "bob", "pw");
    server.SetGreeting("+OK\r\n");
    server.SetReply("STAT", "+OK 3\r\n");
    server.SetReply("TOP 2 0", "-ERR refused\r\n");
    server.SetReply("DELE", "+OK\r\n");
    BlockingClient client(server.Port());
    ASSERT_TRUE(LogIn(client));
    EXPECT_EQ(Ask(client, "STAT"), "+OK 3\r\n");
    EXPECT_EQ(Ask(client, "TOP 2 0"), "-ERR refused\r\n");
    EXPECT_EQ(Ask(client, "TOP 3 0"), "+OK\r\n"); // only the exact line was overridden
    client.ReadUntil("\r\n.\r\n");
    EXPECT_EQ(Ask(client, "DELE 1"), "+OK\r\n");
    EXPECT_EQ(Ask(client, "QUIT"), "+OK bye\r\n");
    ASSERT_TRUE(server.WaitConnections(1));
    EXPECT_EQ(server.Mailbox().size(), 3u); // the overridden DELE marked nothing
}

TEST(FakePop3Server, NegativeGreeting) {
    FakePop3Server server({}, "bob", "pw");
    server.SetGreeting("-ERR busy\r\n");
    BlockingClient client(server.Port());
    EXPECT_EQ(client.ReadLine(), "-ERR busy\r\n");
}

TEST(FakePop3Server, StallsAfterACommand) {
    FakePop3Server server(ThreeMessages(), "bob", "pw");
    server.StallAt("TOP");
    BlockingClient client(server.Port(), 300);
    ASSERT_TRUE(LogIn(client));
    EXPECT_EQ(Ask(client, "TOP 1 0"), "");
    EXPECT_FALSE(client.ServerClosed());
    client.Send("QUIT\r\n");
    client.Close();
    ASSERT_TRUE(server.WaitConnections(1));
    EXPECT_EQ(server.Received(0), "USER bob\r\nPASS pw\r\nTOP 1 0\r\nQUIT\r\n");
}

TEST(FakePop3Server, ChunkedRepliesArriveWhole) {
    FakePop3Server server(ThreeMessages(), "bob", "pw");
    server.SetChunking(1, 1);
    BlockingClient client(server.Port());
    ASSERT_TRUE(LogIn(client));
    client.Send("TOP 3 0\r\n");
    EXPECT_EQ(client.ReadUntil("\r\n.\r\n"), "+OK\r\nSubject: three\r\n\r\n.\r\n");
}

TEST(FakePop3Server, RetrDotStuffsAndRsetUndeletes) {
    FakePop3Server server(ThreeMessages(), "bob", "pw");
    BlockingClient client(server.Port());
    ASSERT_TRUE(LogIn(client));
    std::string stuffed = test_support::WireForm(ThreeMessages()[0]);
    stuffed.insert(stuffed.find("\r\n.dotted") + 2, ".");
    client.Send("RETR 1\r\n");
    EXPECT_EQ(client.ReadUntil("\r\n.\r\n"), "+OK\r\n" + stuffed + ".\r\n");
    EXPECT_EQ(Ask(client, "DELE 2"), "+OK message 2 deleted\r\n");
    EXPECT_EQ(Ask(client, "RSET"), "+OK\r\n");
    EXPECT_EQ(Ask(client, "QUIT"), "+OK bye\r\n");
    ASSERT_TRUE(server.WaitConnections(1));
    EXPECT_EQ(server.Mailbox().size(), 3u);
}

TEST(FakePop3Server, AnOverriddenQuitEndsTheConnectionAndDeletesNothing) {
    FakePop3Server server(ThreeMessages(), "bob", "pw");
    server.SetReply("QUIT", "-ERR cannot update\r\n");
    BlockingClient client(server.Port());
    ASSERT_TRUE(LogIn(client));
    EXPECT_EQ(Ask(client, "DELE 1"), "+OK message 1 deleted\r\n");
    EXPECT_EQ(Ask(client, "QUIT"), "-ERR cannot update\r\n");
    EXPECT_EQ(client.ReadToEnd(), "");
    EXPECT_TRUE(client.ServerClosed());
    ASSERT_TRUE(server.WaitConnections(1));
    EXPECT_EQ(server.Mailbox().size(), 3u);
}
