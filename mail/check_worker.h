#pragma once
#include <atomic>
#include <functional>
#include <thread>

// The thread of a mail check. No thread is ever ended from outside: whoever wants it gone makes
// its waits end (through the nudge, which cancels its session) and waits for it.
class TCheckWorker {
public:
    TCheckWorker() = default;
    ~TCheckWorker();
    TCheckWorker(const TCheckWorker&) = delete;
    TCheckWorker& operator=(const TCheckWorker&) = delete;

    // Joins an earlier worker that has ended, then runs proc on a new thread.
    void Start(std::function<void()> proc);
    // Still running (the thread's exit code would read STILL_ACTIVE).
    bool Running() const { return running; }
    // Whether the calling thread is a check worker.
    static bool OnWorker();
    // Calls nudge every millisecond until the worker has ended or timeoutMs have passed; joins
    // it when it ended. True when no worker is left.
    bool Stop(const std::function<void()>& nudge, int timeoutMs);

private:
    void JoinEnded();

    std::thread thread;
    std::atomic<bool> running{false};
};
