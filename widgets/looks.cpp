#include "widgets/looks.h"

#include <QAbstractButton>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOption>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace {
constexpr int GlyphSize = 20;
constexpr int Gap = 4;    // between neighbours on a line
constexpr int Margin = 8; // between the last control and the window's edge

QPixmap DrawVellionIcon(int size) {
    QPixmap picture(size, size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    const QRectF envelope(2, 7, 28, 19);
    painter.setPen(QPen(QColor(0x1f, 0x4e, 0x8c), 1.5));
    painter.setBrush(QColor(0xe8, 0xf0, 0xfb));
    painter.drawRoundedRect(envelope, 2, 2);
    QPainterPath flap;
    flap.moveTo(envelope.topLeft());
    flap.lineTo(16, 18);
    flap.lineTo(envelope.topRight());
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(flap);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x2e, 0x9d, 0x4f));
    painter.drawEllipse(QPointF(24, 23), 7, 7);
    painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPolyline(QPolygonF({QPointF(20.5, 23), QPointF(23, 25.5), QPointF(27.5, 20.5)}));
    return picture;
}

bool ShowsText(const QWidget* widget) {
    return qobject_cast<const QLabel*>(widget) || qobject_cast<const QAbstractButton*>(widget);
}

bool SameLine(const QRect& a, const QRect& b) {
    return a.top() < b.bottom() && b.top() < a.bottom();
}
} // namespace

QIcon ButtonGlyph(const QWidget& owner, const char* themeName, QStyle::StandardPixmap fallback,
                  bool twoState) {
    QIcon source = QIcon::fromTheme(themeName);
    if (source.isNull() || source.availableSizes().isEmpty())
        source = owner.style()->standardIcon(fallback, nullptr, &owner);
    const QPixmap normal = source.pixmap(GlyphSize, GlyphSize);
    QIcon glyph;
    glyph.addPixmap(normal, QIcon::Normal);
    if (twoState) {
        QStyleOption option;
        option.initFrom(&owner);
        glyph.addPixmap(owner.style()->generatedIconPixmap(QIcon::Disabled, normal, &option),
                        QIcon::Disabled);
    }
    return glyph;
}

QIcon VellionIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64})
        icon.addPixmap(DrawVellionIcon(size));
    return icon;
}

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
