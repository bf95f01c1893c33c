#pragma once
#include <QDialog>
#include <string>
#include <utility>
#include <vector>

class QCheckBox;
class QListWidget;
class QSpinBox;

// What the settings window shows and gives back; the program reads and writes the files.
struct TSettingsChoice {
    int CheckMinutes = 0; // 0: no check in the background
    bool CloseToTray = false;
    bool ShowNotices = true;
    bool PlaySound = true;
    bool StartAtLogin = false;
    bool StartInTray = false;
    // Each account by name, and whether Check All and the periodic check take it.
    std::vector<std::pair<std::string, bool>> Accounts;
};

// The settings window: the check in the background, the tray, the notices and the start at
// log-in, and the accounts that rounds take. OK gives the choice back; Cancel leaves it.
class TSettingsDialog : public QDialog {
    Q_OBJECT
public:
    TSettingsDialog(const TSettingsChoice& choice, QWidget* parent = nullptr);

    TSettingsChoice Choice() const;

    // Shows the window modally; true, with the new choice, when closed with OK.
    static bool Ask(QWidget* parent, TSettingsChoice& choice);

private:
    QCheckBox* periodic = nullptr;
    QSpinBox* minutes = nullptr;
    QCheckBox* closeToTray = nullptr;
    QCheckBox* notices = nullptr;
    QCheckBox* sound = nullptr;
    QCheckBox* atLogin = nullptr;
    QCheckBox* inTray = nullptr;
    QListWidget* accounts = nullptr;
};
