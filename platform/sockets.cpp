#include "platform/sockets.h"

#include "platform/socket_service.h"
#include "platform/winsock_errors.h"

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <mutex>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>
#include <unordered_map>

namespace {

thread_local int lastError = 0;

int Fail(int winsockError) {
    lastError = winsockError;
    return SOCKET_ERROR;
}

int FailFromErrno() {
    return Fail(WinsockErrorFromErrno(errno));
}

// Each created socket gets a tag, so that a notification still queued for a closed socket is
// not taken for one of a new socket that reuses its number.
std::mutex tagMutex;
std::unordered_map<int, uint64_t> tags;
std::atomic<uint64_t> nextTag{1};

bool Valid(TSocket s) {
    return s != INVALID_SOCKET;
}

} // namespace

int WSAStartup(uint16_t version, TWsaData& data) {
    rlimit files{};
    getrlimit(RLIMIT_NOFILE, &files);
    data.Version = version;
    data.HighVersion = version;
    data.Description = "POSIX sockets";
    data.SystemStatus = "Running";
    data.MaxSockets = static_cast<uint16_t>(std::min<rlim_t>(files.rlim_cur, 65535));
    data.MaxUdpDg = 65507;
    return 0;
}

int WSACleanup() {
    return 0;
}

int WSAGetLastError() {
    return lastError;
}

TSocket WsSocket() {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        FailFromErrno();
        return INVALID_SOCKET;
    }
    if (fd >= INVALID_SOCKET) {
        ::close(fd);
        Fail(10024);
        return INVALID_SOCKET;
    }
    std::lock_guard lock(tagMutex);
    tags[fd] = nextTag++;
    return static_cast<TSocket>(fd);
}

uint64_t WsSocketTag(TSocket s) {
    std::lock_guard lock(tagMutex);
    auto found = tags.find(s);
    return found == tags.end() ? 0 : found->second;
}

int WsSetLingerZero(TSocket s) {
    linger option{1, 0};
    if (!Valid(s)) return Fail(WSAENOTSOCK);
    return setsockopt(s, SOL_SOCKET, SO_LINGER, &option, sizeof option) == 0 ? 0 : FailFromErrno();
}

int WsSetNoDelay(TSocket s) {
    const int on = 1;
    if (!Valid(s)) return Fail(WSAENOTSOCK);
    return setsockopt(s, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on) == 0 ? 0 : FailFromErrno();
}

int WsConnect(TSocket s, const TSocketAddress& to) {
    if (!Valid(s)) return Fail(WSAENOTSOCK);
    sockaddr_in address{};
    address.sin_family = to.Family;
    address.sin_port = to.Port;
    address.sin_addr.s_addr = to.Address;
    if (::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
        socket_service::ConnectStarted(s, 0);
        return Fail(WSAEWOULDBLOCK);
    }
    switch (errno) {
    case EINPROGRESS:
        socket_service::ConnectStarted(s, 0);
        return Fail(WSAEWOULDBLOCK);
    case ECONNREFUSED:
    case ENETUNREACH:
    case EHOSTUNREACH:
    case ETIMEDOUT:
        socket_service::ConnectStarted(s, WinsockErrorFromErrno(errno));
        return Fail(WSAEWOULDBLOCK);
    default:
        return FailFromErrno();
    }
}

int WsSend(TSocket s, const char* data, int length) {
    if (!Valid(s)) return Fail(WSAENOTSOCK);
    ssize_t sent = ::send(s, data, static_cast<size_t>(length), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (sent >= 0) return static_cast<int>(sent);
    if (errno == EAGAIN || errno == EWOULDBLOCK) socket_service::SendWouldBlock(s);
    return FailFromErrno();
}

int WsRecv(TSocket s, char* data, int length) {
    if (!Valid(s)) return Fail(WSAENOTSOCK);
    ssize_t got = ::recv(s, data, static_cast<size_t>(length), MSG_DONTWAIT);
    if (got > 0) {
        // Acknowledge at once: a server that writes one reply in several small segments with
        // Nagle on holds the last one back until this ACK, which Linux would delay by 40 ms
        // while the client has nothing to send. The option does not stick, hence every read.
        const int on = 1;
        setsockopt(s, IPPROTO_TCP, TCP_QUICKACK, &on, sizeof on);
    }
    socket_service::ReadTaken(s);
    return got >= 0 ? static_cast<int>(got) : FailFromErrno();
}

int WsCloseSocket(TSocket s) {
    if (!Valid(s)) return Fail(WSAENOTSOCK);
    socket_service::Unregister(s);
    {
        std::lock_guard lock(tagMutex);
        tags.erase(s);
    }
    return ::close(s) == 0 ? 0 : FailFromErrno();
}

TSocket WsAccept(TSocket s, TSocketAddress* from) {
    if (!Valid(s)) {
        Fail(WSAENOTSOCK);
        return INVALID_SOCKET;
    }
    sockaddr_in address{};
    socklen_t length = sizeof address;
    int fd = ::accept4(s, reinterpret_cast<sockaddr*>(&address), &length, SOCK_CLOEXEC);
    if (fd < 0 || fd >= INVALID_SOCKET) {
        if (fd >= 0) ::close(fd);
        fd < 0 ? FailFromErrno() : Fail(10024);
        return INVALID_SOCKET;
    }
    if (from) *from = {address.sin_family, address.sin_port, address.sin_addr.s_addr};
    std::lock_guard lock(tagMutex);
    tags[fd] = nextTag++;
    return static_cast<TSocket>(fd);
}

int WSAAsyncSelect(TSocket s, TWindowHandle window, uint32_t msg, long mask) {
    if (!Valid(s)) return Fail(WSAENOTSOCK);
    int flags = fcntl(s, F_GETFL);
    if (flags < 0 || fcntl(s, F_SETFL, flags | O_NONBLOCK) < 0) return FailFromErrno();
    socket_service::Register(s, WsSocketTag(s), window, msg, mask);
    return 0;
}

uint32_t WsInetAddr(const std::string& text) {
    return ::inet_addr(text.c_str());
}

uint16_t WsHtons(uint16_t value) {
    return htons(value);
}
