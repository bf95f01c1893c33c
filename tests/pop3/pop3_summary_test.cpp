// Listing and header summaries: the wire transcript of a full check and the extraction rules.
#include "tests/pop3/pop3_test_support.h"
#include "tests/support/fake_pop3_server.h"
#include "tests/support/scripted_peer.h"

#include <gtest/gtest.h>

using test_support::FakeMessage;
using test_support::FakePop3Server;
using test_support::Script;
using test_support::ScriptedPeer;
using test_support::WireForm;

namespace {

void ConnectTo(TPop3Client& client, uint16_t port) {
    client.Host = "127.0.0.1";
    client.Port = port;
    client.UserID = "bob";
    client.Password = "pw";
    client.Connect();
}

// A session that is logged in and then gets the given replies, one per command.
Script AfterLogIn(std::vector<std::string> replies) {
    replies.insert(replies.begin(), {"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK 1 1\r\n"});
    return Conversation(replies);
}

std::vector<std::string> Lines(const TSummary& summary) {
    return summary.Header.Lines();
}

} // namespace

TEST(Pop3Summary, FullCheckTranscriptAndResults) {
    const std::vector<FakeMessage> mailbox = {
        {"Date: Mon, 7 Dec 2026 10:00:00 +0000\r\nFrom: Ann <ann@example.com>\r\n"
         "Subject: Hello\r\nMessage-ID: <1@example.com>",
         "Body one\r\n.dotted line"},
        {"From: bob@example.com\r\nSubject:NoBlank\r\nMessage-Id: <2@example.com>", "Two"},
    };
    FakePop3Server server(mailbox, "bob", "pw");
    TPop3Client client;
    EventLog log;
    Record(client, log);
    ConnectTo(client, server.Port());
    client.List();
    std::vector<TSummary> summaries;
    for (int32_t n = 1; n <= client.MessageCount(); ++n) {
        client.GetSummary(n);
        summaries.push_back(client.Summary());
    }
    const std::vector<std::string> eventsBeforeQuit = log.entries;
    client.Disconnect();
    ASSERT_TRUE(server.WaitConnections(1));
    EXPECT_EQ(log.entries.back(), "OnDisconnect");
    EXPECT_EQ(server.Received(0), "USER bob\r\nPASS pw\r\nSTAT\r\nLIST\r\nTOP 1 0\r\nLIST 1\r\n"
                                  "TOP 2 0\r\nLIST 2\r\nQUIT\r\n");
    const auto size1 = std::to_string(WireForm(mailbox[0]).size());
    const auto size2 = std::to_string(WireForm(mailbox[1]).size());
    EXPECT_EQ(eventsBeforeQuit,
              (std::vector<std::string>{"OnConnect", "OnList 1 " + size1, "OnList 2 " + size2,
                                        "OnRetrieveStart", "OnRetrieveEnd", "OnRetrieveStart",
                                        "OnRetrieveEnd"}));
    ASSERT_EQ(summaries.size(), 2u);
    EXPECT_EQ(summaries[0].Subject, " Hello");
    EXPECT_EQ(summaries[0].From, " Ann <ann@example.com>");
    EXPECT_EQ(summaries[0].MessageId, "<1@example.com>\r\n");
    EXPECT_EQ(std::to_string(summaries[0].Bytes), size1);
    EXPECT_EQ(Lines(summaries[0]),
              (std::vector<std::string>{"Date: Mon, 7 Dec 2026 10:00:00 +0000",
                                        "From: Ann <ann@example.com>", "Subject: Hello",
                                        "Message-ID: <1@example.com>", "", "."}));
    EXPECT_EQ(summaries[1].Subject, "NoBlank");
    EXPECT_EQ(summaries[1].MessageId, ""); // the lower-case d is another name
    EXPECT_EQ(std::to_string(summaries[1].Bytes), size2);
}

TEST(Pop3Summary, ListingLines) {
    ScriptedPeer peer(AfterLogIn({"+OK 2 messages\r\n1 120 extra\r\n2 300\r\n.\r\n", "+OK\r\n.\r\n",
                                  "-ERR no\r\n", "+OK\r\n1  120\r\n.\r\n"}));
    TPop3Client client;
    EventLog log;
    Record(client, log);
    ConnectTo(client, peer.Port());
    log.entries.clear();
    client.List();
    EXPECT_EQ(log.entries, (std::vector<std::string>{"OnList 1 120", "OnList 2 300"}));
    log.entries.clear();
    client.List(); // empty mailbox
    EXPECT_TRUE(log.entries.empty());
    EXPECT_EQ(FailureOf([&] { client.List(); }), "-ERR no\r\n");
    // Two blanks leave the size field empty.
    EXPECT_EQ(FailureOf([&] { client.List(); }), "'' is not a valid integer value");
    EXPECT_FALSE(client.Busy());
}

TEST(Pop3Summary, UniqueIdentifiers) {
    ScriptedPeer peer(AfterLogIn({
        "+OK\r\n1 abc\r\n3 c-3 extra\r\n9 out-of-range\r\nx junk\r\n.\r\n",
        "-ERR command not recognised\r\n",
        "+OK 2 def\r\n",
        "+OK ghi\r\n",
        "+OK 9 jkl\r\n",
        "+OK 5 m n\r\n",
        "+OK\r\n",
        "-ERR no such message\r\n",
        "+OK bye\r\n",
    }));
    TPop3Client client;
    ConnectTo(client, peer.Port());
    EXPECT_EQ(client.ListUids(3), (std::vector<std::string>{"abc", "", "c-3"}));
    EXPECT_TRUE(client.ListUids(3).empty()); // a server without UIDL
    // "+OK n uid" and "+OK uid" both give the identifier; any other answer gives none.
    const std::pair<int, const char*> answers[] = {{2, "def"}, {3, "ghi"}, {4, ""},
                                                   {5, ""},    {6, ""},    {7, ""}};
    for (const auto& [n, uid] : answers)
        EXPECT_EQ(client.Uid(n), uid) << n;
    EXPECT_FALSE(client.Busy());
    client.Disconnect();
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(0), "USER bob\r\nPASS pw\r\nSTAT\r\nUIDL\r\nUIDL\r\nUIDL 2\r\n"
                                "UIDL 3\r\nUIDL 4\r\nUIDL 5\r\nUIDL 6\r\nUIDL 7\r\nQUIT\r\n");
}

TEST(Pop3Summary, HeaderExtractionRules) {
    ScriptedPeer peer(AfterLogIn({
        "+OK\r\nSubject: first\r\nSubject: second\r\nFrom:\r\n"
        "Message-ID:<no-blank@x>\r\n SUBJECT: folded\r\n..stuffed\r\n\r\n.\r\n",
        "+OK 1 777\r\n",
        "+OK\r\nSubject: bare\nFrom: someone\n\n.\n",
        "+OK 1 \t88\r\n",
    }));
    TPop3Client client;
    ConnectTo(client, peer.Port());
    client.GetSummary(1);
    const TSummary& s = client.Summary();
    EXPECT_EQ(s.Subject, " second");
    EXPECT_EQ(s.From, "");
    EXPECT_EQ(s.MessageId, "no-blank@x>\r\n"); // the first character after the colon goes
    EXPECT_EQ(s.Bytes, 777);
    EXPECT_EQ(Lines(s), (std::vector<std::string>{"Subject: first", "Subject: second",
                                                  "From:", "Message-ID:<no-blank@x>",
                                                  " SUBJECT: folded", "..stuffed", "", "."}));
    client.GetSummary(1);
    EXPECT_EQ(client.Summary().Subject, " bar"); // a bare LF costs the last character
    EXPECT_EQ(client.Summary().From, " someon");
    EXPECT_EQ(client.Summary().Bytes, 88); // blanks and control characters are trimmed
}

TEST(Pop3Summary, RefusedTopKeepsThePreviousSummary) {
    ScriptedPeer peer(
        AfterLogIn({"+OK\r\nSubject: kept\r\n\r\n.\r\n", "+OK 1 10\r\n", "-ERR no such message\r\n",
                    "+OK\r\nSubject: new\r\n\r\n.\r\n", "-ERR no such message\r\n"}));
    TPop3Client client;
    EventLog log;
    Record(client, log);
    ConnectTo(client, peer.Port());
    client.GetSummary(1);
    log.entries.clear();
    EXPECT_EQ(FailureOf([&] { client.GetSummary(9); }), "-ERR no such message\r\n");
    EXPECT_EQ(client.Summary().Subject, " kept");
    EXPECT_EQ(log.entries, std::vector<std::string>{"OnRetrieveStart"});
    // A size that cannot be read: the header is new, the size the previous one.
    EXPECT_EQ(FailureOf([&] { client.GetSummary(1); }), "'such' is not a valid integer value");
    EXPECT_EQ(client.Summary().Subject, " new");
    EXPECT_EQ(client.Summary().Bytes, 10);
    EXPECT_FALSE(client.Busy());
}

TEST(Pop3Summary, CallsWhileBusyDoNothing) {
    FakePop3Server server({{"Subject: a", "x"}, {"Subject: b", "y"}}, "bob", "pw");
    TPop3Client client;
    ConnectTo(client, server.Port());
    int listed = 0;
    client.OnList = [&](int32_t, int32_t) {
        ++listed;
        EXPECT_TRUE(client.Busy());
        client.GetSummary(1);
        client.List();
        client.DeleteMailMessage(1);
    };
    client.List();
    EXPECT_EQ(listed, 2);
    EXPECT_EQ(client.Summary().Header.Count(), 0);
    client.Disconnect();
    ASSERT_TRUE(server.WaitConnections(1));
    EXPECT_EQ(server.Commands(0),
              (std::vector<std::string>{"USER bob", "PASS pw", "STAT", "LIST", "QUIT"}));
    EXPECT_EQ(server.Mailbox().size(), 2u);
}

TEST(Pop3Summary, DeletionTakesEffectAtQuit) {
    FakePop3Server server({{"Subject: a", "x"}, {"Subject: b", "y"}, {"Subject: c", "z"}}, "bob",
                          "pw");
    TPop3Client client;
    ConnectTo(client, server.Port());
    client.DeleteMailMessage(2);
    client.Disconnect();
    ConnectTo(client, server.Port());
    EXPECT_EQ(client.MessageCount(), 2);
    client.GetSummary(2);
    EXPECT_EQ(client.Summary().Subject, " c");
    client.Disconnect();
}

// A header of 10 MB is read whole; a reply that never ends, or a listing line that cannot be
// read, fails and closes the session, so nothing of it answers a later command.
TEST(Pop3Summary, LimitsOfAReplyAndWhatAFailureLeaves) {
    std::string received;
    for (int i = 0; received.size() < 10'000'000; ++i)
        received +=
            "Received: from relay" + std::to_string(i) + ".example.com by mx.example.com\r\n";
    const std::string endless = "X-Filler: " + std::string(70, 'f') + "\r\n";
    ScriptedPeer peer(
        {AfterLogIn({"+OK\r\n" + received + "Subject: big\r\n\r\n.\r\n", "+OK 1 9\r\n", "+OK\r\n"}),
         AfterLogIn({"+OK\r\n"}).Repeat(endless, 20000),
         AfterLogIn({"+OK\r\n1 10\r\nbad\r\n2 20\r\n.\r\n"}).Stall(3000)});
    TPop3Client client;
    ConnectTo(client, peer.Port());
    client.GetSummary(1);
    EXPECT_EQ(client.Summary().Subject, " big");
    EXPECT_EQ(client.Summary().Bytes, 9);
    client.Disconnect();
    ConnectTo(client, peer.Port());
    EXPECT_EQ(FailureOf([&] { client.GetSummary(1); }), "Summary failed: header too long");
    EXPECT_FALSE(client.Connected());
    EXPECT_FALSE(client.Busy());
    ConnectTo(client, peer.Port());
    client.OnList = [](int32_t, int32_t) {};
    EXPECT_EQ(FailureOf([&] { client.List(); }), "'' is not a valid integer value");
    EXPECT_FALSE(client.Connected());
}
