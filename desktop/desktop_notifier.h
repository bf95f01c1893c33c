#pragma once
#include "desktop/new_mail_notifier.h"
#include <optional>

#include <QIcon>
#include <QObject>

class QMenu;
class QSystemTrayIcon;

// The desktop's tray (QSystemTrayIcon) and the freedesktop notification service on the session
// bus. Either may be missing; HasTray and CanNotify say so.
class TDesktopNotifier : public QObject, public TNewMailNotifier {
    Q_OBJECT
public:
    explicit TDesktopNotifier(const QIcon& icon, QObject* parent = nullptr);
    ~TDesktopNotifier() override;

    bool HasTray() const override;
    bool CanNotify() const override;
    void ShowCount(int fresh) override;
    void Notify(const std::string& title, const std::string& body) override;

    // The user's choice: no notice at all, or one without the desktop's new-mail sound.
    bool ShowNotices = true;
    bool PlaySound = true;

private:
    QIcon CountIcon(int fresh) const;

    QIcon icon;
    QSystemTrayIcon* tray = nullptr; // none where the desktop has no tray
    QMenu* menu = nullptr;
    uint32_t lastNotice = 0; // the service replaces our previous notice with the next
    mutable std::optional<bool> activatable; // whether the bus can start the service
};
