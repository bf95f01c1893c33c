#include "widgets/body_panels.h"

#include "widgets/ui_guard.h"

#include <QMouseEvent>
#include <QVBoxLayout>
#include <algorithm>

namespace {
QWidget* AddPanel(QWidget* parent, const char* name) {
    auto* panel = new QWidget(parent);
    panel->setObjectName(name);
    auto* layout = new QVBoxLayout(panel); // the panel's one child fills it
    layout->setContentsMargins(0, 0, 0, 0);
    return panel;
}
} // namespace

TBodyPanels::TBodyPanels(QWidget* parent)
    : QWidget(parent), panel2(AddPanel(this, "Panel2")), divider(new TDivider(this)),
      panel1(AddPanel(this, "Panel1")) {
    Arrange();
}

void TBodyPanels::SetPanel2Width(int width) {
    panel2Width = std::max(0, width);
    Arrange();
}

void TBodyPanels::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Arrange();
}

void TBodyPanels::Arrange() {
    const int h = height();
    panel2->setGeometry(0, 0, panel2Width, h);
    divider->setGeometry(panel2Width, 0, DividerWidth, h);
    const int left = panel2Width + DividerWidth;
    panel1->setGeometry(left, 0, std::max(0, width() - left), h);
}

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
