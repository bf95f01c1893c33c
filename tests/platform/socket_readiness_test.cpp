// A socket's readiness passes between the service thread and a thread that sleeps on the socket
// in its own wait, while the peer writes at any moment.
#include "platform/polling.h"
#include "platform/sockets.h"

#include <arpa/inet.h>
#include <chrono>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <random>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr uint32_t EventMessage = WM_USER + 1;
constexpr int Bytes = 400;

// A listener on 127.0.0.1 and its port.
int Listen(uint16_t& port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(fd, 1);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = address.sin_port;
    return fd;
}

} // namespace

// The thread takes turns: a step that sleeps on the socket itself, a plain step, and a pass of
// its messages with no wait at all (the service thread's turn). Every read notification must
// find data (none doubled), every byte must arrive (none lost), and the close is told once.
TEST(SocketReadiness, HandedBetweenWaiterAndServiceNothingLostOrDoubled) {
    uint16_t port = 0;
    const int listener = Listen(port);
    const TSocket client = WsSocket();
    ASSERT_NE(client, INVALID_SOCKET);
    std::string got;
    int emptyReads = 0, closes = 0;
    bool connected = false;
    TMessageWindow window([&](const TMessage& message) {
        char chunk[7]; // small: a read often leaves data behind for the next notification
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
    });
    ASSERT_EQ(WSAAsyncSelect(client, window.Handle(), EventMessage, FD_ALL_EVENTS), 0);
    WsConnect(client, {2, port, htonl(INADDR_LOOPBACK)});
    const int peer = accept(listener, nullptr, nullptr);
    ASSERT_GE(peer, 0);
    std::thread writer([peer] {
        std::minstd_rand random(11);
        for (int i = 0; i < Bytes; ++i) {
            send(peer, "x", 1, MSG_NOSIGNAL);
            std::this_thread::sleep_for(std::chrono::microseconds(random() % 300));
        }
        close(peer);
    });
    const int fd = client;
    const uint64_t tag = WsSocketTag(client);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    for (int step = 0; step < 100000 && closes == 0 && std::chrono::steady_clock::now() < deadline;
         ++step) {
        if (!connected || step % 3 == 0)
            ProcessMessagesStep(fd, tag);
        else if (step % 3 == 1)
            ProcessMessagesStep();
        else
            DispatchPendingMessages();
    }
    writer.join();
    for (int pass = 0; pass < 5; ++pass) // a doubled close would come in these
        ProcessMessagesStep(fd, tag);
    EXPECT_TRUE(connected);
    EXPECT_EQ(got, std::string(Bytes, 'x'));
    EXPECT_EQ(emptyReads, 0);
    EXPECT_EQ(closes, 1);
    WsCloseSocket(client);
    close(listener);
}
