// A whole check through the main window (Button1Click to FinishCheck, offscreen) beside the
// same check through the POP3 component alone, in one run against the same server. The ratio
// is what the window adds: the worker hand-over and the table filling. With --tls both run over
// TLS (the port is then the server's POP3S port) and trust that authority; with --window-only the
// component's check is left out, so that the process's counters are the window's alone. With
// "memory" (the check Check starts) or "memory-round" (the check Check All starts in the
// background) as the fifth argument, it checks the same mailbox `rounds` times in a row instead,
// and tells the program's peak and current resident memory after each check: a re-check should
// cost no more than the first.
//
//   window_check_bench <port> [user] [password] [rounds] [memory|memory-round]
//                      [--tls=<authority.pem>] [--window-only]
#include "accounts/account_list.h"
#include "app/main_window.h"
#include "app/program.h"
#include "bench/component_check.h"
#include "bench/median.h"
#include "dialogs/status_dialog.h"
#include "mail/mail_check.h"
#include "mail/mail_operations.h"
#include "net/tls_channel.h"
#include "widgets/message_grid.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace {

// Seconds from the click to the end of FinishCheck; negative when the check did not end.
double WindowCheckSeconds(TForm1& form, TStatus& status) {
    const auto start = std::chrono::steady_clock::now();
    form.Button1Click();
    QElapsedTimer limit;
    limit.start();
    // The program's own event loop sleeps until something happens; a tick bounds each sleep, so
    // that the loop sees the worker end without spinning (which would count against the window).
    QTimer tick;
    tick.start(1);
    while (form.Mail().Check().WorkerRunning() || status.isVisible() ||
           form.Mail().Flags().ThreadHandle != 0) {
        if (limit.elapsed() > 120000) return -1;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Seconds from Check All to the end of its round; negative when it did not end.
double RoundCheckSeconds(TForm1& form) {
    const auto start = std::chrono::steady_clock::now();
    form.Mail().CheckAllClick();
    QElapsedTimer limit;
    limit.start();
    while (form.Mail().RoundRunning() || form.Mail().Check().WorkerRunning() ||
           form.Mail().Flags().ThreadHandle != 0) {
        if (limit.elapsed() > 120000) return -1;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double PeakMB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024;
}

double ResidentMB() {
    std::ifstream statm("/proc/self/statm");
    double pages = 0, resident = 0;
    statm >> pages >> resident;
    return resident * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024 * 1024);
}

// The header bytes the account holds, as the server sent them (line ends included).
size_t HeaderBytes(const TAccount& account) {
    size_t bytes = 0;
    for (const THeaderLines& header : account.Headers)
        for (std::string_view line : header)
            bytes += line.size() + 2;
    return bytes;
}

int MemoryRuns(TForm1& form, TStatus& status, int rounds, bool quiet) {
    std::printf("%s, %d checks of the same mailbox in one program\n",
                quiet ? "Check All (background)" : "Check", rounds);
    std::printf("before: resident %.0f MB\n", ResidentMB());
    for (int round = 1; round <= rounds; ++round) {
        const double seconds = quiet ? RoundCheckSeconds(form) : WindowCheckSeconds(form, status);
        const TAccount& account = form.Accounts().At(0);
        if (seconds < 0 || account.Rows.empty()) {
            std::fprintf(stderr, "check %d did not end with rows\n", round);
            return 1;
        }
        std::printf("check %d: %zu messages, %.1f MB of headers, %.2f s, peak resident %.0f MB, "
                    "resident now %.0f MB\n",
                    round, account.Rows.size(), static_cast<double>(HeaderBytes(account)) / 1e6,
                    seconds, PeakMB(), ResidentMB());
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::vector<std::string> args;
    std::string authority;
    bool windowOnly = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--tls=", 0) == 0)
            authority = arg.substr(6);
        else if (arg == "--window-only")
            windowOnly = true;
        else
            args.push_back(arg);
    }
    if (args.empty()) {
        std::fprintf(stderr,
                     "usage: %s <port> [user] [password] [rounds] [--tls=<authority.pem>] "
                     "[--window-only]\n",
                     argv[0]);
        return 2;
    }
    const auto port = static_cast<uint16_t>(std::stoi(args[0]));
    const std::string user = args.size() > 1 ? args[1] : "bulk";
    const std::string password = args.size() > 2 ? args[2] : "secret";
    const int rounds = args.size() > 3 ? std::max(1, std::stoi(args[3])) : 5;
    const bool tls = !authority.empty();
    if (tls) TTlsChannel::TrustAlsoAuthority(authority);
    const std::string mode = args.size() > 4 ? args[4] : "";

    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    {
        TAccounts list;
        list.Add("Bench", "127.0.0.1:" + std::to_string(port), user, password, true);
        list.At(0).Security = tls ? TSecurity::Tls : TSecurity::None;
        if (!list.SaveToFile()) return 1;
    }
    TProgram program;
    TForm1& form = *program.Form1;
    if (mode == "memory" || mode == "memory-round")
        return MemoryRuns(form, *program.Status, rounds, mode == "memory-round");

    std::vector<double> window, component;
    for (int round = 0; round < rounds; ++round) {
        if (!windowOnly)
            component.push_back(ComponentCheckSeconds(
                port, user, password, tls ? TTransportSecurity::Tls : TTransportSecurity::None));
        const double seconds = WindowCheckSeconds(form, *program.Status);
        if (seconds < 0) {
            std::fprintf(stderr, "the window's check did not end\n");
            return 1;
        }
        window.push_back(seconds);
    }
    const int rows = form.Grid().RowCount() - 1;
    const double w = Median(window);
    std::printf("messages %d, rounds %d (medians)%s\n", rows, rounds, tls ? ", over TLS" : "");
    if (!windowOnly) std::printf("component check  %.3f s\n", Median(component));
    std::printf("window check     %.3f s\n", w);
    if (!windowOnly) std::printf("ratio window/component %.2f\n", w / Median(component));
    std::printf("peak resident memory %.0f MB\n", PeakMB());
    return 0;
}
