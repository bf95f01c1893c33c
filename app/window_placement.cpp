#include "app/window_placement.h"

#include "widgets/account_tree.h"
#include "widgets/body_panels.h"
#include "widgets/message_grid.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSplitter>
#include <algorithm>

namespace {
constexpr int VisibleWidth = 100;
constexpr int VisibleHeight = 30;
// Far beyond any screen, yet a rectangle there still has its right and bottom within int.
constexpr int Reach = 1 << 24;
// The room for a window when no screen is known.
constexpr int ScreenlessRoom = 8192;
constexpr int Unset = -1; // no width in "tarsel.ini"; it never gives a negative one

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

TWindowLayout::TWindowLayout(QWidget& shown, TBodyPanels& panels, TAccountTree& accountTree,
                             TMessageGrid& table, QSplitter& split)
    : window(&shown), body(&panels), tree(&accountTree), grid(&table), tableSplit(&split) {}

TWindowSettings TWindowLayout::ApplyFile() {
    // Widths the file does not give read as Unset, so that they can grow to their texts.
    TWindowSettings unset;
    unset.Columns.fill(Unset);
    unset.Panel2 = Unset;
    const TWindowSettings read = ReadWindowSettings(unset);
    TWindowSettings settings = read;
    const TWindowSettings designed;
    for (size_t column = 0; column < settings.Columns.size(); ++column)
        if (read.Columns[column] == Unset) settings.Columns[column] = designed.Columns[column];
    if (read.Panel2 == Unset) settings.Panel2 = designed.Panel2;
    ApplySettings(settings);
    return read;
}

void TWindowLayout::FitDesignedWidths(const TWindowSettings& read) {
    for (int column = 0; column < TMessageGrid::Columns; ++column)
        if (read.Columns[static_cast<size_t>(column)] == Unset)
            grid->setColumnWidth(column,
                                 std::max(grid->columnWidth(column), grid->LeastWidth(column)));
    // The tree's own sizeHintForColumn is protected; the base class's is the same call.
    const int labels = static_cast<QAbstractItemView*>(tree)->sizeHintForColumn(0);
    if (read.Panel2 == Unset)
        body->SetPanel2Width(std::max(body->Panel2Width(), labels + 2 * tree->frameWidth()));
}

void TWindowLayout::ApplySettings(const TWindowSettings& wanted) {
    const QList<QRect> screens = ScreenAreas();
    const TWindowSettings settings = FitWindowSettings(wanted, window->size(), screens);
    for (int column = 0; column < TMessageGrid::Columns; ++column)
        grid->setColumnWidth(column, settings.Columns[static_cast<size_t>(column)]);
    if (settings.Size) window->resize(settings.Size->First, settings.Size->Second);
    if (settings.Position)
        window->move(PlaceOnScreen(
            QRect({settings.Position->First, settings.Position->Second}, window->size()), screens));
    else
        window->move(CentreOnFirstScreen(window->size(), screens));
    startMaximized = settings.Maximized;
    body->SetPanel2Width(settings.Panel2);
    grid->SetSort(settings.Sort.First - 1,
                  settings.Sort.Second == 1 ? Qt::DescendingOrder : Qt::AscendingOrder);
    if (settings.PreviewSplit)
        tableSplit->setSizes({settings.PreviewSplit->First, settings.PreviewSplit->Second});
}

TWindowSettings TWindowLayout::CurrentSettings() const {
    TWindowSettings settings;
    for (int column = 0; column < TMessageGrid::Columns; ++column)
        settings.Columns[static_cast<size_t>(column)] = grid->columnWidth(column);
    settings.Position = TWindowSettings::TPair{window->pos().x(), window->pos().y()};
    settings.Size = TWindowSettings::TPair{window->width(), window->height()};
    settings.Maximized = window->isMaximized();
    settings.Panel2 = body->Panel2Width();
    settings.Sort = {grid->SortColumn() + 1, grid->SortOrder() == Qt::DescendingOrder ? 1 : 0};
    const QList<int> split = tableSplit->sizes();
    if (split.size() == 2) settings.PreviewSplit = TWindowSettings::TPair{split[0], split[1]};
    return settings;
}

void TWindowLayout::ShowAtStart() {
    if (startMaximized) {
        window->showMaximized();
        return;
    }
    window->show();
    // The frame is known once shown: on a small screen it must fit as well as the window.
    const QRect frame = window->frameGeometry();
    const QRect fitted = FrameInRoom(frame, window->screen()->availableGeometry());
    if (fitted == frame) return;
    window->resize(window->size() - (frame.size() - fitted.size()));
    window->move(fitted.topLeft());
}
