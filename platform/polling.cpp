#include "platform/polling.h"

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {
std::mutex activityMutex;
std::condition_variable activity;
std::atomic<uint64_t> generation{0};
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
    if (QCoreApplication::instance()) QCoreApplication::processEvents();
    std::unique_lock lock(activityMutex);
    activity.wait_for(lock, std::chrono::milliseconds(2),
                      [&] { return generation.load() != seen; });
}
