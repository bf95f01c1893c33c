#include "platform/socket_service.h"

#include "platform/sockets.h"
#include "platform/winsock_errors.h"

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace socket_service {
namespace {

using Clock = std::chrono::steady_clock;

enum class Phase { Idle, Connecting, Connected, Closed };

struct Registration {
    uint64_t tag = 0;
    TWindowHandle window = 0;
    uint32_t msg = 0;
    long mask = 0;
    Phase phase = Phase::Idle;
    int connectError = 0; // a failure connect() reported at once, delivered like a late one
    bool readArmed = true;
    bool writeArmed = false;
    bool inSet = false;   // added to the epoll set
    uint32_t armed = 0;   // the events the set will report; 0 once a report disarmed it
    bool claimed = false; // a waiting thread watches the socket itself (Claim); the set does not
    bool parked = false;  // out of the set for a moment after a claim, for the next one to come
    bool cycling = false; // parked, or claimed again from a park: the service keeps a deadline
    Clock::time_point parkedUntil;
    uint64_t entryKey = 0; // names the set's entry in its reports; new each time it is added
};

// How long a socket handled by its waiting thread stays out of the set after the wait: a
// lockstep exchange claims it again within that time, so the set is not updated twice per
// reply; a socket that nobody claims again is watched by the service after it, as the polling
// step's bound allows.
constexpr auto ParkTime = std::chrono::milliseconds(2);

struct Timer {
    uint32_t interval = 0;
    Clock::time_point due;
};

class Service {
public:
    Service()
        : epollFd(epoll_create1(EPOLL_CLOEXEC)), wakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {
        epoll_event wake{};
        wake.events = EPOLLIN;
        wake.data.u64 = WakeKey;
        epoll_ctl(epollFd, EPOLL_CTL_ADD, wakeFd, &wake);
        thread = std::thread([this] { Run(); });
    }
    ~Service() {
        stopping = true;
        Wake();
        thread.join();
        close(wakeFd);
        close(epollFd);
    }

    int epollFd;
    int wakeFd;
    std::mutex mutex;
    uint64_t lastEntryKey = 0;
    std::map<int, Registration> sockets;
    std::map<std::pair<TWindowHandle, uint64_t>, Timer> timers;
    Clock::time_point nextWake = Clock::time_point::max(); // when the thread's sleep ends

    void Wake() {
        const uint64_t one = 1;
        [[maybe_unused]] auto written = write(wakeFd, &one, sizeof one);
    }

    // Brings the epoll set in line with what the registration wants now. Every entry is one-shot:
    // a report disarms it without a call, and a receive or a blocked send re-arms it directly
    // rather than waking the thread. A claimed socket stays out of the set until released.
    void Apply(int fd, Registration& reg) {
        if (reg.claimed || reg.parked) return; // the claimer hands it back, or the park ends
        const uint32_t wanted = Wanted(reg);
        if (wanted == 0 || wanted == reg.armed) return; // a disarmed entry reports nothing more
        if (!reg.inSet) reg.entryKey = ++lastEntryKey;
        epoll_event event{};
        event.events = wanted | EPOLLONESHOT;
        event.data.u64 = (reg.entryKey << 16) | static_cast<uint16_t>(fd);
        // A refused entry stays as it was; the next re-arm tries again, or the wait times out.
        if (epoll_ctl(epollFd, reg.inSet ? EPOLL_CTL_MOD : EPOLL_CTL_ADD, fd, &event) != 0) return;
        reg.inSet = true;
        reg.armed = wanted;
    }

    void Forget(int fd) {
        auto found = sockets.find(fd);
        if (found == sockets.end()) return;
        if (found->second.inSet) epoll_ctl(epollFd, EPOLL_CTL_DEL, fd, nullptr);
        sockets.erase(found);
    }

    static constexpr uint64_t WakeKey = ~uint64_t{0};

    void Run() {
        epoll_event events[64];
        while (!stopping) {
            const int ready = epoll_wait(epollFd, events, 64, TimerWait());
            std::lock_guard lock(mutex);
            for (int i = 0; i < ready; ++i) {
                if (events[i].data.u64 == WakeKey) {
                    uint64_t drained;
                    [[maybe_unused]] auto got = read(wakeFd, &drained, sizeof drained);
                    continue;
                }
                const int fd = static_cast<uint16_t>(events[i].data.u64);
                auto found = sockets.find(fd);
                // A report taken from the set before a waiting thread claimed the socket (or
                // before it was closed) is stale: whoever watches it now sees the same readiness,
                // which lasts as long as it is true, so nothing is told twice or lost.
                if (found == sockets.end() || !found->second.inSet ||
                    found->second.entryKey != events[i].data.u64 >> 16)
                    continue;
                Deliver(fd, found->second.tag, events[i].events);
            }
            EndParks();
            FireTimers();
        }
    }

    // Milliseconds until the next timer is due or park ends; -1 without either.
    int TimerWait() {
        std::lock_guard lock(mutex);
        auto next = Clock::time_point::max();
        for (auto& [key, timer] : timers)
            next = std::min(next, timer.due);
        // A socket claimed again from a park will be parked again: the thread keeps waking at
        // the park's pace meanwhile rather than be woken by each park.
        const auto now = Clock::now();
        for (auto& [fd, reg] : sockets)
            if (reg.parked)
                next = std::min(next, reg.parkedUntil);
            else if (reg.cycling)
                next = std::min(next, now + ParkTime);
        nextWake = next;
        if (next == Clock::time_point::max()) return -1;
        auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - Clock::now()).count();
        return static_cast<int>(std::max<long long>(0, std::min<long long>(wait, 60000)));
    }

    static uint32_t Wanted(const Registration& reg) {
        if (reg.mask == 0) return 0;
        if (reg.phase == Phase::Connecting) return reg.connectError ? 0u : uint32_t{EPOLLOUT};
        if (reg.phase != Phase::Connected) return 0;
        // A peer's close also makes the socket readable, so it is watched only together with
        // the other kinds.
        uint32_t events = 0;
        if (reg.readArmed) events |= EPOLLIN;
        if (reg.writeArmed) events |= EPOLLOUT;
        return events ? events | EPOLLRDHUP : 0;
    }

    void Post(int fd, const Registration& reg, long event, int error) {
        if (!(reg.mask & event)) return;
        const int64_t lParam = (event & 0xFFFF) | (static_cast<int64_t>(error & 0xFFFF) << 16);
        ::PostMessage(reg.window, reg.msg, (reg.tag << 16) | static_cast<uint16_t>(fd), lParam);
    }

    static int PendingError(int fd) {
        int error = 0;
        socklen_t length = sizeof error;
        getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length);
        return error;
    }

    void Deliver(int fd, uint64_t tag, uint32_t revents) {
        auto found = sockets.find(fd);
        if (found == sockets.end() || found->second.tag != tag) return; // closed meanwhile
        Registration& reg = found->second;
        reg.armed = 0; // one-shot: this report disarmed the entry
        if (reg.phase == Phase::Connecting) {
            const int error = WinsockErrorFromErrno(PendingError(fd));
            reg.phase = error ? Phase::Closed : Phase::Connected;
            Post(fd, reg, FD_CONNECT, error);
            if (!error) Post(fd, reg, FD_WRITE, 0);
        } else {
            if ((revents & EPOLLIN) && reg.readArmed) {
                reg.readArmed = false;
                Post(fd, reg, FD_READ, 0);
            }
            if ((revents & EPOLLOUT) && reg.writeArmed) {
                reg.writeArmed = false;
                Post(fd, reg, FD_WRITE, 0);
            }
            if (revents & (EPOLLRDHUP | EPOLLHUP | EPOLLERR)) {
                // Close is told once; the handler drains whatever data is still readable.
                const int error =
                    (revents & EPOLLERR) ? WinsockErrorFromErrno(PendingError(fd)) : 0;
                reg.phase = Phase::Closed;
                Post(fd, reg, FD_CLOSE, error);
            }
        }
        Apply(fd, reg);
    }

    void Park(Registration& reg) {
        reg.parked = true;
        reg.cycling = true;
        reg.parkedUntil = Clock::now() + ParkTime;
        // Only a thread asleep past the park's end needs telling.
        if (reg.parkedUntil < nextWake) Wake();
    }

private:
    void EndParks() {
        const auto now = Clock::now();
        for (auto& [fd, reg] : sockets) {
            if (!reg.parked || reg.parkedUntil > now) {
                if (!reg.parked && !reg.claimed) reg.cycling = false; // handed back, not parked
                continue;
            }
            reg.parked = false;
            reg.cycling = false;
            Apply(fd, reg);
        }
    }

    void FireTimers() {
        const auto now = Clock::now();
        for (auto& [key, timer] : timers) {
            if (timer.due > now) continue;
            timer.due = now + std::chrono::milliseconds(timer.interval);
            ::PostMessage(key.first, WM_TIMER, key.second, 0);
        }
    }

    std::atomic<bool> stopping{false};
    std::thread thread;
};

Service& Instance() {
    static Service service;
    return service;
}

template <typename Change> void Update(int fd, Change change) {
    Service& service = Instance();
    std::lock_guard lock(service.mutex);
    auto found = service.sockets.find(fd);
    if (found == service.sockets.end()) return;
    change(found->second);
    service.Apply(fd, found->second);
}

} // namespace

void Register(int fd, uint64_t tag, TWindowHandle window, uint32_t msg, long mask) {
    Service& service = Instance();
    std::lock_guard lock(service.mutex);
    auto found = service.sockets.find(fd);
    if (found != service.sockets.end() && found->second.tag != tag) service.Forget(fd);
    Registration& reg = service.sockets[fd];
    reg.tag = tag;
    reg.window = window;
    reg.msg = msg;
    reg.mask = mask;
    service.Apply(fd, reg);
}

void Unregister(int fd) {
    Service& service = Instance();
    std::lock_guard lock(service.mutex);
    service.Forget(fd);
}

void ConnectStarted(int fd, int immediateError) {
    Update(fd, [&](Registration& reg) {
        reg.phase = Phase::Connecting;
        reg.connectError = immediateError;
        if (!immediateError) return;
        // The library reports every non-blocking connect as pending; a refusal known at once
        // still arrives as a connect notification.
        reg.phase = Phase::Closed;
        const int64_t lParam = FD_CONNECT | (static_cast<int64_t>(immediateError & 0xFFFF) << 16);
        if (reg.mask & FD_CONNECT)
            ::PostMessage(reg.window, reg.msg, (reg.tag << 16) | static_cast<uint16_t>(fd), lParam);
    });
}

void ReadTaken(int fd) {
    Update(fd, [](Registration& reg) { reg.readArmed = true; });
}

void SendWouldBlock(int fd) {
    Update(fd, [](Registration& reg) { reg.writeArmed = true; });
}

uint32_t Claim(int fd, uint64_t tag) {
    Service& service = Instance();
    std::lock_guard lock(service.mutex);
    auto found = service.sockets.find(fd);
    if (found == service.sockets.end() || found->second.tag != tag) return 0;
    Registration& reg = found->second;
    const uint32_t wanted = Service::Wanted(reg);
    if (wanted == 0 || reg.claimed) return 0;
    // Out of the set, not only disarmed: a disarmed entry still reports a hang-up. A parked
    // socket is out of it already.
    if (reg.inSet) epoll_ctl(service.epollFd, EPOLL_CTL_DEL, fd, nullptr);
    reg.inSet = false;
    reg.parked = false;
    reg.armed = 0;
    reg.claimed = true;
    return wanted;
}

void Release(int fd, uint64_t tag, uint32_t revents, const TTakeEvent& take) {
    Service& service = Instance();
    long taken = 0;
    {
        std::lock_guard lock(service.mutex);
        auto found = service.sockets.find(fd);
        if (found == service.sockets.end() || found->second.tag != tag || !found->second.claimed)
            return;
        Registration& reg = found->second;
        revents &= EPOLLIN | EPOLLOUT | EPOLLRDHUP | EPOLLHUP | EPOLLERR;
        // Disarmed as a posted notification would disarm them, so the claimer's handler re-arms.
        if (take && reg.phase == Phase::Connected &&
            !(revents & (EPOLLRDHUP | EPOLLHUP | EPOLLERR))) {
            if ((revents & EPOLLIN) && reg.readArmed && (reg.mask & FD_READ)) {
                reg.readArmed = false;
                taken |= FD_READ;
            }
            if ((revents & EPOLLOUT) && reg.writeArmed && (reg.mask & FD_WRITE)) {
                reg.writeArmed = false;
                taken |= FD_WRITE;
            }
        }
        if (!taken) {
            reg.claimed = false;
            if (revents)
                service.Deliver(fd, tag, revents); // re-arms the set as it ends
            else
                service.Apply(fd, reg);
            return;
        }
    }
    // Still claimed: the service leaves the socket alone while its handler runs here, and a
    // re-arm the handler makes is applied once, below.
    long refused = 0;
    for (const long event : {FD_READ, FD_WRITE}) {
        if (!(taken & event)) continue;
        try {
            if (!take(event)) refused |= event;
        } catch (...) {
            // As from a window's handler: a failure goes no further, and the socket is handed back.
        }
    }
    std::lock_guard lock(service.mutex);
    auto found = service.sockets.find(fd);
    if (found == service.sockets.end() || found->second.tag != tag) return; // closed meanwhile
    Registration& reg = found->second;
    reg.claimed = false;
    for (const long event : {FD_READ, FD_WRITE})
        if (refused & event) service.Post(fd, reg, event, 0);
    // The claimer is likely to wait on it again at once (its next reply); a refused event is
    // the window's to handle, so the set watches again now.
    if (refused)
        service.Apply(fd, reg);
    else
        service.Park(reg);
}

bool StartTimer(TWindowHandle window, uint64_t id, uint32_t intervalMs) {
    if (window == 0 || intervalMs == 0) return false;
    Service& service = Instance();
    {
        std::lock_guard lock(service.mutex);
        service.timers[{window, id}] =
            Timer{intervalMs, Clock::now() + std::chrono::milliseconds(intervalMs)};
    }
    service.Wake();
    return true;
}

bool StopTimer(TWindowHandle window, uint64_t id) {
    Service& service = Instance();
    std::lock_guard lock(service.mutex);
    return service.timers.erase({window, id}) > 0;
}

} // namespace socket_service
