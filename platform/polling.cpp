#include "platform/polling.h"

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

using Clock = std::chrono::steady_clock;

struct Activity {
    std::mutex mutex;
    std::condition_variable changed;
    std::atomic<uint64_t> generation{0};
};

// Never destroyed: a late host lookup may still post while the process exits.
Activity& State() {
    static Activity* activity = new Activity;
    return *activity;
}

// Posted messages are what every wait depends on, so they are delivered at each step. The rest
// of the thread's events (input, painting) are handled every few milliseconds: often enough to
// keep the windows alive, rarely enough that a fast exchange does not pay for them.
constexpr auto FullProcessingInterval = std::chrono::milliseconds(5);
thread_local Clock::time_point lastFullProcessing;

void ProcessPendingMessages() {
    if (!QCoreApplication::instance()) return;
    const auto now = Clock::now();
    if (now - lastFullProcessing >= FullProcessingInterval) {
        lastFullProcessing = now;
        QCoreApplication::processEvents();
    } else {
        QCoreApplication::sendPostedEvents();
    }
}

} // namespace

void SignalActivity() {
    Activity& state = State();
    {
        std::lock_guard lock(state.mutex);
        state.generation.fetch_add(1, std::memory_order_relaxed);
    }
    state.changed.notify_all();
}

void ProcessMessagesStep() {
    Activity& state = State();
    const uint64_t seen = state.generation.load();
    ProcessPendingMessages();
    std::unique_lock lock(state.mutex);
    state.changed.wait_for(lock, std::chrono::milliseconds(2),
                           [&] { return state.generation.load() != seen; });
}
