#include "widgets/batched_repaint.h"

#include <QWidget>
#include <utility>

TBatchedRepaint::TBatchedRepaint(QWidget& painted, std::chrono::milliseconds every,
                                 std::function<void()> before)
    : widget(painted), interval(every), beforePaint(std::move(before)),
      wasEnabled(painted.updatesEnabled()) {
    widget.setUpdatesEnabled(false);
    sincePainted.start();
}

TBatchedRepaint::~TBatchedRepaint() {
    widget.setUpdatesEnabled(wasEnabled);
    if (pending && wasEnabled) widget.update();
}

void TBatchedRepaint::Changed() {
    pending = true;
    if (sincePainted.elapsed() >= interval.count()) Paint();
}

void TBatchedRepaint::Paint() {
    pending = false;
    sincePainted.restart();
    if (beforePaint) beforePaint();
    if (!wasEnabled || !widget.isVisible()) return;
    widget.setUpdatesEnabled(true);
    widget.repaint();
    widget.setUpdatesEnabled(false);
}
