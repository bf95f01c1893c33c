#include "app/window_desktop.h"

#include "accounts/account_list.h"
#include "app/autostart.h"
#include "desktop/desktop_notifier.h"
#include "dialogs/settings_dialog.h"
#include "mail/check_schedule.h"
#include "mail/mail_operations.h"
#include "platform/message_box.h"
#include "widgets/text_bytes.h"

#include <QApplication>
#include <QDir>
#include <cstdlib>
#include <map>

namespace {
std::string AutostartFile() {
    return AutostartPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}
} // namespace

TWindowDesktop::TWindowDesktop(QWidget& owner, TAccounts& list, TMailOperations& ops,
                               TDesktopNotifier& notices)
    : window(&owner), accounts(&list), mail(&ops), desktopNotifier(&notices) {}

void TWindowDesktop::ReadDesktop() {
    desktop = ReadDesktopSettings();
    mail->InRounds = [](const std::string& name) { return InRounds(name); };
    ApplyDesktop();
}

void TWindowDesktop::ApplyDesktop() {
    // A new interval starts afresh; one unchanged keeps its clock running.
    const int intervalMs = desktop.CheckMinutes * 60 * 1000;
    if (!mail->Schedule().Running() || mail->Schedule().IntervalMs() != intervalMs)
        mail->Schedule().Start(desktop.CheckMinutes);
    std::map<std::string, int> own;
    for (int i = 0; i < accounts->Count(); ++i)
        if (const std::optional<int> minutes = OwnCheckMinutes(accounts->At(i).Name))
            own[accounts->At(i).Name] = *minutes;
    mail->Schedule().StartOwn(own);
    mail->Flags().PreviewLines = desktop.PreviewWhileChecking ? desktop.PreviewLines : 0;
    desktopNotifier->ShowNotices = desktop.ShowNotices;
    desktopNotifier->PlaySound = desktop.PlaySound;
    // Hidden in the tray, the window is still the program: it ends when the window closes.
    QApplication::setQuitOnLastWindowClosed(!desktop.CloseToTray);
}

void TWindowDesktop::SettingsClick() {
    TSettingsChoice choice;
    choice.CheckMinutes = desktop.CheckMinutes;
    choice.CloseToTray = desktop.CloseToTray;
    choice.ShowNotices = desktop.ShowNotices;
    choice.PlaySound = desktop.PlaySound;
    choice.StartInTray = desktop.StartInTray;
    choice.StartAtLogin = AutostartExists(AutostartFile());
    choice.PreviewLines = desktop.PreviewLines;
    choice.PreviewWhileChecking = desktop.PreviewWhileChecking;
    for (int i = 0; i < accounts->Count(); ++i) {
        const std::string& name = accounts->At(i).Name;
        choice.Accounts.push_back({name, InRounds(name), OwnCheckMinutes(name)});
    }
    if (!TSettingsDialog::Ask(window, choice)) return;

    desktop.CheckMinutes = choice.CheckMinutes;
    desktop.CloseToTray = choice.CloseToTray;
    desktop.ShowNotices = choice.ShowNotices;
    desktop.PlaySound = choice.PlaySound;
    desktop.StartInTray = choice.StartInTray;
    desktop.PreviewLines = choice.PreviewLines;
    desktop.PreviewWhileChecking = choice.PreviewWhileChecking;
    bool written = WriteDesktopSettings(desktop);
    for (const TSettingsChoice::TAccount& account : choice.Accounts) {
        written = SetInRounds(account.Name, account.InRounds) && written;
        written = SetOwnCheckMinutes(account.Name, account.Minutes) && written;
    }
    if (!written) ShowMessage(ToBytes(tr("Error saving the settings")));
    const std::string autostart = AutostartFile();
    const bool started =
        choice.StartAtLogin
            ? WriteAutostart(autostart,
                             AutostartEntry(QApplication::applicationFilePath().toStdString(),
                                            QDir::current().canonicalPath().toStdString(),
                                            choice.StartInTray))
            : RemoveAutostart(autostart);
    if (!started) ShowMessage(ToBytes(tr("Error saving the start at log-in")));
    ApplyDesktop();
}
