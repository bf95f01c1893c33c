#pragma once
#include "app/desktop_settings.h"

#include <QCoreApplication>

class QWidget;
class TAccounts;
class TDesktopNotifier;
class TMailOperations;

// The main window's desktop settings at work: read at start, put to the periodic check's clock,
// the tray on closing and the notices, and changed in the settings window, which writes what
// was chosen and applies it at once.
class TWindowDesktop {
    Q_DECLARE_TR_FUNCTIONS(TForm1)
public:
    TWindowDesktop(QWidget& owner, TAccounts& list, TMailOperations& ops,
                   TDesktopNotifier& notices);

    void ReadDesktop();
    // Puts the desktop settings to work: the clock, the tray on closing, the notices.
    void ApplyDesktop();
    void SettingsClick();
    const TDesktopSettings& Settings() const { return desktop; }

private:
    QWidget* window;
    TAccounts* accounts;
    TMailOperations* mail;
    TDesktopNotifier* desktopNotifier;
    TDesktopSettings desktop;
};
