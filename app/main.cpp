#include "app/config_folder.h"
#include "app/main_window.h"
#include "app/program.h"
#include "dialogs/qt_message_box.h"
#include "files/single_instance.h"
#include "mail/mail_operations.h"
#include "secrets/keyring_store.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QIcon>
#include <QMessageBox>
#include <cstdio>
#include <cstdlib>

namespace {
// Without a desktop session Qt names no icon theme; the freedesktop default still has one.
void ChooseIconTheme() {
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == "hicolor")
        QIcon::setThemeName("Adwaita");
}

struct TStart {
    TConfigFolder Folder;
    bool InTray = false;
};

TStart StartOf(const QApplication& app) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "TStart", "Checks POP3 mailboxes without downloading the mail."));
    parser.addHelpOption();
    const QCommandLineOption launcher(
        "launcher", QCoreApplication::translate(
                        "TStart", "Keep the files in the user's configuration folder (as the menu "
                                  "entry does)."));
    const QCommandLineOption named(
        "config-dir", QCoreApplication::translate("TStart", "Keep the files in <folder>."),
        QCoreApplication::translate("TStart", "folder"));
    const QCommandLineOption tray(
        "tray",
        QCoreApplication::translate("TStart", "Start with only the tray icon (as at log-in)."));
    parser.addOption(launcher);
    parser.addOption(named);
    parser.addOption(tray);
    parser.process(app);
    return {ChooseConfigFolder(parser.isSet(launcher), parser.value(named).toStdString(),
                               std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")),
            parser.isSet(tray)};
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // No display name: the toolkit would add it to every window title ("Status - Vellion").
    QApplication::setApplicationName("Vellion");
    QGuiApplication::setDesktopFileName("vellion");
    LoadTranslations();
    ChooseIconTheme();
    const TStart start = StartOf(app);
    const std::string folderError = EnterConfigFolder(start.Folder);
    if (!folderError.empty()) {
        std::fprintf(stderr, "%s\n", folderError.c_str());
        QMessageBox::critical(nullptr, "Vellion", QString::fromStdString(folderError));
        return 1;
    }
    // A second start on the same files shows the first program's window instead.
    TSingleInstance instance(
        TSingleInstance::SocketName(QDir::current().canonicalPath().toStdString()));
    if (instance.AnotherRuns()) return 0;
    InstallQtMessageBoxHandler();
    TKeyringStore keyring; // outlives the windows that use it
    TProgram program;
    // Saved secrets go to the desktop's keyring where there is one; it is asked nothing now, so
    // a locked keyring asks at the first check that needs it.
    if (TKeyringStore::Available()) {
        program.Form1->UseKeyring(&keyring);
        OfferKeyring(program.Form1->Accounts(), keyring);
    }
    instance.OnRaise = [&program] { program.Form1->ShowFromTray(); };
    QObject::connect(program.Form1.get(), &TForm1::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    // Started in the tray, the window shows when the tray icon or a second start asks for it.
    if (!start.InTray || !program.Form1->CanStartInTray()) program.Form1->ShowAtStart();
    return QApplication::exec();
}
