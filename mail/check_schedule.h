#pragma once
#include <QObject>
#include <functional>
#include <map>
#include <string>

class QTimer;

// The periodic check's clocks: OnTick every interval of the global clock while it runs, for
// the accounts without an interval of their own; OnAccountTick for each account with one.
// Tests call Tick and TickAccount themselves.
class TCheckSchedule : public QObject {
    Q_OBJECT
public:
    explicit TCheckSchedule(QObject* parent = nullptr);

    // Every `minutes` minutes, the first round a few seconds from now; 0 stops it.
    void Start(int minutes);
    bool Running() const;
    int IntervalMs() const;
    void Tick();

    // The accounts with an interval of their own, by name (0: never checked in the background).
    // A clock whose interval is unchanged keeps running; the others start afresh.
    void StartOwn(const std::map<std::string, int>& minutes);
    // Whether the global clock's round takes the account.
    bool InGlobalRound(const std::string& account) const;
    int OwnIntervalMs(const std::string& account) const;
    void TickAccount(const std::string& account);

    std::function<void()> OnTick; // runs through the failure guard
    // False when the account's check could not start now: its clock tries again a minute later.
    std::function<bool(const std::string& account)> OnAccountTick;

private:
    QTimer* timer;
    int intervalMs = 0;
    std::map<std::string, int> own;           // minutes, by account
    std::map<std::string, QTimer*> ownTimers; // children of this
};
