// The check with "preview while checking" beside the check without it, in the same run:
// preview_check_bench <port> <user> <password> [rounds] [lines]. With the preview each summary
// brings its first lines (TOP n k, pipelined as the summaries are) and they are decoded as the
// pane would show them. Prints both best times and their ratio.
#include "bench/component_check.h"
#include "mime/body_preview.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <port> <user> <password> [rounds] [lines]\n", argv[0]);
        return 2;
    }
    const auto port = static_cast<uint16_t>(std::atoi(argv[1]));
    const int rounds = argc > 4 ? std::atoi(argv[4]) : 5;
    const int lines = argc > 5 ? std::atoi(argv[5]) : 20;
    size_t shown = 0; // kept, so the decoding is not left out
    auto decode = [&](const TSummary& summary) {
        shown += DecodePreview(summary.Header.Lines(), summary.Body).Text.size();
    };
    double plain = 1e9, preview = 1e9;
    for (int i = 0; i < rounds; ++i) { // alternated, so load on the machine falls on both
        plain = std::min(plain, ComponentCheckSeconds(port, argv[2], argv[3]));
        preview = std::min(preview,
                           ComponentCheckSeconds(port, argv[2], argv[3], TTransportSecurity::None,
                                                 TSignIn::UserPass, lines, decode));
    }
    std::printf("check %.4f s, with the preview of %d lines %.4f s (%zu characters shown)\n", plain,
                lines, preview, shown);
    std::printf("ratio preview/plain: %.2f (target: at most 1.5)\n", preview / plain);
    return 0;
}
