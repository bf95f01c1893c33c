// Runs the program's windows in the working directory, checks the first account, opens the
// header viewer on the first message and saves a picture of the screen; used by the demo
// where there is no display (under Xvfb).
//
//   demo_shot <png>
#include "accounts/account_list.h"
#include "ui/header_viewer.h"
#include "ui/mail_check.h"
#include "ui/main_window.h"
#include "ui/message_grid.h"
#include "ui/program.h"
#include "ui/qt_message_box.h"
#include "ui/status_dialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <functional>

namespace {
bool WaitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <png>\n", argv[0]);
        return 2;
    }
    QApplication::setApplicationName("Vellion");
    QIcon::setThemeName("Adwaita");
    InstallQtMessageBoxHandler();
    TProgram program;
    TForm1& form = *program.Form1;
    form.move(20, 20);
    form.ShowAtStart();
    WaitFor([] { return false; }, 500);
    form.Button1Click();
    if (!WaitFor([&] { return form.ThreadHandle == 0 && !program.Status->isVisible(); }, 60000)) {
        std::fprintf(stderr, "the check did not end: %s\n", program.Status->Text().c_str());
        return 1;
    }
    form.Grid().selectRow(0);
    form.gridDblClick();
    program.Headers->move(form.x() + form.width() + 10, form.y() + 120);
    WaitFor([] { return false; }, 800);
    const QPixmap shot = QApplication::primaryScreen()->grabWindow(0);
    if (!shot.save(QString::fromLocal8Bit(argv[1]))) return 1;
    std::printf("%d messages checked at %s\n", form.Grid().RowCount() - 1,
                form.Accounts().Current()->LastRefresh.c_str());
    return 0;
}
