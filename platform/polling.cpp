#include "platform/polling.h"

#include "platform/message_window.h"
#include "platform/socket_service.h"

#include <QCoreApplication>
#include <atomic>
#include <chrono>
#include <climits>
#include <ctime>
#include <linux/futex.h>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A change counter that waiting threads sleep on directly (a futex), so that a signal from the
// socket thread costs one wake-up and no lock that the waiter might be holding.
std::atomic<uint32_t> generation{0};
std::atomic<int> waiters{0};

constexpr int StepMs = 2;

void SleepWhileUnchanged(uint32_t seen) {
    timespec limit{0, StepMs * 1'000'000};
    syscall(SYS_futex, reinterpret_cast<uint32_t*>(&generation), FUTEX_WAIT_PRIVATE, seen, &limit,
            nullptr, 0);
}

void WakeAll() {
    syscall(SYS_futex, reinterpret_cast<uint32_t*>(&generation), FUTEX_WAKE_PRIVATE, INT_MAX,
            nullptr, nullptr, 0);
}

// Threads that sleep in poll() on a socket of theirs cannot sleep on the futex too; each is
// woken through its own event descriptor, written at most once per sleep.
struct Sleeper {
    int wakeFd;
    bool woken = false;
};
std::mutex sleepersMutex;
std::vector<Sleeper*> sleepers;
std::atomic<int> sleeperCount{0};

// The number is a plain thread-local, which is never destroyed: once the thread's descriptor
// is closed at its exit it reads -1, and a wait that late sleeps on the futex instead.
thread_local int ownWakeFd = -1;

struct ThreadWakeFd {
    ThreadWakeFd() { ownWakeFd = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK); }
    ~ThreadWakeFd() {
        if (ownWakeFd >= 0) close(ownWakeFd);
        ownWakeFd = -1;
    }
};

int OwnWakeFd() {
    thread_local ThreadWakeFd wake;
    return ownWakeFd;
}

void WakeSleepers() {
    std::lock_guard lock(sleepersMutex);
    const uint64_t one = 1;
    for (Sleeper* sleeper : sleepers) {
        if (sleeper->woken) continue;
        sleeper->woken = true;
        [[maybe_unused]] auto written = write(sleeper->wakeFd, &one, sizeof one);
    }
}

// Sleeps until the socket reports one of events, something is signalled, or the step's bound.
// The registration comes before the last look at the counter, and a signal moves the counter
// before it looks for sleepers, so a signal is never missed between the two.
short PollSocket(int fd, short events, uint32_t seen, int wakeFd) {
    Sleeper self{wakeFd};
    {
        std::lock_guard lock(sleepersMutex);
        sleepers.push_back(&self);
        sleeperCount.fetch_add(1);
    }
    pollfd fds[2] = {{fd, events, 0}, {wakeFd, POLLIN, 0}};
    if (generation.load() == seen) poll(fds, 2, StepMs);
    {
        std::lock_guard lock(sleepersMutex);
        std::erase(sleepers, &self);
        sleeperCount.fetch_sub(1);
    }
    if (self.woken) {
        uint64_t drained;
        [[maybe_unused]] auto got = read(wakeFd, &drained, sizeof drained);
    }
    return fds[0].revents;
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
    if (sleeperCount.load() > 0) WakeSleepers();
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

void ProcessMessagesStep(int fd, uint64_t tag, const std::function<bool(long event)>& take) {
    const uint32_t seen = generation.load();
    ProcessPendingMessages();
    if (generation.load() != seen) return;
    const int wakeFd = OwnWakeFd();
    const uint32_t events = wakeFd < 0 ? 0 : socket_service::Claim(fd, tag);
    if (events == 0) {
        waiters.fetch_add(1);
        SleepWhileUnchanged(seen);
        waiters.fetch_sub(1);
        return;
    }
    uint32_t revents = 0;
    try {
        revents = static_cast<uint16_t>(PollSocket(fd, static_cast<short>(events), seen, wakeFd));
    } catch (...) {
        socket_service::Release(fd, tag, 0); // handed back whatever happens
        throw;
    }
    socket_service::Release(fd, tag, revents, take);
}
