#pragma once
#include "platform/message_window.h"

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>

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

    bool enabled = true;
    uint32_t interval = 1000;
    std::function<void(QObject*)> onTimer;
    std::unique_ptr<TMessageWindow> window;
};
