// Saves pictures of the window and of the settings window on the screen the program is given
// (scripts: QT_SCALE_FACTOR=2 under Xvfb with "-screen 0 1024x600x24"): three messages of which
// two are new (bold rows, dates in bold), an account whose check failed (its note in the tree),
// the first message's preview read with the check.
//
//   small_screen_shot <folder>   -> <folder>/window.png, <folder>/settings.png
#include "accounts/account_list.h"
#include "accounts/new_mail.h"
#include "accounts/seen_file.h"
#include "app/main_window.h"
#include "app/program.h"
#include "dialogs/settings_dialog.h"
#include "mail/mail_operations.h"
#include "shot_support.h"
#include "tests/support/fake_pop3_server.h"
#include "widgets/account_tree.h"
#include "widgets/message_grid.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <cstdio>

namespace {
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
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (!PrepareShot(argc, argv)) return 2;
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
