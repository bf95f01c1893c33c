#pragma once
#include <QObject>
#include <functional>

class QTimer;

// The periodic check's clock: OnTick every interval while it runs. Tests call Tick themselves.
class TCheckSchedule : public QObject {
    Q_OBJECT
public:
    explicit TCheckSchedule(QObject* parent = nullptr);

    // Every `minutes` minutes, the first round a few seconds from now; 0 stops it.
    void Start(int minutes);
    bool Running() const;
    int IntervalMs() const;
    void Tick();

    std::function<void()> OnTick; // runs through the failure guard

private:
    QTimer* timer;
    int intervalMs = 0;
};
