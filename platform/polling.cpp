#include "platform/polling.h"

#include "platform/message_window.h"

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <climits>
#include <ctime>
#include <linux/futex.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// A change counter that waiting threads sleep on directly (a futex), so that a signal from the
// socket thread costs one wake-up and no lock that the waiter might be holding.
std::atomic<uint32_t> generation{0};
std::atomic<int> waiters{0};

void SleepWhileUnchanged(uint32_t seen) {
    timespec limit{0, 2'000'000};
    syscall(SYS_futex, reinterpret_cast<uint32_t*>(&generation), FUTEX_WAIT_PRIVATE, seen, &limit,
            nullptr, 0);
}

void WakeAll() {
    syscall(SYS_futex, reinterpret_cast<uint32_t*>(&generation), FUTEX_WAKE_PRIVATE, INT_MAX,
            nullptr, nullptr, 0);
}

// Posted messages are what every wait depends on, so they are delivered at each step. The rest
// of the thread's events (input, painting) are handled every few milliseconds: often enough to
// keep the windows alive, rarely enough that a fast exchange does not pay for them.
constexpr auto FullProcessingInterval = std::chrono::milliseconds(5);
thread_local Clock::time_point lastFullProcessing;

void ProcessPendingMessages() {
    DispatchPendingMessages();
    if (!QCoreApplication::instance()) return;
    const auto now = Clock::now();
    if (now - lastFullProcessing < FullProcessingInterval) return;
    lastFullProcessing = now;
    QCoreApplication::processEvents();
}

} // namespace

static_assert(sizeof(std::atomic<uint32_t>) == sizeof(uint32_t));

void SignalActivity() {
    generation.fetch_add(1);
    if (waiters.load() > 0) WakeAll();
}

void ProcessMessagesStep() {
    const uint32_t seen = generation.load();
    ProcessPendingMessages();
    if (generation.load() != seen) return; // something happened already: look before sleeping
    waiters.fetch_add(1);
    // The kernel sleeps only while the counter still holds the value seen before processing.
    SleepWhileUnchanged(seen);
    waiters.fetch_sub(1);
}
