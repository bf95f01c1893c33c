#include "net/socket_handle.h"

TSocketHandle::~TSocketHandle() {
    std::lock_guard lock(mutex);
    if (socket != INVALID_SOCKET) WsCloseSocket(socket);
}

int TSocketHandle::EnsureOpen(const std::function<bool(TSocket)>& prepare) {
    std::lock_guard lock(mutex);
    return socket == INVALID_SOCKET ? OpenLocked(prepare) : 0;
}

bool TSocketHandle::Renew(bool reopen, const std::function<bool(TSocket)>& prepare,
                          uint64_t onlyTag) {
    std::lock_guard lock(mutex);
    if (onlyTag != 0 && onlyTag != tag) return false;
    const bool closed = socket != INVALID_SOCKET;
    if (closed) WsCloseSocket(socket);
    socket = INVALID_SOCKET;
    tag = 0;
    // A failure here leaves no socket; the next Connect tries again.
    if (reopen) OpenLocked(prepare);
    return closed;
}

int TSocketHandle::OpenLocked(const std::function<bool(TSocket)>& prepare) {
    const TSocket s = WsSocket();
    if (s == INVALID_SOCKET) return WSAGetLastError();
    if (prepare && !prepare(s)) {
        const int error = WSAGetLastError();
        WsCloseSocket(s);
        return error ? error : 10038;
    }
    socket = s;
    tag = WsSocketTag(s);
    return 0;
}
