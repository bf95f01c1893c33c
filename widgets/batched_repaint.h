#pragma once
#include <QElapsedTimer>
#include <chrono>
#include <functional>

class QWidget;

// Holds a widget's painting back while it changes row by row, and paints it at most once per
// interval, so that a long table fill costs one paint per interval rather than one per row.
// What changed since the last paint is painted when the scope ends. beforePaint, when given,
// runs at each interval just before the paint (also while the widget is hidden).
class TBatchedRepaint {
public:
    explicit TBatchedRepaint(QWidget& widget,
                             std::chrono::milliseconds interval = std::chrono::milliseconds(50),
                             std::function<void()> beforePaint = {});
    ~TBatchedRepaint();
    TBatchedRepaint(const TBatchedRepaint&) = delete;
    TBatchedRepaint& operator=(const TBatchedRepaint&) = delete;

    // The widget changed; it is painted now when the interval has passed since the last paint.
    void Changed();

private:
    void Paint();

    QWidget& widget;
    std::chrono::milliseconds interval;
    std::function<void()> beforePaint;
    QElapsedTimer sincePainted;
    bool wasEnabled;
    bool pending = false;
};
