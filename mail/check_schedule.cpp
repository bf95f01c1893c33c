#include "mail/check_schedule.h"

#include "widgets/ui_guard.h"

#include <QTimer>
#include <algorithm>

namespace {
// The first round comes soon after start: it takes the baseline of what is there, so that mail
// coming during the first interval is already new at the second.
constexpr int FirstRoundMs = 3000;
// An account's check that found the user busy is tried again this much later.
constexpr int RetryMs = 60 * 1000;
constexpr int MinuteMs = 60 * 1000;

QTimer* NewTimer(QObject* parent) {
    auto* timer = new QTimer(parent);
    // A late tick is no loss: the next round checks the accounts anyway.
    timer->setTimerType(Qt::VeryCoarseTimer);
    return timer;
}
} // namespace

TCheckSchedule::TCheckSchedule(QObject* parent) : QObject(parent), timer(NewTimer(this)) {
    timer->setObjectName("checkTimer");
    connect(timer, &QTimer::timeout, this, [this] {
        timer->setInterval(intervalMs);
        Tick();
    });
}

void TCheckSchedule::Start(int minutes) {
    intervalMs = std::max(minutes, 0) * MinuteMs;
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

void TCheckSchedule::StartOwn(const std::map<std::string, int>& minutes) {
    for (auto it = ownTimers.begin(); it != ownTimers.end();) {
        const auto kept = minutes.find(it->first);
        if (kept != minutes.end() && kept->second > 0 && own[it->first] == kept->second) {
            ++it;
            continue;
        }
        it->second->stop();
        it->second->deleteLater();
        it = ownTimers.erase(it);
    }
    own = minutes;
    for (const auto& [account, interval] : own) {
        if (interval <= 0 || ownTimers.count(account)) continue;
        QTimer* clock = NewTimer(this);
        clock->setObjectName(QString::fromStdString("checkTimer:" + account));
        const int ms = interval * MinuteMs;
        connect(clock, &QTimer::timeout, this, [this, clock, ms, name = account] {
            clock->setInterval(ms);
            TickAccount(name);
        });
        clock->start(std::min(FirstRoundMs, ms));
        ownTimers[account] = clock;
    }
}

bool TCheckSchedule::InGlobalRound(const std::string& account) const {
    return own.find(account) == own.end();
}

int TCheckSchedule::OwnIntervalMs(const std::string& account) const {
    const auto found = ownTimers.find(account);
    return found == ownTimers.end() ? 0 : own.at(account) * MinuteMs;
}

void TCheckSchedule::TickAccount(const std::string& account) {
    if (!OnAccountTick) return;
    bool started = true;
    RunGuarded([&] { started = OnAccountTick(account); });
    const auto found = ownTimers.find(account);
    if (!started && found != ownTimers.end()) found->second->start(RetryMs);
}
