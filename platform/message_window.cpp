#include "platform/message_window.h"

#include "platform/polling.h"
#include "platform/socket_service.h"

#include <QCoreApplication>
#include <QEvent>
#include <atomic>
#include <deque>
#include <mutex>
#include <unordered_map>

namespace {

const QEvent::Type PumpEventType = static_cast<QEvent::Type>(QEvent::registerEventType());

// Receives one toolkit event whenever the thread's queue may need the event loop's attention.
class TPump : public QObject {
protected:
    bool event(QEvent* event) override;
};

} // namespace

// The messages of one thread's windows. The toolkit is told only when no earlier notice is
// still pending, so a burst of messages during a wait costs no toolkit wake-ups: the wait's
// polling steps take them straight from here.
struct TThreadMessageQueue {
    std::mutex mutex;
    std::deque<std::pair<TWindowHandle, TMessage>> messages;
    std::atomic<bool> pumpPending{false};
    std::unique_ptr<TPump> pump = std::make_unique<TPump>();
};

namespace {

// Handles let other threads address a window that may already be gone: posting looks the
// window up under the same lock that its destructor takes.
struct WindowEntry {
    TMessageWindow* window;
    std::shared_ptr<TThreadMessageQueue> queue;
};
struct WindowRegistry {
    std::mutex mutex;
    std::unordered_map<TWindowHandle, WindowEntry> windows;
};

// Never destroyed: a late host lookup may still post while the process exits.
WindowRegistry& Registry() {
    static WindowRegistry* registry = new WindowRegistry;
    return *registry;
}
std::atomic<TWindowHandle> nextHandle{1};

std::shared_ptr<TThreadMessageQueue>& ThreadQueue() {
    thread_local std::shared_ptr<TThreadMessageQueue> queue;
    return queue;
}

bool TakeNext(TThreadMessageQueue& queue, std::pair<TWindowHandle, TMessage>& next) {
    std::lock_guard lock(queue.mutex);
    if (queue.messages.empty()) return false;
    next = std::move(queue.messages.front());
    queue.messages.pop_front();
    return true;
}

TMessageWindow* FindWindow(TWindowHandle handle) {
    std::lock_guard lock(Registry().mutex);
    auto found = Registry().windows.find(handle);
    return found == Registry().windows.end() ? nullptr : found->second.window;
}

bool TPump::event(QEvent* event) {
    {
        // The poster made the event under this lock; taking it makes that hand-over visible
        // instead of resting on the toolkit's own queue, which race checkers cannot see.
        std::lock_guard lock(Registry().mutex);
    }
    if (event->type() != PumpEventType) return QObject::event(event);
    if (auto& queue = ThreadQueue()) queue->pumpPending = false;
    DispatchPendingMessages();
    return true;
}

} // namespace

TMessageWindow::TMessageWindow(TMessageHandler handles)
    : handler(std::move(handles)), handle(nextHandle++) {
    if (!ThreadQueue()) ThreadQueue() = std::make_shared<TThreadMessageQueue>();
    queue = ThreadQueue();
    std::lock_guard lock(Registry().mutex);
    Registry().windows[handle] = {this, queue};
}

TMessageWindow::~TMessageWindow() {
    std::lock_guard lock(Registry().mutex);
    Registry().windows.erase(handle);
    // Messages still queued for this handle find no window and are dropped.
}

void TMessageWindow::Dispatch(const TMessage& message) {
    try {
        handler(message);
    } catch (...) {
        // A failure inside a notification handler goes no further than the window.
    }
    SignalActivity();
}

void DispatchPendingMessages() {
    const std::shared_ptr<TThreadMessageQueue> queue = ThreadQueue();
    if (!queue) return;
    // Only the messages waiting now: a handler that posts again (a read of a full chunk) is
    // served by the next pass, so a peer that keeps the socket full cannot make a pass endless.
    size_t waiting = 0;
    {
        std::lock_guard lock(queue->mutex);
        waiting = queue->messages.size();
    }
    // Windows are destroyed only on their own thread, so one found here outlives the call.
    for (std::pair<TWindowHandle, TMessage> next; waiting > 0 && TakeNext(*queue, next); --waiting)
        if (TMessageWindow* window = FindWindow(next.first)) window->Dispatch(next.second);
}

bool PostMessage(TWindowHandle window, uint32_t msg, uint64_t wParam, int64_t lParam,
                 std::string data) {
    {
        std::lock_guard lock(Registry().mutex);
        auto found = Registry().windows.find(window);
        if (found == Registry().windows.end()) return false;
        TThreadMessageQueue& queue = *found->second.queue;
        {
            std::lock_guard queueLock(queue.mutex);
            queue.messages.emplace_back(window, TMessage{msg, wParam, lParam, std::move(data)});
        }
        if (QCoreApplication::instance() && !queue.pumpPending.exchange(true))
            QCoreApplication::postEvent(queue.pump.get(), new QEvent(PumpEventType));
    }
    SignalActivity();
    return true;
}

// The service thread keeps the timers beside the sockets it watches.
bool SetTimer(TWindowHandle window, uint64_t id, uint32_t intervalMs) {
    return socket_service::StartTimer(window, id, intervalMs);
}

bool KillTimer(TWindowHandle window, uint64_t id) {
    return socket_service::StopTimer(window, id);
}
