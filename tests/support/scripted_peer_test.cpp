// The scripted peer against a plain blocking client.
#include "tests/support/blocking_client.h"
#include "tests/support/scripted_peer.h"

#include <chrono>
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>
#include <stdexcept>

using test_support::BlockingClient;
using test_support::Script;
using test_support::ScriptedPeer;
using Clock = std::chrono::steady_clock;

namespace {

long MsSince(Clock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
}

} // namespace

TEST(ScriptedPeer, RecordsTheExactTranscriptAndTheLinesItRead) {
    ScriptedPeer server(Script()
                            .Send("+OK hello\r\n")
                            .ReadLine()
                            .Send("+OK\r\n")
                            .ReadLine()
                            .Send("-ERR no\r\n")
                            .Close());
    BlockingClient client(server.Port());
    EXPECT_EQ(client.ReadLine(), "+OK hello\r\n");
    client.Send("USER bob\r\n");
    EXPECT_EQ(client.ReadLine(), "+OK\r\n");
    client.Send("PASS pw\r\n");
    EXPECT_EQ(client.ReadLine(), "-ERR no\r\n");
    EXPECT_EQ(client.ReadToEnd(), "");
    EXPECT_TRUE(client.ServerClosed());
    ASSERT_TRUE(server.WaitDone());
    EXPECT_EQ(server.Received(0), "USER bob\r\nPASS pw\r\n");
    EXPECT_EQ(server.Lines(0), (std::vector<std::string>{"USER bob\r\n", "PASS pw\r\n"}));
    EXPECT_TRUE(server.Errors().empty());
}

TEST(ScriptedPeer, KeepsRecordingAfterTheLastStepUntilTheClientCloses) {
    ScriptedPeer server(Script().Send("+OK\r\n"));
    {
        BlockingClient client(server.Port());
        EXPECT_EQ(client.ReadLine(), "+OK\r\n");
        client.Send("QUIT\r\n");
        client.Send("tail without line end");
    }
    ASSERT_TRUE(server.WaitDone());
    EXPECT_EQ(server.Received(0), "QUIT\r\ntail without line end");
    EXPECT_TRUE(server.Lines(0).empty());
}

TEST(ScriptedPeer, SendsInChunksWithDelays) {
    ScriptedPeer server(Script().SendChunked("+OK slow\r\n", 3, 40).Close());
    BlockingClient client(server.Port());
    auto start = Clock::now();
    EXPECT_EQ(client.ReadLine(), "+OK slow\r\n");
    EXPECT_GE(MsSince(start), 3 * 40 - 10); // four chunks, three pauses
}

TEST(ScriptedPeer, ServesConnectionsOneAfterAnotherThenRefuses) {
    ScriptedPeer server({Script().Send("first\r\n").ReadLine().Close(),
                         Script().Send("second\r\n").ReadLine().Close()});
    for (const char* expected : {"first\r\n", "second\r\n"}) {
        BlockingClient client(server.Port());
        EXPECT_EQ(client.ReadLine(), expected);
        client.Send(std::string("got ") + expected);
        EXPECT_EQ(client.ReadToEnd(), "");
    }
    ASSERT_TRUE(server.WaitDone());
    EXPECT_EQ(server.Connections(), 2u);
    EXPECT_EQ(server.Received(0), "got first\r\n");
    EXPECT_EQ(server.Received(1), "got second\r\n");
    EXPECT_EQ(server.Received(2), "");
    EXPECT_THROW(BlockingClient(server.Port(), 1000), std::runtime_error);
}

TEST(ScriptedPeer, StallSaysNothingAndTheDestructorDoesNotWaitForIt) {
    auto server = std::make_unique<ScriptedPeer>(Script().Send("+OK\r\n").Stall(20000));
    BlockingClient client(server->Port(), 300);
    EXPECT_EQ(client.ReadLine(), "+OK\r\n");
    client.Send("STAT\r\n");
    EXPECT_EQ(client.ReadLine(), ""); // nothing within the client's 300 ms
    EXPECT_FALSE(client.ServerClosed());
    auto start = Clock::now();
    server.reset();
    EXPECT_LT(MsSince(start), 1000);
}

TEST(ScriptedPeer, ReportsALineThatNeverCame) {
    test_support::ServerOptions options;
    options.ioTimeoutMs = 200;
    ScriptedPeer server(Script().Send("+OK\r\n").ReadLine().Send("never sent\r\n"), options);
    BlockingClient client(server.Port());
    client.Send("no line end");
    EXPECT_EQ(client.ReadLine(), "+OK\r\n");
    ASSERT_TRUE(server.WaitDone());
    EXPECT_EQ(server.Errors(), (std::vector<std::string>{"connection 0: ReadLine: time-out"}));
    EXPECT_EQ(server.Received(0), "no line end");
    EXPECT_EQ(client.ReadToEnd(), "");
}

TEST(ScriptedPeer, WaitPausesBetweenSteps) {
    ScriptedPeer server(Script().Send("a\r\n").Wait(150).Send("b\r\n").Close());
    BlockingClient client(server.Port());
    EXPECT_EQ(client.ReadLine(), "a\r\n");
    auto start = Clock::now();
    EXPECT_EQ(client.ReadLine(), "b\r\n");
    EXPECT_GE(MsSince(start), 140);
}

TEST(ScriptedPeer, ReportsAConnectionThatNeverCame) {
    test_support::ServerOptions options;
    options.acceptTimeoutMs = 200;
    ScriptedPeer server({Script().Send("one\r\n").Close(), Script().Send("two\r\n").Close()},
                        options);
    {
        BlockingClient client(server.Port());
        EXPECT_EQ(client.ReadLine(), "one\r\n");
    }
    EXPECT_TRUE(server.WaitConnections(1));
    EXPECT_FALSE(server.WaitDone(1000));
    EXPECT_EQ(server.Errors(),
              (std::vector<std::string>{"connection 1: no connection within the accept time-out"}));
}

// A conversation greets, then holds the client to each line; what the client sends here is
// given as `sent`, and any other line fails the test with what was expected and what came.
namespace {

std::string sent; // read by Converse, which EXPECT_NONFATAL_FAILURE allows no arguments

void Converse() {
    ScriptedPeer server(test_support::Talk(
        {{"", "+OK ready"}, {"AUTH PLAIN *", "+OK\r\n"}, {"QUIT", "+OK bye\r\n.\r\n"}}));
    if (sent.empty()) return;
    BlockingClient client(server.Port(), 300);
    EXPECT_EQ(client.ReadLine(), "+OK ready\r\n");
    client.Send(sent);
    client.ReadUntil("bye\r\n.\r\n"); // or nothing within 300 ms
}

} // namespace

TEST(ScriptedPeer, AConversationFailsTheTestOnAnyOtherLine) {
    sent = "AUTH PLAIN AGJvYgBwdw==\r\nQUIT\r\n";
    Converse();
    const struct {
        const char* sent;
        const char* failure;
    } cases[] = {
        {"AUTH PLAIN\r\n", R"(line 1: expected "AUTH PLAIN *\r\n", got "AUTH PLAIN\r\n")"},
        {"AUTH PLAIN a b\r\n", R"(got "AUTH PLAIN a b\r\n")"},
        {"AUTH PLAIN a\n", R"(got "AUTH PLAIN a\n")"},
        {"AUTH PLAIN a\r\n", R"(line 2: expected "QUIT\r\n", got closed by client)"},
        {"AUTH PLAIN a\r\nQUIT\r\nNOOP\r\n", R"(expected the client to close, got "NOOP\r\n")"},
        {"", "connection 0: the client never came"},
    };
    for (const auto& c : cases) {
        sent = c.sent;
        EXPECT_NONFATAL_FAILURE(Converse(), c.failure);
    }
}
