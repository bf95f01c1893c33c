#include "mail/server_address.h"

#include "net/socket_session.h"

#include <optional>

namespace {
std::optional<int> PortNumber(const std::string& text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    int port = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        port = port * 10 + (c - '0');
    }
    if (port < 1 || port > 65535) return std::nullopt;
    return port;
}
} // namespace

void SetServer(TSocketSession& session, const std::string& server, TSecurity security) {
    session.Host = server;
    session.Port = DefaultPort(security);
    session.Security = security == TSecurity::Tls        ? TTransportSecurity::Tls
                       : security == TSecurity::StartTls ? TTransportSecurity::StartTls
                                                         : TTransportSecurity::None;
    const size_t colon = server.rfind(':');
    if (colon == std::string::npos) return;
    if (const std::optional<int> port = PortNumber(server.substr(colon + 1))) {
        session.Host = server.substr(0, colon);
        session.Port = *port;
    }
}
