#include "mail/check_worker.h"

#include <chrono>

namespace {
thread_local bool onWorker = false;
} // namespace

TCheckWorker::~TCheckWorker() {
    if (thread.joinable()) thread.join();
}

void TCheckWorker::Start(std::function<void()> proc) {
    if (thread.joinable()) thread.join(); // callers stop a running worker first
    running = true;
    thread = std::thread([this, proc = std::move(proc)] {
        onWorker = true;
        proc();
        running = false;
    });
}

bool TCheckWorker::OnWorker() {
    return onWorker;
}

bool TCheckWorker::Stop(const std::function<void()>& nudge, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (running && std::chrono::steady_clock::now() < deadline) {
        if (nudge) nudge();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (running) return false;
    JoinEnded();
    return true;
}

void TCheckWorker::JoinEnded() {
    if (thread.joinable() && !running) thread.join();
    // A worker that is still running is joined when this object goes.
}
