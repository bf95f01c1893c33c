#pragma once
#include "app/settings_file.h"

#include <QList>
#include <QPoint>
#include <QRect>

// Where a window of this rectangle goes: where it is when enough of it lies on one of the
// screens (enough to grab and move it), otherwise the middle of the first screen.
QPoint PlaceOnScreen(const QRect& wanted, const QList<QRect>& screens);

// The top-left that centres a window of this size on the first screen.
QPoint CentreOnFirstScreen(const QSize& size, const QList<QRect>& screens);

// Settings from the file made fit for these screens: the window (as the file gives it, or at
// its designed size) no larger than the first screen's available area, its position near
// enough to the screens that its rectangle can be computed, the tree side and every column no
// wider than the window.
TWindowSettings FitWindowSettings(TWindowSettings settings, const QSize& designed,
                                  const QList<QRect>& screens);

// A shown window's frame made to lie within the room: no larger, then moved in where it reaches
// past an edge.
QRect FrameInRoom(const QRect& frame, const QRect& room);

// The available areas of the screens now attached, the primary one first.
QList<QRect> ScreenAreas();
