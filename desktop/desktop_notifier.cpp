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

TDesktopNotifier::TDesktopNotifier(const QIcon& icon, QObject* parent)
    : QObject(parent), icon(icon) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    tray = new QSystemTrayIcon(icon, this);
    tray->setToolTip("Vellion");
    menu = new QMenu;
    QAction* show = menu->addAction("Show Vellion");
    QAction* quit = menu->addAction("Quit");
    connect(show, &QAction::triggered, this, [this] {
        if (OnShowWindow) RunGuarded(OnShowWindow);
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
    tray->setToolTip(fresh > 0 ? QString("Vellion: %1 new").arg(fresh) : QString("Vellion"));
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

// Sent without waiting for the answer; the id that comes back lets the next notice replace it.
void TDesktopNotifier::Notify(const std::string& title, const std::string& body) {
    if (!ShowNotices) return;
    QVariantMap hints;
    if (PlaySound) hints["sound-name"] = QString("message-new-email");
    QDBusMessage call = QDBusMessage::createMethodCall(Service, Path, Service, "Notify");
    call << QString("Vellion") << lastNotice << QString("mail-unread")
         << QString::fromStdString(title) << Escaped(body) << QStringList() << hints << NoticeMs;
    auto* watcher =
        new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this](QDBusPendingCallWatcher* done) {
                const QDBusPendingReply<uint32_t> reply = *done;
                if (reply.isValid()) lastNotice = reply.value();
                done->deleteLater();
            });
}
