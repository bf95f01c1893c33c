// Peak memory and the longest stall of the user interface during a check, through the main
// window offscreen, against a scripted server that misbehaves. One scenario per process, so
// that the peak is the scenario's own (bench/hostile_memory_bench.sh runs them all):
//
//   hostile_memory_bench idle|endless-line|endless-header|flood
#include "accounts/account_list.h"
#include "app/main_window.h"
#include "app/program.h"
#include "dialogs/status_dialog.h"
#include "mail/mail_check.h"
#include "mail/mail_operations.h"
#include "platform/message_box.h"
#include "tests/support/scripted_peer.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <string>
#include <sys/resource.h>

using test_support::Script;

namespace {

// Logged in with one message; the listing is asked for next.
Script LoggedIn() {
    return Script()
        .Send("+OK ready\r\n")
        .ReadLine()
        .Send("+OK\r\n")
        .ReadLine()
        .Send("+OK\r\n")
        .ReadLine()
        .Send("+OK 1 100\r\n")
        .ReadLine(); // LIST
}

constexpr int ServerLimitMs = 15000;

Script ScenarioScript(const std::string& name) {
    if (name == "endless-line") // a listing line that never ends
        return LoggedIn().Send("+OK\r\n1 ").Repeat(std::string(65536, '7'), ServerLimitMs);
    if (name == "endless-header") // a header that never ends
        return LoggedIn()
            .Send("+OK\r\n1 100\r\n.\r\n")
            .ReadLine()
            .Send("+OK\r\n")
            .Repeat("X-Filler: " + std::string(70, 'f') + "\r\n", ServerLimitMs);
    // a flood of listing lines, as fast as the client takes them, then the server goes
    return LoggedIn().Send("+OK\r\n").Repeat("1 100\r\n", ServerLimitMs);
}

long PeakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const std::string scenario = argc > 1 ? argv[1] : "idle";
    test_support::ServerOptions options;
    options.ioTimeoutMs = 3000; // a client that stopped reading is given up
    test_support::ScriptedPeer server(ScenarioScript(scenario), options);

    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    {
        TAccounts list;
        list.Add("Bench", "127.0.0.1:" + std::to_string(server.Port()), "bob", "pw", true);
        if (!list.SaveToFile()) return 1;
    }
    TProgram program;
    TForm1& form = *program.Form1;
    std::string failure;
    SetMessageBoxHandler([&](const TMsgRequest& request) {
        failure = request.Text.substr(0, 60);
        return TMsgResult::Ok;
    });

    // The longest gap between two ticks of a 10 ms timer: how long the window could not repaint.
    QElapsedTimer sinceTick;
    qint64 longestStall = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { longestStall = std::max(longestStall, sinceTick.restart()); });
    ticker.start(10);
    sinceTick.start();

    QElapsedTimer elapsed;
    elapsed.start();
    if (scenario != "idle") {
        form.Button1Click();
        while (failure.empty() && elapsed.elapsed() < ServerLimitMs + 10000 &&
               (form.Mail().Check().WorkerRunning() || program.Status->isVisible() ||
                form.Mail().Flags().ThreadHandle != 0))
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    std::printf("%-15s peak %6ld MiB  check %5.1f s  longest stall %4lld ms  ended by: %s\n",
                scenario.c_str(), PeakKiB() / 1024, elapsed.elapsed() / 1000.0, longestStall,
                failure.empty() ? "(nothing)" : failure.c_str());
    return 0;
}
