#include "platform/message_window.h"

#include "platform/polling.h"

#include <QCoreApplication>
#include <QEvent>
#include <atomic>
#include <mutex>
#include <unordered_map>

namespace {

const QEvent::Type MessageEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

class TMessageEvent : public QEvent {
public:
    explicit TMessageEvent(TMessage message)
        : QEvent(MessageEventType), message(std::move(message)) {}
    TMessage message;
};

// Handles let other threads address a window that may already be gone: posting looks the
// window up under the same lock that its destructor takes.
struct WindowRegistry {
    std::mutex mutex;
    std::unordered_map<TWindowHandle, TMessageWindow*> windows;
};

// Never destroyed: a late host lookup may still post while the process exits.
WindowRegistry& Registry() {
    static WindowRegistry* registry = new WindowRegistry;
    return *registry;
}
std::atomic<TWindowHandle> nextHandle{1};

} // namespace

TMessageWindow::TMessageWindow(TMessageHandler handler)
    : handler(std::move(handler)), handle(nextHandle++) {
    std::lock_guard lock(Registry().mutex);
    Registry().windows[handle] = this;
}

TMessageWindow::~TMessageWindow() {
    std::lock_guard lock(Registry().mutex);
    Registry().windows.erase(handle);
    // QObject's destructor drops the events still queued for this window.
}

bool TMessageWindow::event(QEvent* event) {
    {
        // The poster built the event under this lock; taking it here makes that hand-over
        // explicit instead of resting on the toolkit's queue, which race checkers cannot see.
        std::lock_guard lock(Registry().mutex);
    }
    if (event->type() != MessageEventType) return QObject::event(event);
    try {
        handler(static_cast<TMessageEvent*>(event)->message);
    } catch (...) {
        // A failure inside a notification handler goes no further than the window.
    }
    SignalActivity();
    return true;
}

bool PostMessage(TWindowHandle window, uint32_t msg, uint64_t wParam, int64_t lParam,
                 std::string data) {
    {
        std::lock_guard lock(Registry().mutex);
        auto found = Registry().windows.find(window);
        if (found == Registry().windows.end()) return false;
        QCoreApplication::postEvent(found->second,
                                    new TMessageEvent({msg, wParam, lParam, std::move(data)}));
    }
    SignalActivity();
    return true;
}
