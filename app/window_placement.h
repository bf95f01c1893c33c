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

class QSplitter;
class QWidget;
class TAccountTree;
class TBodyPanels;
class TMessageGrid;

// The main window's sizes as "tarsel.ini" keeps them: its place and size, the tree side, the
// table's columns and order, the table's share above the preview; applied at start and read
// back at the end.
class TWindowLayout {
public:
    TWindowLayout(QWidget& shown, TBodyPanels& panels, TAccountTree& accountTree,
                  TMessageGrid& table, QSplitter& split);

    // Applies the file's settings; gives them as read, Unset where the file gives no width.
    TWindowSettings ApplyFile();
    // The designed widths are the least: where the file gives none, a heading or the tree side
    // grows to its text and font. Widths the user chose stay as they are.
    void FitDesignedWidths(const TWindowSettings& read);
    TWindowSettings CurrentSettings() const;
    // Shows the window, maximized when "tarsel.ini" said so.
    void ShowAtStart();

private:
    // The settings as the file gives them, fitted to the screens first.
    void ApplySettings(const TWindowSettings& wanted);

    QWidget* window;
    TBodyPanels* body;
    TAccountTree* tree;
    TMessageGrid* grid;
    QSplitter* tableSplit;
    bool startMaximized = false;
};
