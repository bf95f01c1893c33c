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
    void Notify(const std::string& title, const std::string& body,
                const std::vector<std::string>& accounts) override;

    // The user's choice: no notice at all, or one without the desktop's new-mail sound.
    bool ShowNotices = true;
    bool PlaySound = true;

private slots:
    void ActionInvoked(uint id, const QString& action);

private:
    QIcon CountIcon(int fresh) const;
    void Send(const QString& title, const QString& body);

    QIcon icon;
    QSystemTrayIcon* tray = nullptr; // none where the desktop has no tray
    QMenu* menu = nullptr;
    uint32_t lastNotice = 0;     // the service replaces our previous notice with the next
    std::string noticeAccount;   // the one "Open" shows
    std::optional<bool> actions; // whether the service shows actions; asked before the first notice
    mutable std::optional<bool> activatable; // whether the bus can start the service
};
