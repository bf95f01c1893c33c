// Round trips through the socket session's Transaction against a local peer, beside the same
// exchange over a plain blocking socket in the same run. Prints the ratio session/plain.
#include "bench/echo_peer.h"
#include "net/socket_session.h"

#include <QCoreApplication>
#include <chrono>
#include <cstdio>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int RoundTrips = 5000;

double PlainSocket(int port) {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    const auto start = Clock::now();
    char reply[256];
    for (int i = 0; i < RoundTrips; ++i) {
        send(fd, "NOOP\r\n", 6, 0);
        size_t have = 0;
        while (have == 0 || reply[have - 1] != '\n')
            have += static_cast<size_t>(recv(fd, reply + have, sizeof reply - have, 0));
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    close(fd);
    return seconds;
}

double Session(int port) {
    TSocketSession session;
    session.Host = "127.0.0.1";
    session.Port = port;
    session.Connect();
    const auto start = Clock::now();
    std::string reply;
    for (int i = 0; i < RoundTrips; ++i)
        session.Transaction("NOOP", reply);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    session.Disconnect();
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    EchoPeer peer(2);
    const double plain = PlainSocket(peer.Port());
    const double ours = Session(peer.Port());
    std::printf("%d round trips: plain socket %.3f s, session %.3f s (%.1f us per round trip)\n",
                RoundTrips, plain, ours, ours * 1e6 / RoundTrips);
    std::printf("ratio session/plain: %.2f (target: at most 1.5)\n", ours / plain);
    return 0;
}
