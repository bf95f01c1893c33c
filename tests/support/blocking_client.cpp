#include "tests/support/blocking_client.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>
#include <utility>

namespace test_support {

namespace {
constexpr int kMaxReads = 1 << 20; // bounds every read loop
}

BlockingClient::BlockingClient(uint16_t port, int timeoutMs) {
    fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd_ < 0) throw std::runtime_error("socket failed");
    timeval timeout{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    if (connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        std::string reason = std::strerror(errno);
        Close();
        throw std::runtime_error("connect to port " + std::to_string(port) + ": " + reason);
    }
}

BlockingClient::~BlockingClient() {
    Close();
}

bool BlockingClient::Send(const std::string& bytes) {
    size_t sent = 0;
    for (int i = 0; i < kMaxReads && sent < bytes.size() && fd_ >= 0; ++i) {
        ssize_t n = send(fd_, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        sent += static_cast<size_t>(n);
    }
    return sent == bytes.size();
}

bool BlockingClient::Fill() {
    if (fd_ < 0 || closed_) return false;
    char chunk[16384];
    ssize_t n = recv(fd_, chunk, sizeof chunk, 0);
    if (n < 0 && errno == EINTR) return true;
    if (n == 0 || (n < 0 && errno == ECONNRESET)) closed_ = true;
    if (n <= 0) return false;
    buffer_.append(chunk, static_cast<size_t>(n));
    return true;
}

std::string BlockingClient::ReadSome() {
    if (buffer_.empty()) Fill();
    return std::exchange(buffer_, {});
}

std::string BlockingClient::ReadLine() {
    return ReadUntil("\n");
}

std::string BlockingClient::ReadUntil(const std::string& terminator) {
    for (int i = 0; i < kMaxReads; ++i) {
        if (size_t at = buffer_.find(terminator); at != std::string::npos) {
            std::string out = buffer_.substr(0, at + terminator.size());
            buffer_.erase(0, at + terminator.size());
            return out;
        }
        if (!Fill()) break;
    }
    return std::exchange(buffer_, {});
}

std::string BlockingClient::ReadToEnd() {
    for (int i = 0; i < kMaxReads && Fill(); ++i) {
    }
    return std::exchange(buffer_, {});
}

void BlockingClient::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

} // namespace test_support
