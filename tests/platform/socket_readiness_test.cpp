// A socket's readiness passes between the service thread and a thread that sleeps on the socket
// in its own wait, while the peer writes at any moment.
#include "platform/polling.h"
#include "platform/sockets.h"
#include "tests/support/tcp_connection.h"

#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <random>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr uint32_t EventMessage = WM_USER + 1;
constexpr int Rounds = 300;
constexpr int ReuseRounds = 200;

// A listener on 127.0.0.1 and its port, in network order as the socket calls take it.
int Listen(uint16_t& port) {
    const int fd = test_support::LoopbackSocket(4, port);
    port = htons(port);
    return fd;
}

template <typename Done> bool StepUntil(Done done) {
    for (int step = 0; step < 2000 && !done(); ++step)
        ProcessMessagesStep();
    return done();
}

// What a socket's notifications brought, read by the window's handler.
struct TEvents {
    bool connected = false;
    std::string got;
    int emptyReads = 0, closes = 0;

    void Take(TSocket client, const TMessage& message) {
        char chunk[7];
        switch (message.LParam & 0xFFFF) {
        case FD_CONNECT:
            connected = true;
            break;
        case FD_READ:
            if (const int n = WsRecv(client, chunk, sizeof chunk); n > 0)
                got.append(chunk, static_cast<size_t>(n));
            else if (n < 0)
                ++emptyReads;
            break;
        case FD_CLOSE:
            ++closes;
            for (int n; (n = WsRecv(client, chunk, sizeof chunk)) > 0;)
                got.append(chunk, static_cast<size_t>(n));
            break;
        }
    }
};

} // namespace

// Round by round the peer writes one byte at a random moment while the thread first sleeps on
// the socket itself and then leaves it to the service thread, so the byte arrives before, during
// or after the hand-over. The thread sleeps either as any waiter, or as the window's own thread
// that handles a read itself (or refuses it, its handler busy), after which the service watches
// the socket again only once the park ends. Each round must end (a readiness lost in the
// hand-over never would), every read must find data (none doubled), and the close is told once.
TEST(SocketReadiness, HandedBetweenWaiterAndServiceNothingLostOrDoubled) {
    uint16_t port = 0;
    const int listener = Listen(port);
    const TSocket client = WsSocket();
    ASSERT_NE(client, INVALID_SOCKET);
    TEvents events;
    TMessageWindow window([&](const TMessage& message) { events.Take(client, message); });
    ASSERT_EQ(WSAAsyncSelect(client, window.Handle(), EventMessage, FD_ALL_EVENTS), 0);
    WsConnect(client, {2, port, htonl(INADDR_LOOPBACK)});
    const int peer = accept(listener, nullptr, nullptr);
    ASSERT_GE(peer, 0);
    const int fd = client;
    const uint64_t tag = WsSocketTag(client);
    for (int step = 0; step < 1000 && !events.connected; ++step)
        ProcessMessagesStep(fd, tag);
    ASSERT_TRUE(events.connected);

    std::atomic<int> asked{0};
    std::thread writer([&] {
        std::minstd_rand random(11);
        for (int sent = 0, spins = 0; sent < Rounds && spins < 1'000'000; ++spins) {
            if (asked.load() <= sent) {
                std::this_thread::sleep_for(std::chrono::microseconds(50));
                continue;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 2500));
            send(peer, "x", 1, MSG_NOSIGNAL);
            ++sent;
        }
        close(peer);
    });
    int taken = 0, refused = 0;
    const std::function<bool(long)> take = [&](long event) {
        events.Take(client, {EventMessage, 0, event, {}});
        return ++taken > 0;
    };
    const std::function<bool(long)> refuse = [&](long) { return ++refused < 0; };
    const std::function<bool(long)> none;
    const std::function<bool(long)>* takers[] = {&none, &take, &refuse};
    std::minstd_rand random(7);
    int round = 0;
    for (; round < Rounds; ++round) {
        asked.store(round + 1);
        for (int claims = 1 + static_cast<int>(random() % 2); claims > 0; --claims)
            ProcessMessagesStep(fd, tag, *takers[random() % 3]);
        for (int step = 0; step < 2000 && events.got.size() <= static_cast<size_t>(round); ++step)
            ProcessMessagesStep();
        if (events.got.size() <= static_cast<size_t>(round)) break;
    }
    for (int step = 0; step < 2000 && events.closes == 0; ++step)
        ProcessMessagesStep();
    for (int step = 0; step < 5; ++step) // a doubled close would come in these
        ProcessMessagesStep();
    asked.store(Rounds); // lets the writer finish however the rounds ended
    writer.join();
    EXPECT_EQ(round, Rounds);
    EXPECT_EQ(events.got, std::string(Rounds, 'x'));
    EXPECT_EQ(events.emptyReads, 0);
    EXPECT_EQ(events.closes, 1);
    EXPECT_GT(taken, 0);
    EXPECT_GT(refused, 0);
    WsCloseSocket(client);
    close(listener);
}

// The handlers run on the window's thread while another thread keeps claiming the socket in its
// waits (a worker using a session made on the user-interface thread), and each round closes the
// socket so that the next one takes the same number: a claim made on a closed socket must not
// touch its successor, and nothing is lost or doubled.
TEST(SocketReadiness, WaiterOnAnotherThreadAcrossNumberReuse) {
    uint16_t port = 0;
    const int listener = Listen(port);
    TSocket client = INVALID_SOCKET;
    uint64_t clientTag = 0;
    TEvents events;
    int sameNumber = 0;
    TMessageWindow window([&](const TMessage& message) {
        if (message.WParam >> 16 != clientTag) return; // an earlier socket's
        events.Take(client, message);
    });
    // What the waiter believes is the session's socket; it may be stale by the time it claims.
    std::atomic<uint64_t> current{0};
    std::atomic<bool> stop{false};
    std::thread waiter([&] {
        for (int step = 0; step < 500'000 && !stop; ++step) {
            const uint64_t now = current.load();
            if (now != 0)
                ProcessMessagesStep(static_cast<int>(now & 0xFFFF), now >> 16);
            else
                ProcessMessagesStep();
        }
    });
    int round = 0;
    int lastFd = -1;
    for (; round < ReuseRounds; ++round) {
        client = WsSocket();
        if (client == INVALID_SOCKET) break;
        if (client == lastFd) ++sameNumber;
        lastFd = client;
        clientTag = WsSocketTag(client);
        events.connected = false;
        if (WSAAsyncSelect(client, window.Handle(), EventMessage, FD_ALL_EVENTS) != 0) break;
        WsConnect(client, {2, port, htonl(INADDR_LOOPBACK)});
        // Until the peer has accepted, the waiter still claims with the closed socket's tag.
        const int peer = accept(listener, nullptr, nullptr); // the waiter is joined below
        current.store((clientTag << 16) | client);
        const bool talked =
            peer >= 0 && StepUntil([&] { return events.connected; }) &&
            send(peer, "x", 1, MSG_NOSIGNAL) == 1 &&
            StepUntil([&] { return events.got.size() > static_cast<size_t>(round); });
        if (peer >= 0) close(peer);
        if (!talked) break;
        if (!StepUntil([&] { return events.closes > round; })) break;
        for (int step = 0; step < 3; ++step) // a doubled close would come in these
            ProcessMessagesStep();
        if (events.closes != round + 1) break;
        WsCloseSocket(client); // the waiter may still hold this number and tag
    }
    stop = true;
    waiter.join();
    EXPECT_EQ(round, ReuseRounds);
    EXPECT_EQ(events.got, std::string(static_cast<size_t>(round), 'x'));
    EXPECT_EQ(events.emptyReads, 0);
    EXPECT_EQ(events.closes, round);
    EXPECT_GT(sameNumber, 0); // the numbers were reused
    close(listener);
}
