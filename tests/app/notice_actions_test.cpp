#include "desktop/desktop_notifier.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QIcon>
#include <QTest>
#include <gtest/gtest.h>

namespace {
const char* const Service = "org.freedesktop.Notifications";
const char* const Path = "/org/freedesktop/Notifications";

// A notification service on the test's own session bus: it offers actions (or not), records
// each notice and can say an action was invoked.
class FakeNoticeService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    explicit FakeNoticeService(bool showsActions)
        : bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "fake-service")),
          withActions(showsActions) {}
    ~FakeNoticeService() override { QDBusConnection::disconnectFromBus("fake-service"); }
    bool Register() {
        return bus.registerObject(Path, this, QDBusConnection::ExportAllSlots) &&
               bus.registerService(Service);
    }
    void Invoke(const QString& action) {
        QDBusMessage signal = QDBusMessage::createSignal(Path, Service, "ActionInvoked");
        signal << uint(Id) << action;
        bus.send(signal);
    }

    static constexpr uint Id = 7;
    QStringList actions;
    QVariantMap hints;
    QString summary, body;
    int notices = 0;

public slots:
    QStringList GetCapabilities() {
        return withActions ? QStringList{"body", "actions"} : QStringList{"body"};
    }
    uint Notify(const QString&, uint, const QString&, const QString& title, const QString& text,
                const QStringList& offered, const QVariantMap& given, int) {
        summary = title;
        body = text;
        actions = offered;
        hints = given;
        ++notices;
        return Id;
    }

private:
    QDBusConnection bus;
    bool withActions;
};

TEST(NoticeActions, TheNoticeNamesTheAccountAndOpenShowsIt) {
    for (const bool withActions : {true, false}) {
        SCOPED_TRACE(withActions);
        FakeNoticeService service(withActions);
        ASSERT_TRUE(service.Register());
        TDesktopNotifier notifier{QIcon()};
        ASSERT_TRUE(notifier.CanNotify());
        std::string opened;
        notifier.OnOpen = [&](const std::string& account) { opened = account; };
        notifier.Notify("2 new messages", "Ann: One\nBo: Two", {"Work", "Home"});
        ASSERT_TRUE(QTest::qWaitFor([&] { return service.notices == 1; }, 5000));
        EXPECT_EQ(service.summary, "2 new messages");
        EXPECT_EQ(service.body, "Work, Home\nAnn: One\nBo: Two");
        EXPECT_EQ(service.hints.value("sound-name").toString(), "message-new-email");
        if (!withActions) {
            EXPECT_TRUE(service.actions.isEmpty());
            continue;
        }
        EXPECT_EQ(service.actions,
                  (QStringList{"default", "Open", "open", "Open", "check", "Check again"}));
        // The reply's id marks the notice as ours before the service answers for it.
        QTest::qWait(100);
        service.Invoke("open");
        EXPECT_TRUE(QTest::qWaitFor([&] { return !opened.empty(); }, 5000));
        EXPECT_EQ(opened, "Work");
    }
}
} // namespace

#include "notice_actions_test.moc"
