#include "platform/host_lookup.h"

#include "platform/winsock_errors.h"

#include <cstring>
#include <mutex>
#include <netdb.h>
#include <netinet/in.h>
#include <thread>

namespace {

struct Resolver {
    std::mutex mutex;
    THostResolver custom;
};

// Never destroyed: lookups run on detached threads that may outlive everything else.
Resolver& Resolvers() {
    static Resolver* resolver = new Resolver;
    return *resolver;
}

int SystemResolve(const std::string& name, std::string& addresses) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const int error = WinsockErrorFromLookup(getaddrinfo(name.c_str(), nullptr, &hints, &found));
    for (addrinfo* entry = found; entry && addresses.size() < 1000; entry = entry->ai_next) {
        const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ai_addr);
        char bytes[4];
        std::memcpy(bytes, &address->sin_addr.s_addr, 4);
        addresses.append(bytes, 4);
    }
    if (found) freeaddrinfo(found);
    return error;
}

void LookUp(TWindowHandle window, uint32_t msg, uint64_t serial, const std::string& name) {
    THostResolver resolve;
    {
        std::lock_guard lock(Resolvers().mutex);
        resolve = Resolvers().custom ? Resolvers().custom : SystemResolve;
    }
    std::string addresses;
    int error = resolve(name, addresses);
    if (!error && addresses.size() < 4) error = WSANO_DATA;
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

void SetHostResolver(THostResolver resolver) {
    std::lock_guard lock(Resolvers().mutex);
    Resolvers().custom = std::move(resolver);
}
