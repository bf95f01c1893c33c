// Runs the program's windows in the working directory, checks the first account, opens the
// header viewer on the first message and saves a picture of the screen; used by the demo
// where there is no display (under Xvfb). Beside it, <png> less ".png" plus "-viewer.png",
// "-editor.png" and "-status.png": the viewer, the account editor, and the status dialog
// showing a failed connection.
//
//   demo_shot <png>
#include "accounts/account_list.h"
#include "app/main_window.h"
#include "app/program.h"
#include "dialogs/account_editor.h"
#include "dialogs/header_viewer.h"
#include "dialogs/status_dialog.h"
#include "mail/mail_check.h"
#include "mail/mail_operations.h"
#include "shot_support.h"
#include "widgets/message_grid.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (!PrepareShot(argc, argv)) return 2;
    TProgram program;
    TForm1& form = *program.Form1;
    form.move(20, 20);
    form.ShowAtStart();
    WaitFor([] { return false; }, 500);
    form.Button1Click();
    if (!WaitFor(
            [&] { return form.Mail().Flags().ThreadHandle == 0 && !program.Status->isVisible(); },
            60000)) {
        std::fprintf(stderr, "the check did not end: %s\n", program.Status->Text().c_str());
        return 1;
    }
    const int checked = form.Grid().RowCount() - 1; // the failed check below empties the table
    form.Grid().selectRow(2);                       // encoded sender, folded subject
    form.gridDblClick();
    program.Headers->move(form.x() + form.width() + 10, form.y() + 120);
    WaitFor([] { return false; }, 800);
    const QPixmap shot = QApplication::primaryScreen()->grabWindow(0);
    const QString path = QString::fromLocal8Bit(argv[1]);
    if (!shot.save(path)) return 1;
    const QString base = path.endsWith(".png") ? path.chopped(4) : path;
    program.Headers->grab().save(base + "-viewer.png");

    auto* editor = new Tacc_info(form.Accounts(), &form); // deletes itself when closed
    editor->LoadCurrent();
    editor->show();
    WaitFor([] { return false; }, 300);
    editor->grab().save(base + "-editor.png");
    editor->close();

    TAccount& account = *form.Accounts().Current();
    const std::string server = account.Server;
    account.Server = "127.0.0.1:1"; // nothing listens there
    form.Button1Click();
    WaitFor([&] { return program.Status->Text().rfind("Error", 0) == 0; }, 10000);
    WaitFor([] { return false; }, 300);
    program.Status->grab().save(base + "-status.png");
    program.Status->CancelClick();
    account.Server = server;
    std::printf("%d messages checked at %s\n", checked,
                form.Accounts().Current()->LastRefresh.c_str());
    return 0;
}
