#include "mail/check_sign_in.h"

#include "net/socket_session.h"

#include <gtest/gtest.h>

namespace {

TEST(ServerAddress, APortWinsAndWithoutOneTheModesPortIsTaken) {
    const struct {
        const char* server;
        TSecurity security;
        const char* host;
        int port;
        TTransportSecurity transport;
    } cases[] = {
        {"127.0.0.1:11110", TSecurity::Tls, "127.0.0.1", 11110, TTransportSecurity::Tls},
        {"pop.example", TSecurity::None, "pop.example", 110, TTransportSecurity::None},
        {"pop.example", TSecurity::StartTls, "pop.example", 110, TTransportSecurity::StartTls},
        {"pop.example", TSecurity::Tls, "pop.example", 995, TTransportSecurity::Tls},
        {"pop.example:http", TSecurity::None, "pop.example:http", 110, TTransportSecurity::None},
        {"pop.example:70000", TSecurity::Tls, "pop.example:70000", 995, TTransportSecurity::Tls},
        {"pop.example:0", TSecurity::None, "pop.example:0", 110, TTransportSecurity::None},
    };
    TSocketSession session;
    for (const auto& c : cases) {
        SetServer(session, c.server, c.security);
        EXPECT_EQ(session.Host, c.host) << c.server;
        EXPECT_EQ(session.Port, c.port) << c.server;
        EXPECT_EQ(session.Security, c.transport) << c.server;
    }
}

} // namespace
