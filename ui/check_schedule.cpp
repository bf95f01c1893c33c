#include "ui/check_schedule.h"

#include "ui/ui_guard.h"

#include <QTimer>

TCheckSchedule::TCheckSchedule(QObject* parent) : QObject(parent), timer(new QTimer(this)) {
    timer->setObjectName("checkTimer");
    // A late tick is no loss: the next round checks every account anyway.
    timer->setTimerType(Qt::VeryCoarseTimer);
    connect(timer, &QTimer::timeout, this, [this] { Tick(); });
}

void TCheckSchedule::Start(int minutes) {
    if (minutes <= 0) {
        timer->stop();
        return;
    }
    timer->start(minutes * 60 * 1000);
}

bool TCheckSchedule::Running() const {
    return timer->isActive();
}

int TCheckSchedule::IntervalMs() const {
    return timer->isActive() ? timer->interval() : 0;
}

void TCheckSchedule::Tick() {
    if (OnTick) RunGuarded(OnTick);
}
