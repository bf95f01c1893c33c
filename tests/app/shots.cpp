// The programs' pictures, taken under Xvfb by the scripts, one kind per first argument:
//
//   shots demo <png>                        (scripts/demo.sh)
//   shots tray <png>                        (scripts/tray_shot.sh)
//   shots preview <maildir>/cur <folder>    -> <folder>/preview-1.png, preview-2.png, ...
//   shots small_screen <folder>             -> <folder>/window.png, <folder>/settings.png
#include "accounts/account_list.h"
#include "accounts/new_mail.h"
#include "accounts/seen_file.h"
#include "app/main_window.h"
#include "app/program.h"
#include "dialogs/account_editor.h"
#include "dialogs/header_viewer.h"
#include "dialogs/qt_message_box.h"
#include "dialogs/settings_dialog.h"
#include "dialogs/status_dialog.h"
#include "mail/check_schedule.h"
#include "mail/mail_check.h"
#include "mail/mail_operations.h"
#include "tests/support/dovecot_fixture.h"
#include "tests/support/fake_pop3_server.h"
#include "widgets/account_tree.h"
#include "widgets/message_grid.h"
#include "widgets/preview_pane.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {
// Runs the event loop until done() holds, for at most ms milliseconds.
bool WaitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// The demo: the first account checked, the header viewer on its first message, a picture of the
// screen; beside it, <png> less ".png" plus "-viewer.png", "-editor.png" and "-status.png": the
// viewer, the account editor, and the status dialog showing a failed connection.
namespace demo {
int Shot(char** argv) {
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
} // namespace demo

// New mail arriving, under Xvfb with a tray: two accounts of the Dovecot fixture checked in
// the background, new mail delivered, checked again, the whole screen (tray and notice).
namespace tray {
std::string Mail(const std::string& from, const std::string& subject, int day) {
    return "From: " + from + "\nSubject: " + subject + "\nDate: Tue, " + std::to_string(day) +
           " Dec 2026 09:1" + std::to_string(day % 10) + ":00 +0000\n\nBody\n";
}

bool Round(TForm1& form) {
    form.Mail().Schedule().Tick();
    return WaitFor([&] { return !form.Mail().RoundRunning(); }, 60000);
}

int Shot(char** argv) {
    using namespace test_support;
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    const std::string server = "127.0.0.1:" + std::to_string(DovecotPort());
    TAccounts accounts;
    accounts.Add("Home", server, "erin", "secret", true);
    accounts.Add("Work", server, "frank", "secret", true);
    accounts.Add("Club", "127.0.0.1:1", "secretary", "pw", true); // nothing listens there
    accounts.Add("Spare", server, "erin", "", false);             // no password saved
    if (DovecotPort() == 0 || !accounts.SaveToFile()) {
        std::fprintf(stderr, "no Dovecot fixture, or no accounts file\n");
        return 1;
    }
    RefillDovecotMailbox("erin", {Mail("Ann Lee <ann@example.com>", "Lunch on Friday?", 1),
                                  Mail("noreply@shop.example", "Your order has shipped", 2)});
    RefillDovecotMailbox("frank", {Mail("Build bot <ci@example.com>", "Nightly build passed", 3)});
    TProgram program;
    TForm1& form = *program.Form1;
    form.move(20, 20);
    form.resize(760, 420);
    form.ShowAtStart();
    WaitFor([] { return false; }, 800);
    if (!Round(form)) return 1;
    DeliverToDovecot("erin", Mail("=?UTF-8?Q?Zo=C3=AB_M=C3=BCller?= <zoe@example.com>",
                                  "=?UTF-8?Q?R=C3=A9sum=C3=A9_attached?=", 7));
    DeliverToDovecot("frank", Mail("Dana <dana@example.com>", "Standup moved to 10:30", 8));
    DeliverToDovecot("frank", Mail("Build bot <ci@example.com>", "Nightly build FAILED", 8));
    // Home's new row stays bold while it is shown; Work's node counts its new mail.
    form.Tree().setCurrentItem(form.Tree().AccountNode("Home"));
    if (!Round(form)) return 1;
    WaitFor([] { return false; }, 2500); // the notice and the tray catch up
    const QPixmap shot = QGuiApplication::primaryScreen()->grabWindow(0);
    if (!shot.save(argv[1])) return 1;
    for (const char* name : {"Home", "Work", "Club", "Spare"})
        std::printf("%s | %s\n", TAccountTree::Shown(form.Tree().AccountNode(name)).c_str(),
                    form.Tree().AccountNode(name)->toolTip(0).toStdString().c_str());
    std::printf("title: %s\n", form.windowTitle().toStdString().c_str());
    return 0;
}
} // namespace tray

// The window previewing each message of a maildir (the "--shapes" mailbox of
// tests/support/servers/make_mailbox.py), served by the fake POP3 server on 127.0.0.1.
namespace preview {
int Shot(char** argv) {
    std::vector<test_support::FakeMessage> mailbox;
    const QDir cur(QString::fromLocal8Bit(argv[1]));
    for (const QString& name : cur.entryList(QDir::Files, QDir::Name)) {
        QFile file(cur.filePath(name));
        if (!file.open(QIODevice::ReadOnly)) return 1;
        const std::string data = file.readAll().toStdString();
        const size_t split = data.find("\n\n");
        mailbox.push_back({data.substr(0, split), data.substr(split + 2)});
    }
    test_support::FakePop3Server server(mailbox, "grace", "pw");
    const QString out = QDir(QString::fromLocal8Bit(argv[2])).absolutePath();
    QTemporaryDir home;
    QDir::setCurrent(home.path());
    TAccounts list;
    list.Add("Shapes", "127.0.0.1:" + std::to_string(server.Port()), "grace", "pw", true);
    if (!list.SaveToFile()) return 1;
    TProgram program;
    TForm1& form = *program.Form1;
    form.resize(760, 520);
    form.show();
    form.Button1Click();
    if (!WaitFor(
            [&] { return form.Mail().Flags().ThreadHandle == 0 && !program.Status->isVisible(); },
            20000))
        return 1;
    for (int message = 1; message <= static_cast<int>(mailbox.size()); ++message) {
        form.Grid().setCurrentCell(form.Grid().RowOf(message) - 1, 2);
        WaitFor(
            [&] {
                return !form.Preview().Text().startsWith("Reading") &&
                       !form.Preview().Text().isEmpty();
            },
            10000);
        WaitFor([] { return false; }, 100);
        form.grab().save(out + QString("/preview-%1.png").arg(message));
    }
    std::printf("%zu previews saved in %s\n", mailbox.size(), out.toLocal8Bit().constData());
    return 0;
}
} // namespace preview

// The window and the settings window on a small screen (QT_SCALE_FACTOR=2 under Xvfb with
// "-screen 0 1024x600x24"): three messages of which two are new (bold rows, dates in bold), an
// account whose check failed (its note in the tree), the first message's preview read with the
// check.
namespace small_screen {
test_support::FakeMessage Mail(const char* from, const char* subject, int day) {
    return {std::string("From: ") + from + "\nSubject: " + subject + "\nDate: Tue, " +
                std::to_string(day) + " Dec 2026 09:15:00 +0000\nMessage-ID: <" +
                std::to_string(day) + "@example.com>",
            "Hello,\nthe minutes of Tuesday are attached.\nRegards"};
}

bool Save(const QPixmap& picture, const QString& file) {
    if (!picture.save(file)) return false;
    std::printf("saved %s\n", file.toLocal8Bit().constData());
    return true;
}

int Shot(char** argv) {
    test_support::FakePop3Server server(
        {Mail("Ann Lee <ann@example.com>", "Lunch on Friday?", 1),
         Mail("Build bot <ci@example.com>", "Nightly build", 12),
         Mail("=?UTF-8?Q?Zo=C3=AB_M=C3=BCller?= <zoe@example.com>", "Wednesday's agenda", 30)},
        "jane", "pw");
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QTemporaryDir home;
    QDir::setCurrent(home.path());
    TAccounts list;
    list.Add("Home", "127.0.0.1:" + std::to_string(server.Port()), "jane", "pw", true);
    list.Add("Club", "127.0.0.1:1", "secretary", "pw", true); // nothing listens there
    if (!list.SaveToFile()) return 1;
    // The first message was seen at an earlier check: the other two are new.
    TNewMailState seen;
    seen.Checked = true;
    seen.Present = {MessageIdentity("uid-1", {})};
    QFile file(QString::fromStdString(SeenFileName(MailboxOf(list.At(0)))));
    const std::string text = SeenText(seen);
    if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), qint64(text.size())) < 0)
        return 1;
    file.close();
    QFile ini("tarsel.ini");
    if (!ini.open(QIODevice::WriteOnly) || ini.write("[general]\npreview_while_checking=1\n") < 0)
        return 1;
    ini.close();

    TProgram program;
    TForm1& form = *program.Form1;
    form.ShowAtStart();
    form.Tree().setCurrentItem(form.Tree().AccountNode("Home"));
    form.Mail().PeriodicTick();
    if (!WaitFor([&] { return !form.Mail().RoundRunning(); }, 20000)) return 1;
    form.Grid().setCurrentCell(form.Grid().RowOf(3) - 1, 0);
    WaitFor([] { return false; }, 800);
    if (!Save(QGuiApplication::primaryScreen()->grabWindow(0), out + "/window.png")) return 1;

    TSettingsChoice choice;
    choice.CheckMinutes = 10;
    choice.Accounts = {{"Home", true, std::nullopt}, {"Club", true, 30}};
    TSettingsDialog settings(choice, &form);
    settings.show();
    WaitFor([] { return false; }, 500);
    std::printf("settings %dx%d on a screen of %dx%d\n", settings.width(), settings.height(),
                settings.screen()->availableGeometry().width(),
                settings.screen()->availableGeometry().height());
    return Save(QGuiApplication::primaryScreen()->grabWindow(0), out + "/settings.png") ? 0 : 1;
}
} // namespace small_screen
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // Each kind with the number of its arguments; each gets them from its argv[1] on.
    const struct {
        const char* name;
        int arguments;
        int (*shot)(char** argv);
    } kinds[] = {{"demo", 1, demo::Shot},
                 {"tray", 1, tray::Shot},
                 {"preview", 2, preview::Shot},
                 {"small_screen", 1, small_screen::Shot}};
    for (const auto& kind : kinds)
        if (argc == kind.arguments + 2 && std::strcmp(argv[1], kind.name) == 0) {
            // The application set up as the program sets it up.
            QApplication::setApplicationName("Vellion");
            QIcon::setThemeName("Adwaita");
            InstallQtMessageBoxHandler();
            return kind.shot(argv + 1);
        }
    std::fprintf(stderr,
                 "usage: %s demo|tray <png> | preview <cur> <folder> | small_screen "
                 "<folder>\n",
                 argv[0]);
    return 2;
}
