#pragma once
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

// A blocking peer on 127.0.0.1 that answers every line with "+OK " and the line, for as many
// connections as it is given.
class EchoPeer {
public:
    explicit EchoPeer(int connections) {
        listener = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listener, 4);
        socklen_t length = sizeof address;
        getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
        port = ntohs(address.sin_port);
        thread = std::thread([this, connections] {
            for (int i = 0; i < connections; ++i)
                Serve(accept(listener, nullptr, nullptr));
        });
    }
    ~EchoPeer() {
        thread.join();
        close(listener);
    }
    int Port() const { return port; }

private:
    static void Serve(int fd) {
        int one = 1;
        setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        std::string pending;
        char chunk[4096];
        for (ssize_t got; (got = recv(fd, chunk, sizeof chunk, 0)) > 0;) {
            pending.append(chunk, static_cast<size_t>(got));
            std::string replies;
            for (size_t end; (end = pending.find('\n')) != std::string::npos;) {
                replies += "+OK " + pending.substr(0, end + 1);
                pending.erase(0, end + 1);
            }
            if (!replies.empty()) send(fd, replies.data(), replies.size(), MSG_NOSIGNAL);
        }
        close(fd);
    }

    int listener;
    int port = 0;
    std::thread thread;
};
