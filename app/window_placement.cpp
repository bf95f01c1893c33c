#include "app/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace {
constexpr int VisibleWidth = 100;
constexpr int VisibleHeight = 30;
// Far beyond any screen, yet a rectangle there still has its right and bottom within int.
constexpr int Reach = 1 << 24;
// The room for a window when no screen is known.
constexpr int ScreenlessRoom = 8192;

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

TWindowSettings FitWindowSettings(TWindowSettings settings, const QSize& designed,
                                  const QList<QRect>& screens) {
    const QSize room = screens.isEmpty() ? QSize(ScreenlessRoom, ScreenlessRoom)
                                         : screens.first().size().expandedTo({1, 1});
    const QSize wanted =
        settings.Size ? QSize(settings.Size->First, settings.Size->Second) : designed;
    const QSize size = wanted.boundedTo(room);
    if (size != wanted) settings.Size = TWindowSettings::TPair{size.width(), size.height()};
    if (settings.Position) {
        settings.Position->First = std::clamp(settings.Position->First, -Reach, Reach);
        settings.Position->Second = std::clamp(settings.Position->Second, -Reach, Reach);
    }
    settings.Panel2 = std::clamp(settings.Panel2, 0, size.width());
    for (int& width : settings.Columns)
        width = std::clamp(width, 0, size.width());
    return settings;
}

QRect FrameInRoom(const QRect& frame, const QRect& room) {
    QRect fitted(frame.topLeft(), frame.size().boundedTo(room.size()));
    fitted.moveLeft(std::clamp(fitted.left(), room.left(), room.right() + 1 - fitted.width()));
    fitted.moveTop(std::clamp(fitted.top(), room.top(), room.bottom() + 1 - fitted.height()));
    return fitted;
}

QList<QRect> ScreenAreas() {
    QList<QRect> areas;
    if (QScreen* primary = QGuiApplication::primaryScreen()) areas << primary->availableGeometry();
    for (QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen()) areas << screen->availableGeometry();
    return areas;
}
