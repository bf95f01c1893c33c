// Start-up with many accounts beside start-up with none, in one run: the creation of the
// program's windows (settings, "mail.acc", the account tree). The ratio is what the accounts add.
//
//   start_bench [accounts] [rounds]
#include "accounts/accounts_file.h"
#include "app/program.h"
#include "bench/median.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace {

bool WriteAccounts(const QString& dir, int count) {
    std::string bytes;
    for (int i = 0; i < count; ++i) {
        TAccount account;
        account.Name = "Account " + std::to_string(i);
        account.Server = "pop" + std::to_string(i) + ".example.net";
        account.User = "user" + std::to_string(i);
        bytes += AccountRecord(account);
    }
    QFile file(QDir(dir).filePath("mail.acc"));
    return file.open(QIODevice::WriteOnly) &&
           file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
               static_cast<qint64>(bytes.size());
}

// Seconds to create the program in that directory (its destruction is not counted).
double StartSeconds(const QString& dir) {
    QDir::setCurrent(dir);
    const auto start = std::chrono::steady_clock::now();
    auto program = std::make_unique<TProgram>();
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    program.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return seconds;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int accounts = argc > 1 ? std::max(1, std::stoi(argv[1])) : 10000;
    const int rounds = argc > 2 ? std::max(1, std::stoi(argv[2])) : 3;
    QTemporaryDir none, many;
    if (!none.isValid() || !many.isValid() || !WriteAccounts(many.path(), accounts)) return 1;

    std::vector<double> empty, full;
    for (int round = 0; round < rounds; ++round) {
        empty.push_back(StartSeconds(none.path()));
        full.push_back(StartSeconds(many.path()));
    }
    const double e = Median(empty), f = Median(full);
    std::printf("rounds %d (medians)\n", rounds);
    std::printf("start-up, no account       %.3f s\n", e);
    std::printf("start-up, %d accounts   %.3f s\n", accounts, f);
    std::printf("ratio accounts/none %.1f\n", f / e);
    return 0;
}
