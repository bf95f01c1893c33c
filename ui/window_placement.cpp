#include "ui/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace {
constexpr int VisibleWidth = 100;
constexpr int VisibleHeight = 30;

bool EnoughOnScreen(const QRect& wanted, const QRect& screen) {
    const QRect shown = wanted.intersected(screen);
    // The top edge must show too: that is where the window is grabbed to move it.
    return wanted.top() >= screen.top() &&
           shown.width() >= std::min(VisibleWidth, wanted.width()) &&
           shown.height() >= std::min(VisibleHeight, wanted.height());
}
} // namespace

QPoint CentreOnFirstScreen(const QSize& size, const QList<QRect>& screens) {
    if (screens.isEmpty()) return {0, 0};
    const QRect& screen = screens.first();
    return {screen.x() + (screen.width() - size.width()) / 2,
            screen.y() + (screen.height() - size.height()) / 2};
}

QPoint PlaceOnScreen(const QRect& wanted, const QList<QRect>& screens) {
    for (const QRect& screen : screens)
        if (EnoughOnScreen(wanted, screen)) return wanted.topLeft();
    return CentreOnFirstScreen(wanted.size(), screens);
}

QList<QRect> ScreenAreas() {
    QList<QRect> areas;
    if (QScreen* primary = QGuiApplication::primaryScreen()) areas << primary->availableGeometry();
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen()) areas << screen->availableGeometry();
    return areas;
}
