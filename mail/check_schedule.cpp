#include "mail/check_schedule.h"

#include "widgets/ui_guard.h"

#include <QTimer>
#include <algorithm>

namespace {
// The first round comes soon after start: it takes the baseline of what is there, so that mail
// coming during the first interval is already new at the second.
constexpr int FirstRoundMs = 3000;
} // namespace

TCheckSchedule::TCheckSchedule(QObject* parent) : QObject(parent), timer(new QTimer(this)) {
    timer->setObjectName("checkTimer");
    // A late tick is no loss: the next round checks every account anyway.
    timer->setTimerType(Qt::VeryCoarseTimer);
    connect(timer, &QTimer::timeout, this, [this] {
        timer->setInterval(intervalMs);
        Tick();
    });
}

void TCheckSchedule::Start(int minutes) {
    intervalMs = std::max(minutes, 0) * 60 * 1000;
    if (intervalMs == 0) {
        timer->stop();
        return;
    }
    timer->start(std::min(FirstRoundMs, intervalMs));
}

bool TCheckSchedule::Running() const {
    return timer->isActive();
}

int TCheckSchedule::IntervalMs() const {
    return timer->isActive() ? intervalMs : 0;
}

void TCheckSchedule::Tick() {
    if (OnTick) RunGuarded(OnTick);
}
