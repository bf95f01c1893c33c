// A full check of a mailbox through the POP3 component: pop3_check_bench <port> <user> <password>
// [rounds]. Prints the best time of the rounds in seconds; bench/pop3_check_bench.sh compares
// it with a Python peer sending the same commands.
#include "bench/component_check.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <port> <user> <password> [rounds]\n", argv[0]);
        return 2;
    }
    const auto port = static_cast<uint16_t>(std::atoi(argv[1]));
    const int rounds = argc > 4 ? std::atoi(argv[4]) : 5;
    double best = 1e9;
    for (int i = 0; i < rounds; ++i)
        best = std::min(best, ComponentCheckSeconds(port, argv[2], argv[3]));
    std::printf("%.4f\n", best);
    return 0;
}
