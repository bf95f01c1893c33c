// A full check through the POP3 component signed in by AUTH beside the same check signed in by
// USER and PASS, rounds interleaved: auth_check_bench <port> <user> <password> <access token>
// [rounds]. Prints the best time of each sign-in and its ratio to USER/PASS; see
// bench/auth_check_bench.sh, which starts the server and gets the token.
#include "bench/component_check.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s <port> <user> <password> <token> [rounds]\n", argv[0]);
        return 2;
    }
    const auto port = static_cast<uint16_t>(std::atoi(argv[1]));
    const int rounds = argc > 5 ? std::atoi(argv[5]) : 5;
    const struct {
        const char* name;
        TSignIn signIn;
        const char* secret;
    } ways[] = {{"USER/PASS", TSignIn::UserPass, argv[3]},
                {"AUTH PLAIN", TSignIn::Plain, argv[3]},
                {"AUTH XOAUTH2", TSignIn::XOAuth2, argv[4]},
                {"AUTH OAUTHBEARER", TSignIn::OAuthBearer, argv[4]}};
    double best[4] = {1e9, 1e9, 1e9, 1e9};
    // Interleaved, so that a passing load on the machine weighs on every way alike.
    for (int round = 0; round < rounds; ++round)
        for (int i = 0; i < 4; ++i)
            best[i] =
                std::min(best[i], ComponentCheckSeconds(port, argv[2], ways[i].secret,
                                                        TTransportSecurity::None, ways[i].signIn));
    for (int i = 0; i < 4; ++i)
        std::printf("%-17s %.4f s  ratio to USER/PASS %.2f\n", ways[i].name, best[i],
                    best[i] / best[0]);
    return 0;
}
