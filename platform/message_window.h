#pragma once
#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

// A hidden window: a receiver of posted messages that lives in the thread that created it.
// Messages posted to it from any thread reach its handler on that thread, in posting order,
// from the thread's event loop or from a polling step of a wait on that thread.

using TWindowHandle = uint64_t; // 0 is no window

constexpr uint32_t WM_TIMER = 0x0113;
constexpr uint32_t WM_USER = 0x0400;

struct TMessage {
    uint32_t Msg = 0;
    uint64_t WParam = 0;
    int64_t LParam = 0;
    std::string Data; // a payload copied with the message (the result of a host lookup)
};

using TMessageHandler = std::function<void(const TMessage&)>;

struct TThreadMessageQueue;

class TMessageWindow {
public:
    explicit TMessageWindow(TMessageHandler handler);
    ~TMessageWindow();
    TMessageWindow(const TMessageWindow&) = delete;
    TMessageWindow& operator=(const TMessageWindow&) = delete;
    TWindowHandle Handle() const { return handle; }

    // Runs the handler; a failure inside it goes no further than the window.
    void Dispatch(const TMessage& message);

private:
    TMessageHandler handler;
    TWindowHandle handle;
    std::shared_ptr<TThreadMessageQueue> queue;
};

// Queues a message for the window; false when the window no longer exists.
bool PostMessage(TWindowHandle window, uint32_t msg, uint64_t wParam = 0, int64_t lParam = 0,
                 std::string data = {});

// Hands the messages queued for the calling thread's windows when the call began to their
// handlers; messages posted meanwhile wait for the next call.
void DispatchPendingMessages();

// Periodic timers that post WM_TIMER (WParam = the timer's id) to a window. Both calls work
// from any thread. SetTimer returns false when the timer cannot be started.
bool SetTimer(TWindowHandle window, uint64_t id, uint32_t intervalMs);
bool KillTimer(TWindowHandle window, uint64_t id);
