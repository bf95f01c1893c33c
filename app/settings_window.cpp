#include "accounts/account_list.h"
#include "app/autostart.h"
#include "app/desktop_settings.h"
#include "app/main_window.h"
#include "desktop/desktop_notifier.h"
#include "dialogs/settings_dialog.h"
#include "mail/check_schedule.h"
#include "mail/mail_operations.h"
#include "platform/message_box.h"
#include "widgets/text_bytes.h"

#include <QApplication>
#include <QDir>
#include <cstdlib>

namespace {
std::string AutostartFile() {
    return AutostartPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
}
} // namespace

void TForm1::ApplyDesktop() {
    // A new interval starts afresh; one unchanged keeps its clock running.
    const int intervalMs = desktop.CheckMinutes * 60 * 1000;
    if (!mail->Schedule().Running() || mail->Schedule().IntervalMs() != intervalMs)
        mail->Schedule().Start(desktop.CheckMinutes);
    desktopNotifier->ShowNotices = desktop.ShowNotices;
    desktopNotifier->PlaySound = desktop.PlaySound;
    // Hidden in the tray, the window is still the program: it ends when the window closes.
    QApplication::setQuitOnLastWindowClosed(!desktop.CloseToTray);
}

bool TForm1::CanStartInTray() const {
    return notifier->HasTray();
}

void TForm1::SettingsClick() {
    TSettingsChoice choice;
    choice.CheckMinutes = desktop.CheckMinutes;
    choice.CloseToTray = desktop.CloseToTray;
    choice.ShowNotices = desktop.ShowNotices;
    choice.PlaySound = desktop.PlaySound;
    choice.StartInTray = desktop.StartInTray;
    choice.StartAtLogin = AutostartExists(AutostartFile());
    for (int i = 0; i < accounts->Count(); ++i)
        choice.Accounts.emplace_back(accounts->At(i).Name, InRounds(accounts->At(i).Name));
    if (!TSettingsDialog::Ask(this, choice)) return;

    desktop.CheckMinutes = choice.CheckMinutes;
    desktop.CloseToTray = choice.CloseToTray;
    desktop.ShowNotices = choice.ShowNotices;
    desktop.PlaySound = choice.PlaySound;
    desktop.StartInTray = choice.StartInTray;
    bool written = WriteDesktopSettings(desktop);
    for (const auto& [name, included] : choice.Accounts)
        written = SetInRounds(name, included) && written;
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
