// The session against scripted peers on 127.0.0.1: connecting, line reading, sending,
// cancelling, closing, and the waits that must end on their own.
#include "net/socket_session.h"
#include "tests/support/scripted_peer.h"
#include "tests/support/tcp_connection.h"

#include <arpa/inet.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <set>
#include <sys/resource.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using test_support::Script;
using test_support::ScriptedPeer;

namespace {

void ConnectTo(TSocketSession& session, uint16_t port, const std::string& host = "127.0.0.1") {
    session.Host = host;
    session.Port = port;
    session.Connect();
}

std::string FailureOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "(no failure)";
}

// A port on which nothing listens.
uint16_t ClosedPort() {
    uint16_t port = 0;
    close(test_support::LoopbackSocket(-1, port));
    return port;
}

// A listener whose accept queue is full, so that a further connect gets no answer.
class FullListener {
public:
    FullListener() : listener(test_support::LoopbackSocket(0, port)) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        for (int i = 0; i < 3; ++i) {
            int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
            fillers.push_back(fd);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ~FullListener() {
        for (int fd : fillers)
            close(fd);
        close(listener);
    }
    uint16_t port = 0;

private:
    int listener;
    std::vector<int> fillers;
};

} // namespace

TEST(LineTransfer, LineInTwoPiecesAndTwoLinesInOne) {
    ScriptedPeer peer(Script()
                          .Send("+OK hel")
                          .Wait(60)
                          .Send("lo\r\n")
                          .Send("first\r\nsecond\n")
                          .Expect("bye")
                          .Close());
    TSocketSession session;
    ConnectTo(session, peer.Port());
    EXPECT_EQ(session.ReadLn(), "+OK hello\r\n");
    EXPECT_EQ(session.ReadLn(), "first\r\n");
    EXPECT_EQ(session.ReadLn(), "second\n");
    session.Writeln("bye");
}

TEST(LineTransfer, ByteAtATime) {
    ScriptedPeer peer(Script().SendChunked("+OK slow server\r\n", 1, 2).Close());
    TSocketSession session;
    ConnectTo(session, peer.Port());
    EXPECT_EQ(session.ReadLn(), "+OK slow server\r\n");
}

TEST(LineTransfer, CloseDrainsDataThenReadLnFailsAtOnce) {
    ScriptedPeer peer(Script().Send("a\r\nb\r\npartial").Close());
    TSocketSession session;
    int disconnects = 0;
    session.OnDisconnect = [&](QObject*) { ++disconnects; };
    ConnectTo(session, peer.Port());
    ASSERT_TRUE(peer.WaitDone());
    EXPECT_EQ(session.ReadLn(), "a\r\n");
    EXPECT_EQ(session.ReadLn(), "b\r\n");
    EXPECT_EQ(FailureOf([&] { session.ReadLn(); }), "Socket readln failed: connection closed");
    EXPECT_FALSE(session.Connected());
    EXPECT_EQ(disconnects, 1);
}

TEST(LineTransfer, ConnectStartsFromNothing) {
    ScriptedPeer peer({Script().Send("one\r\ntwo\r\n").ReadLine(), Script().Send("three\r\n")});
    TSocketSession session;
    ConnectTo(session, peer.Port());
    EXPECT_EQ(session.ReadLn(), "one\r\n");
    session.Writeln("x"); // by now "two" has arrived as well
    session.Disconnect();
    ConnectTo(session, peer.Port());
    EXPECT_EQ(session.ReadLn(), "three\r\n");
}

// Whatever ended a read, the session is closed, holds nothing of the failed reply, and the next
// Connect reads the next server's first line.
TEST(LineTransfer, AFailedReadLeavesAClosedEmptySession) {
    struct Case {
        Script failing;
        std::string failure;
    };
    const std::string endless(TSocketSession::MaxLineLength + 100000, 'q');
    const std::vector<Case> cases = {
        {Script().Send("+OK 1\r\n+OK par").Stall(3000), "Socket readln timed out"},
        {Script().Send("+OK 1\r\n+OK par").Close(), "Socket readln failed: connection closed"},
        {Script().Send("+OK 1\r\n" + endless).Stall(3000), "Socket readln failed: line too long"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.failure);
        ScriptedPeer peer({c.failing, Script().Send("+OK fresh\r\n").Stall(3000)});
        TSocketSession session;
        session.TimeOut = 300;
        ConnectTo(session, peer.Port());
        EXPECT_EQ(session.ReadLn(), "+OK 1\r\n");
        EXPECT_EQ(FailureOf([&] { session.ReadLn(); }), c.failure);
        EXPECT_FALSE(session.Connected());
        ConnectTo(session, peer.Port());
        EXPECT_EQ(session.ReadLn(), "+OK fresh\r\n");
    }
}

TEST(LineTransfer, CancelDuringReadStaysUntilConnect) {
    ScriptedPeer peer({Script().Stall(3000), Script().Send("hello\r\n").ReadLine()});
    TSocketSession session;
    bool abortRead = false;
    session.OnAbortRead = [&](QObject*) { abortRead = true; };
    ConnectTo(session, peer.Port());
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        session.Cancel();
    });
    const auto start = std::chrono::steady_clock::now();
    std::string failure;
    try {
        session.ReadLn();
    } catch (const EAbortError& e) {
        failure = e.what();
    }
    canceller.join();
    EXPECT_EQ(failure, "Socket readln aborted");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    EXPECT_TRUE(session.Canceled());
    EXPECT_THROW(session.ReadLn(), EAbortError);
    session.Writeln("not sent"); // returns at once and sends nothing while cancelled
    EXPECT_FALSE(abortRead);
    session.Disconnect();
    ConnectTo(session, peer.Port());
    EXPECT_FALSE(session.Canceled());
    EXPECT_EQ(session.ReadLn(), "hello\r\n");
    session.Writeln("sent");
    session.Disconnect();
    ASSERT_TRUE(peer.WaitConnections(2));
    EXPECT_EQ(peer.Received(0), "");
    EXPECT_EQ(peer.Received(1), "sent\r\n");
}

TEST(LineTransfer, CancelDuringSendClearsCanceled) {
    ScriptedPeer peer(Script().Wait(3000).Close()); // reads nothing, so the buffers fill up
    TSocketSession session;
    ConnectTo(session, peer.Port());
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        session.Cancel();
    });
    const std::string block(65535, 'x');
    std::string failure;
    for (int i = 0; i < 2000 && failure.empty(); ++i) {
        try {
            session.SendBuffer(block.data(), static_cast<uint16_t>(block.size()));
        } catch (const EAbortError& e) {
            failure = e.what();
        }
    }
    canceller.join();
    EXPECT_EQ(failure, "Socket send aborted");
    EXPECT_FALSE(session.Canceled());
}

TEST(LineTransfer, WriteCutsAt16384CharactersAndAtNul) {
    ScriptedPeer peer(Script().ReadLine().Close());
    TSocketSession session;
    ConnectTo(session, peer.Port());
    session.Write(std::string(20000, 'a'));
    session.Write(std::string("before\0after", 12));
    session.Writeln("");
    ASSERT_TRUE(peer.WaitDone());
    const std::string received = peer.Received(0);
    EXPECT_EQ(received.size(), 16384u + 8u);
    EXPECT_TRUE(received == std::string(16384, 'a') + "before\r\n");
}

TEST(LineTransfer, ReplyNumberFromLeadingDigits) {
    ScriptedPeer peer(
        test_support::Talk({{"A", "250 fine"}, {"B", "+OK 7"}, {"C", "99999 too big"}}).Close());
    TSocketSession session;
    ConnectTo(session, peer.Port());
    std::string reply;
    session.Transaction("A", reply);
    EXPECT_EQ(reply, "250 fine\r\n");
    EXPECT_EQ(session.LastReply, reply);
    EXPECT_EQ(session.ReplyNumber, 250);
    session.Transaction("B", reply);
    EXPECT_EQ(session.ReplyNumber, 0);
    session.Transaction("C", reply);
    EXPECT_EQ(session.ReplyNumber, 0);
}

TEST(LineTransfer, ReadsLargerThanOneChunk) {
    const std::string big(40000, 'z');
    ScriptedPeer peer(Script().Send(big + "\r\nend\r\n").Close());
    TSocketSession session;
    ConnectTo(session, peer.Port());
    EXPECT_EQ(session.ReadLn(), big + "\r\n");
    EXPECT_EQ(session.ReadLn(), "end\r\n");
}

// A line over the cap is refused however its bytes arrive: while the session waits, or all
// of it (and far more) while nobody read.
TEST(LineTransfer, EndlessLineIsRefusedAndClosedWhateverTheTiming) {
    const std::string endless(10 * TSocketSession::MaxLineLength, 'q');
    for (int busyMs : {0, 400}) {
        ScriptedPeer peer(Script().Send(endless).Stall(3000));
        TSocketSession session;
        ConnectTo(session, peer.Port());
        std::this_thread::sleep_for(std::chrono::milliseconds(busyMs));
        EXPECT_EQ(FailureOf([&] { session.ReadLn(); }), "Socket readln failed: line too long");
        EXPECT_FALSE(session.Connected());
    }
}

// A trickle is no progress: one byte at a time, or short lines one after another, ends with
// the time-out in bounded time, while a large reply arriving steadily for several time-outs
// completes.
TEST(LineTransfer, TrickleTimesOutSteadyReplyCompletes) {
    std::string lines;
    for (int i = 0; i < 100; ++i)
        lines += "a\r\n";
    for (const Script& trickle : {Script().SendChunked(std::string(200, 'b'), 1, 20).Stall(3000),
                                  Script().SendChunked(lines, 3, 40).Stall(3000)}) {
        ScriptedPeer peer(trickle);
        TSocketSession session;
        ConnectTo(session, peer.Port());
        session.TimeOut = 300;
        const auto start = std::chrono::steady_clock::now();
        std::string failure = "(no failure)";
        for (int i = 0; i < 100 && failure == "(no failure)"; ++i)
            failure = FailureOf([&] { session.ReadLn(); });
        EXPECT_EQ(failure, "Socket readln timed out");
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    }
    const std::string big(600000, 'z');
    ScriptedPeer peer(Script().SendChunked(big + "\r\n", 6000, 10).Stall(3000));
    TSocketSession session;
    ConnectTo(session, peer.Port());
    session.TimeOut = 300;
    EXPECT_EQ(session.ReadLn(), big + "\r\n");
}

TEST(LineTransfer, SilentServerEndsReadAfterTimeOut) {
    ScriptedPeer peer(Script().Stall(3000));
    TSocketSession session;
    ConnectTo(session, peer.Port());
    session.TimeOut = 150;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(FailureOf([&] { session.ReadLn(); }), "Socket readln timed out");
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(140));
}

TEST(LineTransfer, SendAfterCloseFailsInsteadOfWaiting) {
    ScriptedPeer peer(Script().Close());
    TSocketSession session;
    ConnectTo(session, peer.Port());
    ASSERT_TRUE(peer.WaitDone());
    for (int i = 0; i < 500 && session.Connected(); ++i) {
        try {
            session.ReadLn();
        } catch (const ESockError&) {
        }
    }
    EXPECT_EQ(FailureOf([&] { session.Writeln("QUIT"); }), "Socket send failed: not connected");
}

TEST(Connecting, RefusedConnectionFiresEventThenFails) {
    TSocketSession session;
    std::vector<std::string> order;
    session.OnConnectionFailed = [&](QObject*) { order.push_back("OnConnectionFailed"); };
    session.Host = "127.0.0.1";
    session.Port = ClosedPort();
    try {
        session.Connect();
    } catch (const ESockError& e) {
        order.push_back(e.what());
    }
    EXPECT_EQ(order, (std::vector<std::string>{"OnConnectionFailed", "Connection Failed"}));
    EXPECT_FALSE(session.Connected());
}

TEST(Connecting, NamedHostAndEventOrder) {
    ScriptedPeer peer(Script().Send("+OK\r\n").Stall(3000));
    TSocketSession session;
    session.ReportLevel = 8;
    std::vector<std::string> order;
    session.OnStatus = [&](QObject*, const std::string& text) {
        // The handlers' own traces depend on when the peer's bytes arrive.
        if (text != "WriteFromStream" && text != "ReadToStream") order.push_back(text);
    };
    session.OnHostResolved = [&](QObject*) { order.push_back("OnHostResolved"); };
    session.OnConnect = [&](QObject*) { order.push_back("OnConnect"); };
    ConnectTo(session, peer.Port(), "localhost");
    EXPECT_TRUE(session.Connected());
    EXPECT_EQ(order,
              (std::vector<std::string>{"Connecting", "Resolve Host", "Timer On", "Timer Off",
                                        "OnHostResolved", "Timer On", "OnConnect", "Timer Off"}));
    EXPECT_EQ(FailureOf([&] { session.Connect(); }), "Already connected");
    EXPECT_TRUE(session.Connected());
    EXPECT_EQ(session.ReadLn(), "+OK\r\n");
}

TEST(Connecting, UnansweredConnectTimesOut) {
    FullListener listener;
    TSocketSession session;
    bool failedEvent = false;
    session.OnConnectionFailed = [&](QObject*) { failedEvent = true; };
    session.TimeOut = 200;
    EXPECT_EQ(FailureOf([&] { ConnectTo(session, listener.port); }), "Connection Timed out");
    EXPECT_TRUE(failedEvent);
    EXPECT_TRUE(session.TimedOut());
}

TEST(Connecting, AfterATimedOutConnectTheNextOneWorks) {
    ScriptedPeer peer(Script().Send("+OK\r\n").Stall(3000));
    TSocketSession session;
    {
        FullListener listener;
        session.TimeOut = 100;
        EXPECT_EQ(FailureOf([&] { ConnectTo(session, listener.port); }), "Connection Timed out");
    }
    EXPECT_FALSE(session.Connected());
    session.TimeOut = 2000;
    ConnectTo(session, peer.Port());
    EXPECT_EQ(session.ReadLn(), "+OK\r\n");
}

TEST(Connecting, AfterARefusedConnectTheNextOneWorks) {
    ScriptedPeer peer(Script().Send("+OK\r\n").Stall(3000));
    TSocketSession session;
    session.Host = "127.0.0.1";
    session.Port = ClosedPort();
    EXPECT_EQ(FailureOf([&] { session.Connect(); }), "Connection Failed");
    ConnectTo(session, peer.Port());
    EXPECT_EQ(session.ReadLn(), "+OK\r\n");
}

TEST(Connecting, WithoutTimeOutOnlyCancelEndsTheWait) {
    FullListener listener;
    TSocketSession session;
    session.TimeOut = 0;
    std::thread canceller([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        session.Cancel();
    });
    EXPECT_EQ(FailureOf([&] { ConnectTo(session, listener.port); }), "Connection Canceled");
    canceller.join();
    EXPECT_FALSE(session.TimedOut());
}

TEST(Connecting, DisconnectWithoutConnectionStillClosesAndReopens) {
    TSocketSession session;
    session.ReportLevel = 4;
    std::vector<std::string> order;
    session.OnStatus = [&](QObject*, const std::string& text) { order.push_back(text); };
    session.OnDisconnect = [&](QObject*) { order.push_back("OnDisconnect"); };
    session.Disconnect();
    EXPECT_EQ(order, (std::vector<std::string>{"Request Close Socket", "OnDisconnect"}));
    // The fresh socket works.
    ScriptedPeer peer(Script().Send("+OK\r\n").Close());
    ConnectTo(session, peer.Port());
    EXPECT_EQ(session.ReadLn(), "+OK\r\n");
}

namespace {

std::set<int> OpenSockets() {
    std::set<int> sockets;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code error;
        const auto target = std::filesystem::read_symlink(entry.path(), error).string();
        if (!error && target.rfind("socket:", 0) == 0)
            sockets.insert(std::stoi(entry.path().filename().string()));
    }
    return sockets;
}

} // namespace

// The fresh socket after a close cannot be made while the descriptor limit is reached; once it
// is lifted, Connect makes its own.
TEST(Connecting, ASocketThatCouldNotBeRenewedIsMadeByConnect) {
    ScriptedPeer peer(Script().Send("+OK\r\n").Stall(3000));
    const std::set<int> before = OpenSockets();
    TSocketSession session;
    std::set<int> mine;
    for (int fd : OpenSockets())
        if (!before.count(fd)) mine.insert(fd);
    ASSERT_EQ(mine.size(), 1u);
    const int own = *mine.begin();
    // Every number below the session's is taken, and the limit is its number: the close frees
    // it, and no new descriptor can be had.
    std::vector<int> fillers;
    for (int fd = dup(2); fd >= 0 && fillers.size() < 100000; fd = dup(2)) {
        fillers.push_back(fd);
        if (fd > own) break;
    }
    rlimit saved{};
    getrlimit(RLIMIT_NOFILE, &saved);
    rlimit lowered = saved;
    lowered.rlim_cur = static_cast<rlim_t>(own);
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &lowered), 0);
    session.Disconnect();
    // Nothing else runs while the limit holds: the sanitizers themselves need descriptors.
    const int spare = dup(2);
    setrlimit(RLIMIT_NOFILE, &saved);
    for (int fd : fillers)
        close(fd);
    EXPECT_EQ(spare, -1) << "the limit did not hold";
    if (spare >= 0) close(spare);
    session.Host = "127.0.0.1";
    session.Port = peer.Port();
    session.Connect();
    EXPECT_EQ(session.ReadLn(), "+OK\r\n");
}
