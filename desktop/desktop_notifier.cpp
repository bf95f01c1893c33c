#include "desktop/desktop_notifier.h"

#include "widgets/ui_guard.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QMenu>
#include <QPainter>
#include <QSystemTrayIcon>

namespace {
const char* const Service = "org.freedesktop.Notifications";
const char* const Path = "/org/freedesktop/Notifications";
constexpr int NoticeMs = 10000;

// The service may read the body as markup.
QString Escaped(const std::string& text) {
    return QString::fromStdString(text).toHtmlEscaped();
}
} // namespace

TDesktopNotifier::TDesktopNotifier(const QIcon& appIcon, QObject* parent)
    : QObject(parent), icon(appIcon) {
    QDBusConnection::sessionBus().connect(Service, Path, Service, "ActionInvoked", this,
                                          SLOT(ActionInvoked(uint, QString)));
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    tray = new QSystemTrayIcon(icon, this);
    tray->setToolTip("Vellion");
    menu = new QMenu;
    QAction* show = menu->addAction(tr("Show Vellion"));
    QAction* checkAll = menu->addAction(tr("Check all accounts"));
    QAction* quit = menu->addAction(tr("Quit"));
    connect(show, &QAction::triggered, this, [this] {
        if (OnShowWindow) RunGuarded(OnShowWindow);
    });
    connect(checkAll, &QAction::triggered, this, [this] {
        if (OnCheckAll) RunGuarded(OnCheckAll);
    });
    connect(quit, &QAction::triggered, this, [this] {
        if (OnQuit) RunGuarded(OnQuit);
    });
    tray->setContextMenu(menu);
    connect(tray, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
        if (why != QSystemTrayIcon::Context && OnShowWindow) RunGuarded(OnShowWindow);
    });
    tray->show();
}

TDesktopNotifier::~TDesktopNotifier() {
    delete menu; // a context menu has no parent of its own
}

bool TDesktopNotifier::HasTray() const {
    return tray != nullptr;
}

bool TDesktopNotifier::CanNotify() const {
    const QDBusConnection session = QDBusConnection::sessionBus();
    if (!session.isConnected()) return false;
    QDBusConnectionInterface* bus = session.interface();
    if (!bus) return false;
    // A service may also be one the bus starts on the first notice; those are installed, not
    // started, so the bus is asked once.
    if (!activatable) activatable = bus->activatableServiceNames().value().contains(Service);
    return *activatable || bus->isServiceRegistered(Service);
}

void TDesktopNotifier::ShowCount(int fresh) {
    if (!tray) return;
    tray->setIcon(CountIcon(fresh));
    tray->setToolTip(fresh > 0 ? tr("Vellion: %n new", nullptr, fresh) : QString("Vellion"));
}

// The program's icon with the count in a badge at its lower right.
QIcon TDesktopNotifier::CountIcon(int fresh) const {
    if (fresh <= 0) return icon;
    QPixmap picture = icon.pixmap(64, 64);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF badge(24, 24, 40, 40);
    painter.setBrush(QColor(200, 30, 30));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(badge);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(fresh > 99 ? 16 : 26);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(badge, Qt::AlignCenter, fresh > 99 ? QString("99+") : QString::number(fresh));
    return QIcon(picture);
}

// The service is asked once whether it shows actions; the notice follows its answer. Sent
// without waiting for the answer; the id that comes back lets the next notice replace it.
void TDesktopNotifier::Notify(const std::string& title, const std::string& body,
                              const std::vector<std::string>& accounts) {
    if (!ShowNotices) return;
    noticeAccount = accounts.empty() ? std::string() : accounts.front();
    std::string named;
    for (const std::string& account : accounts)
        named += (named.empty() ? "" : ", ") + account;
    const QString summary = QString::fromStdString(title);
    // Account names are bytes as the store keeps them; bodies are UTF-8.
    const QString text =
        QString::fromLatin1(named).toHtmlEscaped() + (named.empty() ? "" : "\n") + Escaped(body);
    if (actions) {
        Send(summary, text);
        return;
    }
    const QDBusMessage ask =
        QDBusMessage::createMethodCall(Service, Path, Service, "GetCapabilities");
    auto* watcher = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(ask), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, summary, text](QDBusPendingCallWatcher* done) {
                const QDBusPendingReply<QStringList> reply = *done;
                actions = reply.isValid() && reply.value().contains("actions");
                done->deleteLater();
                Send(summary, text);
            });
}

void TDesktopNotifier::Send(const QString& title, const QString& body) {
    QVariantMap hints;
    if (PlaySound) hints["sound-name"] = QString("message-new-email");
    QStringList offered;
    if (actions.value_or(false))
        offered << "default" << tr("Open") << "open" << tr("Open") << "check" << tr("Check again");
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Service, "Notify");
    call << QString("Vellion") << lastNotice << QString("mail-unread") << title << body << offered
         << hints << NoticeMs;
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* done) {
                const QDBusPendingReply<uint32_t> reply = *done;
                if (reply.isValid()) lastNotice = reply.value();
                done->deleteLater();
            });
}

// Only our own last notice counts: the signal goes to every program on the bus.
void TDesktopNotifier::ActionInvoked(uint id, const QString& action) {
    if (id != lastNotice || lastNotice == 0) return;
    if ((action == "open" || action == "default") && OnOpen) {
        const std::string account = noticeAccount;
        RunGuarded([this, account] { OnOpen(account); });
    } else if (action == "check" && OnCheckAll) {
        RunGuarded(OnCheckAll);
    }
}
