// Runs the program against the Dovecot fixture with two accounts, checks them in the
// background, delivers new mail, checks again and saves a picture of the whole screen (tray
// and notice included): the picture of new mail arriving, under Xvfb with a tray.
//
//   tray_shot <png>
#include "accounts/account_list.h"
#include "app/main_window.h"
#include "app/program.h"
#include "mail/check_schedule.h"
#include "mail/mail_operations.h"
#include "shot_support.h"
#include "tests/support/dovecot_fixture.h"
#include "widgets/account_tree.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QTemporaryDir>
#include <cstdio>

namespace {

std::string Mail(const std::string& from, const std::string& subject, int day) {
    return "From: " + from + "\nSubject: " + subject + "\nDate: Tue, " + std::to_string(day) +
           " Dec 2026 09:1" + std::to_string(day % 10) + ":00 +0000\n\nBody\n";
}

bool Round(TForm1& form) {
    form.Mail().Schedule().Tick();
    return WaitFor([&] { return !form.Mail().RoundRunning(); }, 60000);
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (!PrepareShot(argc, argv)) return 2;
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
