#include "widgets/divider.h"

#include "widgets/ui_guard.h"

#include <QMouseEvent>

TDivider::TDivider(QWidget* parent) : QFrame(parent) {
    setObjectName("smallpanel");
    setCursor(Qt::SplitHCursor);
    setMouseTracking(true);
    setFrameShape(QFrame::NoFrame);
}

void TDivider::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (OnMouseMove) RunGuarded([&] { OnMouseMove(event->buttons(), at.x(), at.y()); });
}
