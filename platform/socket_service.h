#pragma once
#include "platform/message_window.h"

#include <cstdint>

// The one thread that watches registered sockets and window timers and posts their
// notifications. Internal to the platform layer.
namespace socket_service {

void Register(int fd, uint64_t tag, TWindowHandle window, uint32_t msg, long mask);
void Unregister(int fd);
void ConnectStarted(int fd, int immediateError); // immediateError: a Winsock number or 0
void ReadTaken(int fd);                          // a receive re-enables the read notification
void SendWouldBlock(int fd);                     // write is posted when the socket drains

bool StartTimer(TWindowHandle window, uint64_t id, uint32_t intervalMs);
bool StopTimer(TWindowHandle window, uint64_t id);

} // namespace socket_service
