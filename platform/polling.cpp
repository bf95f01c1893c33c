#include "platform/polling.h"

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {

using Clock = std::chrono::steady_clock;

std::mutex activityMutex;
std::condition_variable activity;
std::atomic<uint64_t> generation{0};

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
    {
        std::lock_guard lock(activityMutex);
        generation.fetch_add(1, std::memory_order_relaxed);
    }
    activity.notify_all();
}

void ProcessMessagesStep() {
    const uint64_t seen = generation.load();
    ProcessPendingMessages();
    std::unique_lock lock(activityMutex);
    activity.wait_for(lock, std::chrono::milliseconds(2),
                      [&] { return generation.load() != seen; });
}
