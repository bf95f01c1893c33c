#pragma once
#include "platform/message_window.h"

#include <string>

// Looks up the IPv4 addresses of a host name on a worker and posts msg to the window when done:
// LParam holds the length of the result in its low 16 bits and the error number in its high
// 16 bits; WParam is the caller's serial; Data holds the addresses, four bytes each in network
// byte order. A window that is gone by then simply gets nothing.
void WSAAsyncGetHostByName(TWindowHandle window, uint32_t msg, uint64_t serial,
                           const std::string& name);
