// Saves a picture of the window previewing each message of a maildir (the "--shapes" mailbox of
// tests/support/make_mailbox.py), served by the fake POP3 server on 127.0.0.1.
//
//   preview_shot <maildir>/cur <folder>   -> <folder>/preview-1.png, preview-2.png, ...
#include "accounts/account_list.h"
#include "app/main_window.h"
#include "app/program.h"
#include "dialogs/status_dialog.h"
#include "mail/mail_operations.h"
#include "shot_support.h"
#include "tests/support/fake_pop3_server.h"
#include "widgets/message_grid.h"
#include "widgets/preview_pane.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3 || !PrepareShot(2, argv)) return 2;
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
