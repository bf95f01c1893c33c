#include "platform/host_lookup.h"

#include "platform/winsock_errors.h"

#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <thread>

namespace {

void LookUp(TWindowHandle window, uint32_t msg, uint64_t serial, const std::string& name) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    int error = WinsockErrorFromLookup(getaddrinfo(name.c_str(), nullptr, &hints, &found));
    std::string addresses;
    for (addrinfo* entry = found; entry && addresses.size() < 1000; entry = entry->ai_next) {
        const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
        char bytes[4];
        std::memcpy(bytes, &address->sin_addr.s_addr, 4);
        addresses.append(bytes, 4);
    }
    if (found) freeaddrinfo(found);
    if (!error && addresses.empty()) error = WSANO_DATA;
    const int64_t lParam =
        static_cast<int64_t>(addresses.size() & 0xFFFF) | (static_cast<int64_t>(error) << 16);
    PostMessage(window, msg, serial, lParam, std::move(addresses));
}

} // namespace

void WSAAsyncGetHostByName(TWindowHandle window, uint32_t msg, uint64_t serial,
                           const std::string& name) {
    // A lookup cannot be withdrawn; its thread touches nothing but the posted copy, so a reply
    // that outlives its window is simply dropped.
    std::thread(LookUp, window, msg, serial, name).detach();
}
