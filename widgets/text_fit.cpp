#include "widgets/text_fit.h"

#include <QAbstractButton>
#include <QLabel>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace {
constexpr int Gap = 4;    // between neighbours on a line
constexpr int Margin = 8; // between the last control and the window's edge

bool ShowsText(const QWidget* widget) {
    return qobject_cast<const QLabel*>(widget) || qobject_cast<const QAbstractButton*>(widget);
}

bool SameLine(const QRect& a, const QRect& b) {
    return a.top() < b.bottom() && b.top() < a.bottom();
}
} // namespace

QSize FitToText(QWidget& window, QSize least) {
    std::vector<QWidget*> controls;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow()) controls.push_back(child);
    for (QWidget* control : controls) {
        if (!ShowsText(control)) continue;
        const QSize hint = control->sizeHint();
        control->resize(std::max(control->width(), hint.width()),
                        std::max(control->height(), hint.height()));
    }
    std::sort(controls.begin(), controls.end(),
              [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
    for (size_t i = 0; i < controls.size(); ++i)
        for (size_t k = 0; k < i; ++k) {
            const QRect left = controls[k]->geometry();
            const QRect right = controls[i]->geometry();
            if (SameLine(left, right) && right.left() <= left.right() + Gap &&
                controls[k]->x() < right.left())
                controls[i]->move(left.right() + 1 + Gap, right.top());
        }
    QSize size = least;
    for (const QWidget* control : controls) {
        size.setWidth(std::max(size.width(), control->geometry().right() + 1 + Margin));
        size.setHeight(std::max(size.height(), control->geometry().bottom() + 1 + Margin));
    }
    return size;
}
