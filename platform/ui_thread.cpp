#include "platform/ui_thread.h"

#include <QCoreApplication>
#include <QThread>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace {
// Held while a worker posts and taken before the answer runs, so that the hand-over does not
// rest on the toolkit's queue alone, which race checkers cannot see.
std::mutex handOver;

struct TPending {
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    bool givenUp = false;
};

constexpr auto AbandonPoll = std::chrono::milliseconds(20);
} // namespace

bool RunOnUiThread(std::function<void()> answer, const std::function<bool()>& abandoned) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        answer();
        return true;
    }
    auto pending = std::make_shared<TPending>();
    std::unique_lock posting(handOver);
    QMetaObject::invokeMethod(
        app,
        [pending, answer = std::move(answer)] {
            { std::lock_guard visible(handOver); }
            {
                std::lock_guard lock(pending->mutex);
                if (pending->givenUp) return;
            }
            answer();
            std::lock_guard lock(pending->mutex);
            pending->done = true;
            pending->answered.notify_all();
        },
        Qt::QueuedConnection);
    posting.unlock();
    std::unique_lock lock(pending->mutex);
    while (!pending->done) {
        if (abandoned && abandoned()) {
            pending->givenUp = true;
            return false;
        }
        pending->answered.wait_for(lock, AbandonPoll);
    }
    return true;
}
