#pragma once
#include "platform/message_window.h"

#include <QObject>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>

// A timer on a hidden window of its own, so it can be started and stopped from any thread
// while its expiry runs on the thread that created it.
class TThreadTimer : public QObject {
public:
    explicit TThreadTimer(QObject* owner = nullptr);
    ~TThreadTimer() override;

    bool Enabled() const { return enabled; }
    void SetEnabled(bool value);
    uint32_t Interval() const { return interval; }
    void SetInterval(uint32_t value);
    void SetOnTimer(std::function<void(QObject* sender)> handler);

private:
    void UpdateTimer();
    void WndProc(const TMessage& message);

    // Started and stopped from the worker as well as the owning thread.
    std::atomic<bool> enabled{true};
    std::atomic<uint32_t> interval{1000};
    std::mutex updateMutex;
    std::function<void(QObject*)> onTimer;
    std::unique_ptr<TMessageWindow> window;
};
