#include "tests/support/tcp_connection.h"

#include "tests/support/test_certs.h"

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace test_support {

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// Waits for events on fd or for the stop signal: 1 ready, 0 time-out, -1 stopped or error.
int WaitFor(int fd, short events, int timeoutMs, const StopSignal& stop) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        pollfd fds[2] = {{fd, events, 0}, {stop.Fd(), POLLIN, 0}};
        int n = poll(fds, 2, MsLeft(deadline));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 || fds[1].revents != 0) return -1;
        if (n == 0) return 0;
        return 1;
    }
}

} // namespace

StopSignal::StopSignal() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("pipe2 failed");
    readFd_ = fds[0];
    writeFd_ = fds[1];
}

StopSignal::~StopSignal() {
    close(readFd_);
    close(writeFd_);
}

void StopSignal::Raise() {
    char byte = 1;
    [[maybe_unused]] ssize_t n = write(writeFd_, &byte, 1);
}

bool StopSignal::Raised() const {
    pollfd fd{readFd_, POLLIN, 0};
    return poll(&fd, 1, 0) > 0;
}

int LoopbackSocket(int backlog, uint16_t& port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        (backlog >= 0 && listen(fd, backlog) != 0) ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        const std::string why = std::strerror(errno);
        close(fd);
        throw std::runtime_error("loopback socket: " + why);
    }
    port = ntohs(address.sin_port);
    return fd;
}

Listener::Listener() {
    fd_ = LoopbackSocket(8, port_);
}

Listener::~Listener() {
    Close();
}

int Listener::Accept(int timeoutMs, const StopSignal& stop) {
    if (fd_ < 0 || WaitFor(fd_, POLLIN, timeoutMs, stop) != 1) return -1;
    return accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
}

void Listener::Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
}

Connection::Connection(int fd, const StopSignal& stop, int ioTimeoutMs, ConnectionLog log)
    : fd_(fd), stop_(stop), ioTimeoutMs_(ioTimeoutMs), log_(std::move(log)) {}

Connection::~Connection() {
    Close();
}

bool Connection::Send(std::string_view bytes) {
    if (!tls_) return SendRaw(bytes);
    try {
        tls_->Write(std::string(bytes));
    } catch (const std::exception& error) {
        failure_ = error.what();
        return false;
    }
    return SendRaw(tls_->TakeOutgoing());
}

bool Connection::StartTls(const std::string& certName, bool oldTls) {
    try {
        tls_ = std::make_unique<TlsServerEnd>(certName, oldTls);
    } catch (const std::exception& error) {
        failure_ = error.what();
        return false;
    }
    tlsUp_ = false;
    const auto deadline = Clock::now() + std::chrono::milliseconds(ioTimeoutMs_);
    while (!tlsUp_) {
        const int left = MsLeft(deadline);
        if (left == 0) {
            failure_ = "time-out";
            return false;
        }
        if (!ReadSome(left)) return false;
    }
    return true;
}

bool Connection::TakeTls(std::string_view raw) {
    try {
        tls_->Feed(std::string(raw));
        if (!tlsUp_) tlsUp_ = tls_->Handshake();
        if (!SendRaw(tls_->TakeOutgoing())) return false;
        if (!tlsUp_) return true;
        const std::string plain = tls_->Read();
        pending_.append(plain);
        if (log_.bytes && !plain.empty()) log_.bytes(plain);
        return true;
    } catch (const std::exception& error) {
        failure_ = error.what();
        SendRaw(tls_->TakeOutgoing()); // the alert that tells the client why
        return false;
    }
}

bool Connection::SendRaw(std::string_view bytes) {
    while (!bytes.empty()) {
        if (fd_ < 0) return false;
        int ready = WaitFor(fd_, POLLOUT, ioTimeoutMs_, stop_);
        if (ready != 1) {
            failure_ = ready == 0 ? "time-out" : "stopped";
            return false;
        }
        ssize_t n = send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (n < 0) {
            failure_ = std::strerror(errno);
            return false;
        }
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

bool Connection::SendChunked(std::string_view bytes, size_t chunkSize, int delayMs) {
    if (chunkSize == 0) chunkSize = 1;
    for (size_t at = 0; at < bytes.size(); at += chunkSize) {
        if (at > 0 && !Pause(delayMs)) return false;
        if (!Send(bytes.substr(at, chunkSize))) return false;
    }
    return true;
}

bool Connection::ReadSome(int timeoutMs) {
    if (fd_ < 0) {
        failure_ = "closed";
        return false;
    }
    int ready = WaitFor(fd_, POLLIN, timeoutMs, stop_);
    if (ready != 1) {
        failure_ = ready == 0 ? "time-out" : "stopped";
        return false;
    }
    char buffer[16384];
    ssize_t n = recv(fd_, buffer, sizeof buffer, MSG_DONTWAIT);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) return true;
    if (n <= 0) {
        failure_ = n == 0 ? "closed by client" : std::strerror(errno);
        return false;
    }
    std::string_view got(buffer, static_cast<size_t>(n));
    if (tls_) return TakeTls(got);
    pending_.append(got);
    if (log_.bytes) log_.bytes(got);
    return true;
}

std::optional<std::string> Connection::ReadLine() {
    const auto deadline = Clock::now() + std::chrono::milliseconds(ioTimeoutMs_);
    for (;;) {
        if (auto end = pending_.find('\n'); end != std::string::npos) {
            std::string line = pending_.substr(0, end + 1);
            pending_.erase(0, end + 1);
            if (log_.line) log_.line(line);
            return line;
        }
        int left = MsLeft(deadline);
        if (left == 0) {
            failure_ = "time-out";
            return std::nullopt;
        }
        if (!ReadSome(left)) return std::nullopt;
    }
}

bool Connection::Pause(int ms) {
    if (ms <= 0) return !stop_.Raised();
    pollfd fd{stop_.Fd(), POLLIN, 0};
    return poll(&fd, 1, ms) == 0;
}

void Connection::DrainUntilClosed(int limitMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(limitMs);
    while (MsLeft(deadline) > 0 && ReadSome(MsLeft(deadline))) {
    }
}

void Connection::Close() {
    if (fd_ < 0) return;
    // Take what already arrived, so the transcript is complete and the close sends no reset.
    for (int i = 0; i < 64 && WaitFor(fd_, POLLIN, 0, stop_) == 1 && ReadSome(0); ++i) {
    }
    close(fd_);
    fd_ = -1;
}

} // namespace test_support
