// Pipelined summaries: the same commands in the same order, sent ahead only where the server
// offers PIPELINING, with lockstep's failures, time-out and cancel.
#include "tests/pop3/pop3_test_support.h"

#include <gtest/gtest.h>
#include <thread>

using test_support::Script;
using test_support::ScriptedPeer;

namespace {

const std::string Pipelining = "+OK\r\nTOP\r\npipelining\r\nUIDL\r\n.\r\n";

// Logged in, `count` messages listed, CAPA answered with `capa`.
Script Listed(int count, const std::string& capa) {
    std::string listing = "+OK\r\n";
    for (int n = 1; n <= count; ++n)
        listing += std::to_string(n) + " 100\r\n";
    return Conversation({"+OK\r\n", "+OK\r\n", "+OK\r\n", "+OK " + std::to_string(count) + " 0\r\n",
                         listing + ".\r\n", capa});
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

const std::string BeforeSummaries = "USER bob\r\nPASS pw\r\nSTAT\r\nLIST\r\nCAPA\r\n";

void ConnectAndPlan(TPop3Client& client, const ScriptedPeer& peer, int count) {
    client.Host = "127.0.0.1";
    client.Port = peer.Port();
    client.UserID = "bob";
    client.Password = "pw";
    client.Connect();
    client.List();
    client.PlanSummaries(1, count);
}

} // namespace

TEST(Pop3Pipeline, CommandsGoAheadOfTheirReplies) {
    // The server reads every command of the three summaries before it answers the first.
    Script script = Listed(3, Pipelining);
    script.ReadLines(6);
    for (int n = 1; n <= 3; ++n)
        script.Send(Top(n)).Send(Size(n));
    ScriptedPeer peer(script.ReadLine().Send("+OK bye\r\n"));
    TPop3Client client;
    EventLog log;
    ConnectAndPlan(client, peer, 3);
    Record(client, log);
    for (int n = 1; n <= 3; ++n) {
        client.GetSummary(n);
        log.Add(client.Summary().Subject + " " + std::to_string(client.Summary().Bytes));
    }
    client.Disconnect();
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_TRUE(peer.Errors().empty());
    EXPECT_EQ(peer.Received(0), BeforeSummaries + Commands(1, 3) + "QUIT\r\n");
    EXPECT_EQ(log.entries, (std::vector<std::string>{"OnRetrieveStart", "OnRetrieveEnd", " m1 100",
                                                     "OnRetrieveStart", "OnRetrieveEnd", " m2 100",
                                                     "OnRetrieveStart", "OnRetrieveEnd", " m3 100",
                                                     "OnDisconnect"}));
}

TEST(Pop3Pipeline, WithoutPipeliningOnOfferTheCheckWaitsForEachReply) {
    // The server answers TOP 1 0 late and then hangs up: a client in lockstep has sent at most
    // LIST 1 by then, one that pipelines would have sent TOP 2 0 and more while it waited.
    for (const std::string capa : {"-ERR unknown command\r\n", "+OK\r\nTOP\r\nUIDL\r\n.\r\n"}) {
        SCOPED_TRACE(capa);
        ScriptedPeer peer(Listed(3, capa).ReadLine().Wait(200).Send(Top(1)).Close());
        TPop3Client client;
        ConnectAndPlan(client, peer, 3);
        FailureOf([&] { client.GetSummary(1); }); // LIST 1 finds the connection gone
        ASSERT_TRUE(peer.WaitDone());
        const std::string received = peer.Received(0);
        EXPECT_EQ(received.rfind(BeforeSummaries + "TOP 1 0\r\n", 0), 0u);
        EXPECT_EQ(received.find("TOP 2 0"), std::string::npos);
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
    ScriptedPeer peer(Listed(5, Pipelining).Stall(3000));
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
        Script script = Listed(3, Pipelining);
        script.ReadLines(6).Send(Top(1)).Send(Size(1)).Send(c.top2).Send(c.size2);
        script.Send(Top(3)).Send(Size(3)).ReadLine().Send("+OK bye\r\n");
        ScriptedPeer peer(script);
        TPop3Client client;
        ConnectAndPlan(client, peer, 3);
        client.GetSummary(1);
        EXPECT_EQ(FailureOf([&] { client.GetSummary(2); }), c.failure);
        EXPECT_FALSE(client.Busy());
        // The replies still due are read and dropped, so QUIT gets its own.
        EXPECT_EQ(FailureOf([&] { client.Disconnect(); }), "");
        ASSERT_TRUE(peer.WaitDone());
        EXPECT_EQ(peer.Received(0), BeforeSummaries + Commands(1, 3) + "QUIT\r\n");
    }
}

TEST(Pop3Pipeline, PreviewLinesComeWithTheSummaryAndLeaveTheHeaderAsItWas) {
    // A TOP n 2 reply: the header, its empty line, two body lines (one dot-stuffed).
    auto top = [](int n) {
        return "+OK\r\nSubject: m" + std::to_string(n) + "\r\n\r\nSubject: body\r\n..dot\r\n.\r\n";
    };
    for (const std::string& capa : {Pipelining, std::string("-ERR unknown command\r\n")}) {
        SCOPED_TRACE(capa);
        Script script = Listed(2, capa);
        if (capa == Pipelining)
            script.ReadLines(4).Send(top(1)).Send(Size(1)).Send(top(2)).Send(Size(2));
        else
            script.ReadLine()
                .Send(top(1))
                .ReadLine()
                .Send(Size(1))
                .ReadLine()
                .Send(top(2))
                .ReadLine()
                .Send(Size(2));
        ScriptedPeer peer(script.ReadLine().Send("+OK bye\r\n"));
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
        ASSERT_TRUE(peer.WaitDone());
        EXPECT_EQ(peer.Received(0),
                  BeforeSummaries + "TOP 1 2\r\nLIST 1\r\nTOP 2 2\r\nLIST 2\r\nQUIT\r\n");
    }
}

TEST(Pop3Pipeline, TopOnDemandKeepsTheReplyAsSentUpToItsCap) {
    const std::string longLine(TPop3Client::MaxTopBytes, 'x');
    ScriptedPeer peer(Listed(2, Pipelining)
                          .ReadLine()
                          .Send("+OK\r\nSubject: s\r\n\r\n..dot\r\n.\r\n")
                          .ReadLine()
                          .Send("-ERR no such message\r\n")
                          .ReadLine()
                          .Send("+OK\r\nA: b\r\n\r\n" + longLine + "\r\ndropped\r\n.\r\n")
                          .ReadLine()
                          .Send("+OK bye\r\n"));
    TPop3Client client;
    ConnectAndPlan(client, peer, 2); // a plan of summaries ends at another command
    EXPECT_EQ(client.GetTop(1, 5), (std::vector<std::string>{"Subject: s", "", "..dot", "."}));
    EXPECT_EQ(FailureOf([&] { client.GetTop(9, 5); }), "-ERR no such message\r\n");
    EXPECT_EQ(client.GetTop(1, 5000), (std::vector<std::string>{"A: b", "", "."}));
    EXPECT_FALSE(client.Busy());
    client.Disconnect();
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(peer.Received(0), BeforeSummaries + "TOP 1 5\r\nTOP 9 5\r\nTOP 1 1000\r\nQUIT\r\n");
}
