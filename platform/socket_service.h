#pragma once
#include "platform/message_window.h"

#include <cstdint>
#include <functional>

// The one thread that watches registered sockets and window timers and posts their
// notifications. Internal to the platform layer.
namespace socket_service {

void Register(int fd, uint64_t tag, TWindowHandle window, uint32_t msg, long mask);
void Unregister(int fd);
void ConnectStarted(int fd, int immediateError); // immediateError: a Winsock number or 0
void ReadTaken(int fd);                          // a receive re-enables the read notification
void SendWouldBlock(int fd);                     // write is posted when the socket drains

// A thread that is about to sleep in a wait takes the socket's readiness itself: Claim takes the
// socket out of the service's set and gives the poll events its registration wants now (0, and
// nothing claimed, when it wants none or the tag is not the registered socket's). Release hands
// it back with what the thread's poll reported, posting the notifications the service thread
// would have posted, and puts the socket back in the set. One side watches at a time: a report
// the service took before the claim is dropped as stale, and since readiness lasts while it is
// true, whoever watches next sees it again. Nothing is lost or told twice. The socket's handlers
// may run on its window's thread meanwhile (a check waits on its worker); a re-arm they make
// waits for the release, one poll of at most 2 ms.
//
// With take, a claimer on the socket's own window thread handles a read or write readiness itself:
// take(FD_READ or FD_WRITE) runs on the claiming thread, the socket still claimed, instead of a
// notification posted to the window; when it returns false (its handler was busy), the
// notification is posted after all. Connect and close are always posted. A socket whose
// readiness was all taken so stays out of the set for up to 2 ms after the release, since its
// claimer is likely to wait on it again at once; then the service watches it again.
using TTakeEvent = std::function<bool(long event)>;
uint32_t Claim(int fd, uint64_t tag);
void Release(int fd, uint64_t tag, uint32_t revents, const TTakeEvent& take = {});

bool StartTimer(TWindowHandle window, uint64_t id, uint32_t intervalMs);
bool StopTimer(TWindowHandle window, uint64_t id);

} // namespace socket_service
