#pragma once
#include "platform/message_window.h"

#include <functional>
#include <string>

// Looks up the IPv4 addresses of a host name on a worker and posts msg to the window when done:
// LParam holds the length of the result in its low 16 bits and the error number in its high
// 16 bits; WParam is the caller's serial; Data holds the addresses, four bytes each in network
// byte order. A window that is gone by then simply gets nothing.
void WSAAsyncGetHostByName(TWindowHandle window, uint32_t msg, uint64_t serial,
                           const std::string& name);

// Resolves a name to its IPv4 addresses (four bytes each) and returns an error number or 0.
using THostResolver = std::function<int(const std::string& name, std::string& addresses)>;

// Tests put a slow or failing resolver in place of the system's; empty restores it.
void SetHostResolver(THostResolver resolver);
