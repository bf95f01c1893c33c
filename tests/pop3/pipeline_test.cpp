// Pipelined summaries: the same commands in the same order, sent ahead only where the server
// offers PIPELINING, with lockstep's failures, time-out and cancel.
#include "tests/pop3/pop3_test_support.h"

#include <gtest/gtest.h>
#include <thread>

namespace {

const std::string Pipelining = "+OK\r\nTOP\r\npipelining\r\nUIDL\r\n.";

// Logged in, `count` messages listed, CAPA answered with `capa`, then the given steps.
Script Listed(int count, const std::string& capa, const std::vector<Exchange>& then = {}) {
    std::string listing = "+OK";
    for (int n = 1; n <= count; ++n)
        listing += "\r\n" + std::to_string(n) + " 100";
    return LoggedIn("+OK " + std::to_string(count) + " 0",
                    {{"LIST", listing + "\r\n."}, {"CAPA", capa}})
        .Talk(then);
}

std::string Top(int n) {
    return "+OK\r\nSubject: m" + std::to_string(n) + "\r\n\r\n.\r\n";
}

std::string Size(int n) {
    return "+OK " + std::to_string(n) + " 100\r\n";
}

// What the client sends for the summaries of messages first..last.
std::string Commands(int first, int last) {
    std::string out;
    for (int n = first; n <= last; ++n)
        out += "TOP " + std::to_string(n) + " 0\r\nLIST " + std::to_string(n) + "\r\n";
    return out;
}

// The summaries of messages 1..count asked ahead (TOP n lines, LIST n), then every reply at once.
std::vector<Exchange> Ahead(int count, const std::string& replies, int lines = 0) {
    std::vector<Exchange> talk;
    for (int n = 1; n <= count; ++n) {
        talk.push_back({"TOP " + std::to_string(n) + " " + std::to_string(lines), ""});
        talk.push_back({"LIST " + std::to_string(n), n == count ? replies : ""});
    }
    return talk;
}

const std::string BeforeSummaries = "USER bob\r\nPASS pw\r\nSTAT\r\nLIST\r\nCAPA\r\n";

void ConnectAndPlan(TPop3Client& client, const ScriptedPeer& peer, int count) {
    Prepare(client, peer);
    client.Connect();
    client.List();
    client.PlanSummaries(1, count);
}

} // namespace

// RFC 2449's PIPELINING: the server reads every command of the three summaries before it
// answers the first.
TEST(Pop3Pipeline, CommandsGoAheadOfTheirReplies) {
    ScriptedPeer peer(
        Listed(3, Pipelining, Ahead(3, Top(1) + Size(1) + Top(2) + Size(2) + Top(3) + Size(3)))
            .Talk({Quit}));
    TPop3Client client;
    EventLog log;
    ConnectAndPlan(client, peer, 3);
    Record(client, log);
    for (int n = 1; n <= 3; ++n) {
        client.GetSummary(n);
        log.Add(client.Summary().Subject + " " + std::to_string(client.Summary().Bytes));
    }
    client.Disconnect();
    EXPECT_EQ(log.entries, (std::vector<std::string>{"OnRetrieveStart", "OnRetrieveEnd", " m1 100",
                                                     "OnRetrieveStart", "OnRetrieveEnd", " m2 100",
                                                     "OnRetrieveStart", "OnRetrieveEnd", " m3 100",
                                                     "OnDisconnect"}));
}

TEST(Pop3Pipeline, WithoutPipeliningOnOfferTheCheckWaitsForEachReply) {
    // The server answers TOP 1 0 late and then hangs up: a client in lockstep has sent at most
    // LIST 1 by then, one that pipelines would have sent TOP 2 0 and more while it waited.
    for (const std::string capa : {"-ERR unknown command", "+OK\r\nTOP\r\nUIDL\r\n."}) {
        SCOPED_TRACE(capa);
        ScriptedPeer peer(Listed(3, capa, {{"TOP 1 0", ""}}).Wait(200).Send(Top(1)).Close());
        TPop3Client client;
        ConnectAndPlan(client, peer, 3);
        FailureOf([&] { client.GetSummary(1); }); // LIST 1 finds the connection gone
        ASSERT_TRUE(peer.WaitDone());
        EXPECT_EQ(peer.Received(0).find("TOP 2 0"), std::string::npos);
    }
}

TEST(Pop3Pipeline, ASilentServerGetsNoMoreThanAWindowAndTheWaitTimesOut) {
    const int count = 1000;
    ScriptedPeer peer(Listed(count, Pipelining).Stall(3000));
    TPop3Client client;
    ConnectAndPlan(client, peer, count);
    client.TimeOut = 300;
    EXPECT_EQ(FailureOf([&] { client.GetSummary(1); }), "Socket readln timed out");
    EXPECT_FALSE(client.Busy());
    FailureOf([&] { client.Disconnect(); }); // the failed read closed the session: no QUIT
    ASSERT_TRUE(peer.WaitDone());
    const std::string ahead = peer.Received(0).substr(BeforeSummaries.size());
    ASSERT_EQ(ahead.rfind("LIST"), ahead.size() - 10); // whole summaries only, message 1 first
    EXPECT_EQ(ahead, Commands(1, 1000).substr(0, ahead.size()));
    EXPECT_LE(ahead.size(), 4096u);
    EXPECT_GT(ahead.size(), 4096u - 40);
}

TEST(Pop3Pipeline, CancelEndsThePipelinedWait) {
    ScriptedPeer peer(Listed(5, Pipelining).Stall(3000)); // TOP 1 0 and more go unanswered
    TPop3Client client;
    ConnectAndPlan(client, peer, 5);
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        client.Cancel();
    });
    EXPECT_EQ(FailureOf([&] { client.GetSummary(1); }), "Socket readln aborted");
    canceller.join();
    EXPECT_FALSE(client.Busy());
}

TEST(Pop3Pipeline, AFailedSummaryFailsAsInLockstepAndTheSessionStillEndsWithQuit) {
    struct Case {
        std::string top2, size2, failure;
    };
    const Case cases[] = {
        {"-ERR no such message\r\n", "-ERR no such message\r\n", "-ERR no such message\r\n"},
        {Top(2), "+OK 2 x\r\n", "'x' is not a valid integer value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failure);
        const std::string replies = Top(1) + Size(1) + c.top2 + c.size2 + Top(3) + Size(3);
        ScriptedPeer peer(Listed(3, Pipelining, Ahead(3, replies)).Talk({Quit}));
        TPop3Client client;
        ConnectAndPlan(client, peer, 3);
        client.GetSummary(1);
        EXPECT_EQ(FailureOf([&] { client.GetSummary(2); }), c.failure);
        EXPECT_FALSE(client.Busy());
        // The replies still due are read and dropped, so QUIT gets its own.
        EXPECT_EQ(FailureOf([&] { client.Disconnect(); }), "");
    }
}

TEST(Pop3Pipeline, PreviewLinesComeWithTheSummaryAndLeaveTheHeaderAsItWas) {
    // A TOP n 2 reply: the header, its empty line, two body lines (one dot-stuffed).
    auto top = [](int n) {
        return "+OK\r\nSubject: m" + std::to_string(n) + "\r\n\r\nSubject: body\r\n..dot\r\n.\r\n";
    };
    const struct {
        std::string capa;
        std::vector<Exchange> summaries;
    } cases[] = {
        {Pipelining, Ahead(2, top(1) + Size(1) + top(2) + Size(2), 2)},
        {"-ERR unknown command",
         {{"TOP 1 2", top(1)}, {"LIST 1", Size(1)}, {"TOP 2 2", top(2)}, {"LIST 2", Size(2)}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.capa);
        ScriptedPeer peer(Listed(2, c.capa, c.summaries).Talk({Quit}));
        TPop3Client client;
        client.PreviewLines = 2;
        ConnectAndPlan(client, peer, 2);
        for (int n = 1; n <= 2; ++n) {
            client.GetSummary(n);
            const TSummary& summary = client.Summary();
            EXPECT_EQ(summary.Subject, " m" + std::to_string(n));
            EXPECT_EQ(summary.Header.Lines(),
                      (std::vector<std::string>{"Subject: m" + std::to_string(n), "", "."}));
            EXPECT_EQ(summary.Body, (std::vector<std::string>{"Subject: body", "..dot"}));
        }
        client.Disconnect();
    }
}

TEST(Pop3Pipeline, TopOnDemandKeepsTheReplyAsSentUpToItsCap) {
    const std::string longLine(TPop3Client::MaxTopBytes, 'x');
    ScriptedPeer peer(Listed(2, Pipelining,
                             {{"TOP 1 5", "+OK\r\nSubject: s\r\n\r\n..dot\r\n."},
                              {"TOP 9 5", "-ERR no such message"},
                              {"TOP 1 1000", "+OK\r\nA: b\r\n\r\n" + longLine + "\r\ndropped\r\n."},
                              Quit}));
    TPop3Client client;
    ConnectAndPlan(client, peer, 2); // a plan of summaries ends at another command
    EXPECT_EQ(client.GetTop(1, 5), (std::vector<std::string>{"Subject: s", "", "..dot", "."}));
    EXPECT_EQ(FailureOf([&] { client.GetTop(9, 5); }), "-ERR no such message\r\n");
    EXPECT_EQ(client.GetTop(1, 5000), (std::vector<std::string>{"A: b", "", "."}));
    EXPECT_FALSE(client.Busy());
    client.Disconnect();
}
