#pragma once
#include <QDialog>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QListWidget;
class QListWidgetItem;
class QSpinBox;
class QVBoxLayout;

// What the settings window shows and gives back; the program reads and writes the files.
struct TSettingsChoice {
    int CheckMinutes = 0; // 0: no check in the background
    bool CloseToTray = false;
    bool ShowNotices = true;
    bool PlaySound = true;
    bool StartAtLogin = false;
    bool StartInTray = false;
    int PreviewLines = 20;
    bool PreviewWhileChecking = false; // each check reads the preview of every message
    struct TAccount {
        std::string Name;
        bool InRounds = true; // Check All and the periodic check take it
        // Its own interval of the periodic check (0: none); absent: the one above.
        std::optional<int> Minutes;
        bool operator==(const TAccount&) const = default;
    };
    std::vector<TAccount> Accounts;
};

// The settings window: the check in the background, the accounts that rounds take and the
// interval of each, the preview, the tray, the notices and the start at log-in. OK gives the choice
// back; Cancel leaves it.
class TSettingsDialog : public QDialog {
    Q_OBJECT
public:
    TSettingsDialog(const TSettingsChoice& choice, QWidget* parent = nullptr);

    TSettingsChoice Choice() const;

    // Shows the window modally; true, with the new choice, when closed with OK.
    static bool Ask(QWidget* parent, TSettingsChoice& choice);

private:
    void AddAccounts(QVBoxLayout* layout, const TSettingsChoice& choice);
    // The interval controls show the current account's, and change it.
    void ShowInterval(const QListWidgetItem* item);
    void KeepInterval();

    QCheckBox* periodic = nullptr;
    QSpinBox* minutes = nullptr;
    QCheckBox* closeToTray = nullptr;
    QCheckBox* notices = nullptr;
    QCheckBox* sound = nullptr;
    QCheckBox* atLogin = nullptr;
    QCheckBox* inTray = nullptr;
    QListWidget* accounts = nullptr;
    QComboBox* ownInterval = nullptr;
    QSpinBox* ownMinutes = nullptr;
    QSpinBox* previewLines = nullptr;
    QCheckBox* previewWhileChecking = nullptr;
    bool showing = false; // the interval controls are being filled, not changed by the user
};
