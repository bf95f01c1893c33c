#pragma once
#include "platform/sockets.h"

#include <cstdint>
#include <functional>
#include <mutex>
#include <utility>

// The one owner of a session's socket. The notification thread reads and writes through it
// while the caller's thread may close it, so every use, the close and the replacement happen
// under one lock: a closed handle is never used again, nor a number the process has since
// given to another file.
class TSocketHandle {
public:
    TSocketHandle() = default;
    ~TSocketHandle();
    TSocketHandle(const TSocketHandle&) = delete;
    TSocketHandle& operator=(const TSocketHandle&) = delete;

    // Creates a socket when there is none, set up by prepare (which may refuse it); the
    // library's error number when that fails, else 0.
    int EnsureOpen(const std::function<bool(TSocket)>& prepare);
    // Closes the current socket, if any, and, when reopen, puts a fresh one in its place, all
    // in one step. With onlyTag, only the socket of that tag is closed. True when a socket was
    // closed.
    bool Renew(bool reopen, const std::function<bool(TSocket)>& prepare, uint64_t onlyTag = 0);

    // Runs use with the socket while nobody can close it (INVALID_SOCKET when there is none).
    template <typename Use> auto With(Use use) {
        std::lock_guard lock(mutex);
        return use(socket);
    }
    // The same for the socket of that tag only; otherwise when it has been replaced.
    template <typename Use, typename Result>
    Result WithTagged(uint64_t onlyTag, Use use, Result otherwise) {
        std::lock_guard lock(mutex);
        return onlyTag != 0 && onlyTag != tag ? otherwise : use(socket);
    }
    // The current socket and its tag, read together.
    std::pair<TSocket, uint64_t> Current() const {
        std::lock_guard lock(mutex);
        return {socket, tag};
    }
    // The tag of the current socket (0 when there is none); notifications name it.
    uint64_t Tag() const {
        std::lock_guard lock(mutex);
        return tag;
    }

private:
    int OpenLocked(const std::function<bool(TSocket)>& prepare);

    mutable std::mutex mutex;
    TSocket socket = INVALID_SOCKET;
    uint64_t tag = 0;
};
