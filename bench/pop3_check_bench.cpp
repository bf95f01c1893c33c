// A full check of a mailbox through the POP3 component: pop3_check_bench <port> <user> <password>
// [rounds] [<authority.pem>]; with an authority the check runs over TLS and trusts it. Prints the
// best time of the rounds in seconds; bench/pop3_check_bench.sh compares it with a Python peer
// sending the same commands.
#include "bench/component_check.h"
#include "net/tls_channel.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <port> <user> <password> [rounds] [<authority.pem>]\n",
                     argv[0]);
        return 2;
    }
    const auto port = static_cast<uint16_t>(std::atoi(argv[1]));
    const int rounds = argc > 4 ? std::atoi(argv[4]) : 5;
    const bool tls = argc > 5;
    if (tls) TTlsChannel::TrustAlsoAuthority(argv[5]);
    const TTransportSecurity security = tls ? TTransportSecurity::Tls : TTransportSecurity::None;
    double best = 1e9;
    for (int i = 0; i < rounds; ++i)
        best = std::min(best, ComponentCheckSeconds(port, argv[2], argv[3], security));
    std::printf("%.4f\n", best);
    return 0;
}
