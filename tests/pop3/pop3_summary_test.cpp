// Listing, unique identifiers and header summaries (RFC 1939's LIST, UIDL and TOP), each test a
// conversation with a scripted server.
#include "tests/pop3/pop3_test_support.h"

#include <gtest/gtest.h>

namespace {

void ConnectTo(TPop3Client& client, const ScriptedPeer& peer) {
    Prepare(client, peer);
    client.Connect();
}

} // namespace

TEST(Pop3Summary, FullCheckTranscriptAndResults) {
    ScriptedPeer peer(
        LoggedIn("+OK 2 320",
                 {{"LIST", "+OK 2 messages (320 octets)\r\n1 120\r\n2 200\r\n."},
                  {"TOP 1 0",
                   "+OK\r\nDate: Mon, 7 Dec 2026 10:00:00 +0000\r\nFrom: Ann <ann@example.com>\r\n"
                   "Subject: Hello\r\nMessage-ID: <1@example.com>\r\n\r\n."},
                  {"LIST 1", "+OK 1 120"},
                  {"TOP 2 0", "+OK\r\nFrom: bob@example.com\r\nSubject:NoBlank\r\n"
                              "Message-Id: <2@example.com>\r\n\r\n."},
                  {"LIST 2", "+OK 2 200"},
                  Quit}));
    TPop3Client client;
    EventLog log;
    Record(client, log);
    ConnectTo(client, peer);
    client.List();
    std::vector<TSummary> summaries;
    for (int32_t n = 1; n <= client.MessageCount(); ++n) {
        client.GetSummary(n);
        summaries.push_back(client.Summary());
    }
    client.Disconnect();
    EXPECT_EQ(log.entries,
              (std::vector<std::string>{"OnConnect", "OnList 1 120", "OnList 2 200",
                                        "OnRetrieveStart", "OnRetrieveEnd", "OnRetrieveStart",
                                        "OnRetrieveEnd", "OnDisconnect"}));
    ASSERT_EQ(summaries.size(), 2u);
    EXPECT_EQ(summaries[0].Subject, " Hello");
    EXPECT_EQ(summaries[0].From, " Ann <ann@example.com>");
    EXPECT_EQ(summaries[0].MessageId, "<1@example.com>\r\n");
    EXPECT_EQ(summaries[0].Bytes, 120);
    EXPECT_EQ(summaries[0].Header.Lines(),
              (std::vector<std::string>{"Date: Mon, 7 Dec 2026 10:00:00 +0000",
                                        "From: Ann <ann@example.com>", "Subject: Hello",
                                        "Message-ID: <1@example.com>", "", "."}));
    EXPECT_EQ(summaries[1].Subject, "NoBlank");
    EXPECT_EQ(summaries[1].MessageId, ""); // the lower-case d is another name
    EXPECT_EQ(summaries[1].Bytes, 200);
}

TEST(Pop3Summary, ListingLines) {
    ScriptedPeer peer(LoggedIn("+OK 1 1", {{"LIST", "+OK 2 messages\r\n1 120 extra\r\n2 300\r\n."},
                                           {"LIST", "+OK\r\n."},
                                           {"LIST", "-ERR no"},
                                           {"LIST", "+OK\r\n1  120\r\n."}}));
    TPop3Client client;
    EventLog log;
    Record(client, log);
    ConnectTo(client, peer);
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
    ScriptedPeer peer(LoggedIn(
        "+OK 1 1", {{"UIDL", "+OK\r\n1 abc\r\n3 c-3 extra\r\n9 out-of-range\r\nx junk\r\n."},
                    {"UIDL", "+OK\r\n2 b\r\n2147483647 far\r\n."},
                    {"UIDL", "-ERR command not recognised"},
                    {"UIDL 2", "+OK 2 def"},
                    {"UIDL 3", "+OK ghi"},
                    {"UIDL 4", "+OK 9 jkl"},
                    {"UIDL 5", "+OK 5 m n"},
                    {"UIDL 6", "+OK"},
                    {"UIDL 7", "-ERR no such message"},
                    Quit}));
    TPop3Client client;
    ConnectTo(client, peer);
    EXPECT_EQ(client.ListUids(3), (std::vector<std::string>{"abc", "", "c-3"}));
    // A count no mailbox has makes no room by itself, nor does a number far past the listing.
    EXPECT_EQ(client.ListUids(2147483647), (std::vector<std::string>{"", "b"}));
    EXPECT_TRUE(client.ListUids(3).empty()); // a server without UIDL
    // "+OK n uid" and "+OK uid" both give the identifier; any other answer gives none.
    const std::pair<int, const char*> answers[] = {{2, "def"}, {3, "ghi"}, {4, ""},
                                                   {5, ""},    {6, ""},    {7, ""}};
    for (const auto& [n, uid] : answers)
        EXPECT_EQ(client.Uid(n), uid) << n;
    EXPECT_FALSE(client.Busy());
    client.Disconnect();
}

TEST(Pop3Summary, HeaderExtractionRules) {
    ScriptedPeer peer(
        LoggedIn("+OK 1 1",
                 {{"TOP 1 0", "+OK\r\nSubject: first\r\nSubject: second\r\nFrom:\r\n"
                              "Message-ID:<no-blank@x>\r\n SUBJECT: folded\r\n..stuffed\r\n\r\n."},
                  {"LIST 1", "+OK 1 777"},
                  {"TOP 1 0", "+OK\r\nSubject: bare\nFrom: someone\n\n.\n"},
                  {"LIST 1", "+OK 1 \t88"}}));
    TPop3Client client;
    ConnectTo(client, peer);
    client.GetSummary(1);
    const TSummary& s = client.Summary();
    EXPECT_EQ(s.Subject, " second");
    EXPECT_EQ(s.From, "");
    EXPECT_EQ(s.MessageId, "no-blank@x>\r\n"); // the first character after the colon goes
    EXPECT_EQ(s.Bytes, 777);
    EXPECT_EQ(s.Header.Lines(),
              (std::vector<std::string>{"Subject: first", "Subject: second",
                                        "From:", "Message-ID:<no-blank@x>", " SUBJECT: folded",
                                        "..stuffed", "", "."}));
    client.GetSummary(1);
    EXPECT_EQ(client.Summary().Subject, " bar"); // a bare LF costs the last character
    EXPECT_EQ(client.Summary().From, " someon");
    EXPECT_EQ(client.Summary().Bytes, 88); // blanks and control characters are trimmed
}

TEST(Pop3Summary, RefusedTopKeepsThePreviousSummary) {
    ScriptedPeer peer(LoggedIn("+OK 1 1", {{"TOP 1 0", "+OK\r\nSubject: kept\r\n\r\n."},
                                           {"LIST 1", "+OK 1 10"},
                                           {"TOP 9 0", "-ERR no such message"},
                                           {"TOP 1 0", "+OK\r\nSubject: new\r\n\r\n."},
                                           {"LIST 1", "-ERR no such message"}}));
    TPop3Client client;
    EventLog log;
    Record(client, log);
    ConnectTo(client, peer);
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

// Handlers that call the client back while it lists: nothing further goes out.
TEST(Pop3Summary, CallsWhileBusyDoNothing) {
    ScriptedPeer peer(
        LoggedIn("+OK 2 20", {{"LIST", "+OK 2 messages\r\n1 10\r\n2 10\r\n."}, Quit}));
    TPop3Client client;
    ConnectTo(client, peer);
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
}

// The numbers of a session hold until QUIT; the next session counts afresh (RFC 1939).
TEST(Pop3Summary, DeletionTakesEffectAtQuit) {
    ScriptedPeer peer(
        {LoggedIn("+OK 3 30", {{"DELE 2", "+OK message 2 deleted"}, Quit}),
         LoggedIn("+OK 2 20",
                  {{"TOP 2 0", "+OK\r\nSubject: c\r\n\r\n."}, {"LIST 2", "+OK 2 10"}, Quit})});
    TPop3Client client;
    ConnectTo(client, peer);
    client.DeleteMailMessage(2);
    client.Disconnect();
    client.Connect();
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
        {LoggedIn("+OK 1 1", {{"TOP 1 0", "+OK\r\n" + received + "Subject: big\r\n\r\n."},
                              {"LIST 1", "+OK 1 9"},
                              Quit}),
         LoggedIn("+OK 1 1", {{"TOP 1 0", "+OK"}}).Repeat(endless, 20000),
         LoggedIn("+OK 1 1", {{"LIST", "+OK\r\n1 10\r\nbad\r\n2 20\r\n."}}).Stall(3000)});
    TPop3Client client;
    ConnectTo(client, peer);
    client.GetSummary(1);
    EXPECT_EQ(client.Summary().Subject, " big");
    EXPECT_EQ(client.Summary().Bytes, 9);
    client.Disconnect();
    client.Connect();
    EXPECT_EQ(FailureOf([&] { client.GetSummary(1); }), "Summary failed: header too long");
    EXPECT_FALSE(client.Connected());
    EXPECT_FALSE(client.Busy());
    client.Connect();
    client.OnList = [](int32_t, int32_t) {};
    EXPECT_EQ(FailureOf([&] { client.List(); }), "'' is not a valid integer value");
    EXPECT_FALSE(client.Connected());
}
