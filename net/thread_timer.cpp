#include "net/thread_timer.h"

#include "platform/exception.h"

namespace {
constexpr uint64_t TimerId = 1;
}

TThreadTimer::TThreadTimer(QObject* owner)
    : QObject(owner),
      window(std::make_unique<TMessageWindow>([this](const TMessage& m) { WndProc(m); })) {}

TThreadTimer::~TThreadTimer() {
    enabled = false;
    KillTimer(window->Handle(), TimerId);
}

void TThreadTimer::SetEnabled(bool value) {
    if (enabled.exchange(value) != value) UpdateTimer();
}

void TThreadTimer::SetInterval(uint32_t value) {
    if (interval.exchange(value) != value) UpdateTimer();
}

void TThreadTimer::SetOnTimer(std::function<void(QObject*)> handler) {
    onTimer = std::move(handler);
    UpdateTimer();
}

void TThreadTimer::UpdateTimer() {
    std::lock_guard lock(updateMutex);
    KillTimer(window->Handle(), TimerId);
    if (interval != 0 && enabled && onTimer) {
        if (!SetTimer(window->Handle(), TimerId, interval)) throw Exception("No Timer");
    }
}

void TThreadTimer::WndProc(const TMessage& message) {
    // An expiry queued just before the timer was stopped must not count.
    if (message.Msg != WM_TIMER || message.WParam != TimerId || !enabled) return;
    if (onTimer) onTimer(this);
}
