#include "ui/message_grid.h"

#include "accounts/cut_field.h"
#include "accounts/text_bytes.h"
#include "ui/ui_guard.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QThread>
#include <algorithm>
#include <array>

namespace {
const std::array<const char*, TMessageGrid::Columns> Headings = {" Date", " From", " Subject",
                                                                 " Size (KB)", " MessageID"};
} // namespace

TMessageGrid::TMessageGrid(QWidget* parent) : QTableWidget(1, Columns, parent) {
    setObjectName("grid");
    setFrameShape(QFrame::NoFrame);
    setShowGrid(true);
    setSelectionBehavior(SelectRows);
    setSelectionMode(ContiguousSelection);
    setEditTriggers(NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setWordWrap(false);
    verticalHeader()->hide(); // no fixed column
    verticalHeader()->setMinimumSectionSize(16);
    verticalHeader()->setDefaultSectionSize(std::max(16, fontMetrics().height() + 4));
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (row >= 0 && OnSelectCell) RunGuarded([&] { OnSelectCell(column, row + 1); });
    });
    ClearOnThisThread();
}

void TMessageGrid::SetHeadings() {
    QStringList labels;
    for (const char* heading : Headings)
        labels << heading;
    setHorizontalHeaderLabels(labels);
}

void TMessageGrid::SetRowCount(int rows) {
    setRowCount(std::max(1, rows - 1));
}

std::string TMessageGrid::Cell(int column, int row) const {
    const QTableWidgetItem* cell = item(row - 1, column);
    return cell ? ToBytes(cell->text()) : std::string();
}

void TMessageGrid::SetCell(int column, int row, const std::string& text) {
    if (row < 1 || row >= RowCount() || column < 0 || column >= Columns) return;
    setItem(row - 1, column, new QTableWidgetItem(ToQString(text))); // the table owns it
}

bool TMessageGrid::RowEmpty(int row) const {
    for (int column = 0; column < Columns; ++column)
        if (!Cell(column, row).empty()) return false;
    return true;
}

std::pair<int, int> TMessageGrid::SelectedRange() const {
    const QList<QTableWidgetSelectionRange> ranges = selectedRanges();
    if (ranges.isEmpty()) {
        const int row = std::max(0, currentRow()) + 1;
        return {row, row};
    }
    return {ranges.first().topRow() + 1, ranges.first().bottomRow() + 1};
}

void TMessageGrid::ClearTable() {
    if (QThread::currentThread() == thread()) {
        ClearOnThisThread();
        return;
    }
    // The check worker clears the table too; widgets are only touched on their own thread.
    QMetaObject::invokeMethod(
        this, [this] { ClearOnThisThread(); }, Qt::BlockingQueuedConnection);
}

void TMessageGrid::ClearOnThisThread() {
    setRowCount(1);
    for (int column = 0; column < Columns; ++column)
        SetCell(column, 1, "");
}

void TMessageGrid::ShowRows(const std::vector<std::string>& rows) {
    ClearTable();
    SetRowCount(static_cast<int>(rows.size()) + 1);
    for (size_t i = 0; i < rows.size(); ++i) {
        std::string rest = rows[i];
        for (int column = 0; column < Columns - 1; ++column)
            SetCell(column, static_cast<int>(i) + 1, CutField(rest, Separator));
        SetCell(Columns - 1, static_cast<int>(i) + 1, rest);
    }
}

void TMessageGrid::keyPressEvent(QKeyEvent* event) {
    if (OnKeyDown) RunGuarded([&] { OnKeyDown(event->key(), event->modifiers()); });
    QTableWidget::keyPressEvent(event);
}

void TMessageGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableWidget::mouseDoubleClickEvent(event);
    if (OnDblClick) RunGuarded(OnDblClick);
}
