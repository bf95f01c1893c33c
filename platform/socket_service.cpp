#include "platform/socket_service.h"

#include "platform/sockets.h"
#include "platform/winsock_errors.h"

#include <atomic>
#include <chrono>
#include <map>
#include <mutex>
#include <poll.h>
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
};

struct Timer {
    uint32_t interval = 0;
    Clock::time_point due;
};

class Service {
public:
    Service() : wakeFd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)), thread([this] { Run(); }) {}
    ~Service() {
        stopping = true;
        Wake();
        thread.join();
        close(wakeFd);
    }

    std::mutex mutex;
    std::map<int, Registration> sockets;
    std::map<std::pair<TWindowHandle, uint64_t>, Timer> timers;

    void Wake() {
        const uint64_t one = 1;
        [[maybe_unused]] auto written = write(wakeFd, &one, sizeof one);
    }

private:
    void Run() {
        std::vector<pollfd> fds;
        std::vector<uint64_t> tags;
        while (!stopping) {
            int timeout = Snapshot(fds, tags);
            poll(fds.data(), fds.size(), timeout);
            uint64_t drained;
            [[maybe_unused]] auto got = read(wakeFd, &drained, sizeof drained);
            std::lock_guard lock(mutex);
            for (size_t i = 1; i < fds.size(); ++i)
                if (fds[i].revents) Deliver(fds[i].fd, tags[i], fds[i].revents);
            FireTimers();
        }
    }

    // Builds the poll set under the lock; returns the poll time-out for the next timer.
    int Snapshot(std::vector<pollfd>& fds, std::vector<uint64_t>& tags) {
        std::lock_guard lock(mutex);
        fds.assign(1, pollfd{wakeFd, POLLIN, 0});
        tags.assign(1, 0);
        for (auto& [fd, reg] : sockets) {
            short events = Wanted(reg);
            if (!events) continue;
            fds.push_back(pollfd{fd, events, 0});
            tags.push_back(reg.tag);
        }
        if (timers.empty()) return -1;
        auto next = Clock::time_point::max();
        for (auto& [key, timer] : timers)
            next = std::min(next, timer.due);
        auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - Clock::now()).count();
        return static_cast<int>(std::max<long long>(0, std::min<long long>(wait, 60000)));
    }

    static short Wanted(const Registration& reg) {
        if (reg.mask == 0) return 0;
        if (reg.phase == Phase::Connecting) return reg.connectError ? 0 : POLLOUT;
        if (reg.phase != Phase::Connected) return 0;
        short events = POLLRDHUP;
        if (reg.readArmed) events |= POLLIN;
        if (reg.writeArmed) events |= POLLOUT;
        return events;
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

    void Deliver(int fd, uint64_t tag, short revents) {
        auto found = sockets.find(fd);
        if (found == sockets.end() || found->second.tag != tag) return; // closed meanwhile
        Registration& reg = found->second;
        if (reg.phase == Phase::Connecting) {
            const int error = WinsockErrorFromErrno(PendingError(fd));
            reg.phase = error ? Phase::Closed : Phase::Connected;
            Post(fd, reg, FD_CONNECT, error);
            if (!error) Post(fd, reg, FD_WRITE, 0);
            return;
        }
        if ((revents & POLLIN) && reg.readArmed) {
            reg.readArmed = false;
            Post(fd, reg, FD_READ, 0);
        }
        if ((revents & POLLOUT) && reg.writeArmed) {
            reg.writeArmed = false;
            Post(fd, reg, FD_WRITE, 0);
        }
        if (revents & (POLLRDHUP | POLLHUP | POLLERR)) {
            // Close is told once; the handler drains whatever data is still readable.
            const int error = (revents & POLLERR) ? WinsockErrorFromErrno(PendingError(fd)) : 0;
            reg.phase = Phase::Closed;
            Post(fd, reg, FD_CLOSE, error);
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

    int wakeFd;
    std::atomic<bool> stopping{false};
    std::thread thread;
};

Service& Instance() {
    static Service service;
    return service;
}

template <typename Change> void Update(int fd, Change change) {
    Service& service = Instance();
    {
        std::lock_guard lock(service.mutex);
        auto found = service.sockets.find(fd);
        if (found == service.sockets.end()) return;
        if (!change(found->second)) return;
    }
    service.Wake();
}

} // namespace

void Register(int fd, uint64_t tag, TWindowHandle window, uint32_t msg, long mask) {
    Service& service = Instance();
    {
        std::lock_guard lock(service.mutex);
        Registration& reg = service.sockets[fd];
        if (reg.tag != tag) reg = Registration{};
        reg.tag = tag;
        reg.window = window;
        reg.msg = msg;
        reg.mask = mask;
    }
    service.Wake();
}

void Unregister(int fd) {
    Service& service = Instance();
    {
        std::lock_guard lock(service.mutex);
        service.sockets.erase(fd);
    }
    service.Wake();
}

void ConnectStarted(int fd, int immediateError) {
    Service& service = Instance();
    std::lock_guard lock(service.mutex);
    auto found = service.sockets.find(fd);
    if (found == service.sockets.end()) return;
    Registration& reg = found->second;
    reg.phase = Phase::Connecting;
    reg.connectError = immediateError;
    if (immediateError) {
        // The library reports every non-blocking connect as pending; a refusal known at once
        // still arrives as a connect notification.
        reg.phase = Phase::Closed;
        const int64_t lParam = FD_CONNECT | (static_cast<int64_t>(immediateError & 0xFFFF) << 16);
        if (reg.mask & FD_CONNECT)
            ::PostMessage(reg.window, reg.msg, (reg.tag << 16) | static_cast<uint16_t>(fd), lParam);
        return;
    }
    service.Wake();
}

void ReadTaken(int fd) {
    Update(fd, [](Registration& reg) { return !std::exchange(reg.readArmed, true); });
}

void SendWouldBlock(int fd) {
    Update(fd, [](Registration& reg) { return !std::exchange(reg.writeArmed, true); });
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
