#include "widgets/message_grid.h"

#include "mime/shown_header.h"
#include "widgets/grid_heading.h"
#include "widgets/menu_key.h"
#include "widgets/message_rows.h"
#include "widgets/ui_guard.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <QTableWidgetItem>
#include <algorithm>
#include <array>

namespace {
const std::array<const char*, TMessageGrid::Columns> Headings = {
    QT_TRANSLATE_NOOP("TMessageGrid", "Date"), QT_TRANSLATE_NOOP("TMessageGrid", "From"),
    QT_TRANSLATE_NOOP("TMessageGrid", "Subject"), QT_TRANSLATE_NOOP("TMessageGrid", "Size (KB)"),
    QT_TRANSLATE_NOOP("TMessageGrid", "MessageID")};
enum TColumn { DateColumn, SizeColumn = 3 };
} // namespace

TMessageGrid::TMessageGrid(QWidget* parent) : QTableView(parent), rows(new TMessageRows(this)) {
    setHorizontalHeader(new TGridHeading(this));
    setModel(rows);
    setObjectName("grid");
    setAccessibleName(tr("Messages"));
    setFrameShape(QFrame::NoFrame);
    setShowGrid(true);
    setSelectionBehavior(SelectRows);
    setSelectionMode(ContiguousSelection);
    setEditTriggers(NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setWordWrap(false);
    // One fixed height for every row: no row's text is measured to place the rows.
    verticalHeader()->hide(); // no fixed column
    verticalHeader()->setMinimumSectionSize(16);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(std::max(16, fontMetrics().height() + 4));
    QHeaderView* heading = horizontalHeader();
    heading->setSectionResizeMode(QHeaderView::Interactive);
    heading->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    heading->setHighlightSections(false);
    heading->setSectionsClickable(true);
    heading->setSortIndicatorShown(true);
    heading->setSortIndicator(NoSort, Qt::AscendingOrder);
    connect(heading, &QHeaderView::sectionClicked, this,
            [this](int column) { RunGuarded([&] { HeadingClicked(column); }); });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.row() >= 0 && OnSelectCell)
                    RunGuarded(
                        [&] { OnSelectCell(current.column(), MessageAt(current.row() + 1)); });
            });
    ClearTable();
}

TMessageGrid::~TMessageGrid() = default;

void TMessageGrid::SetHeadings() {
    QStringList labels;
    for (const char* heading : Headings)
        labels << tr(heading);
    rows->SetHeadings(labels);
}

int TMessageGrid::LeastWidth(int column) const {
    QFont bold = font();
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    const int margin = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
    int width = horizontalHeader()->sectionSizeHint(column);
    if (column == DateColumn)
        width = std::max(width, metrics.horizontalAdvance("2000-12-30 20:00") + margin);
    if (column == SizeColumn) width = std::max(width, metrics.horizontalAdvance("99999") + margin);
    return width;
}

int TMessageGrid::RowCount() const {
    return rows->Count() + 1;
}

// Rows are added at the end of the view, for the next message numbers.
void TMessageGrid::SetRowCount(int count) {
    rows->SetRowCount(std::max(1, count - 1));
}

int TMessageGrid::MessageAt(int row) const {
    const int message = rows->MessageAt(row - 1);
    return message == 0 ? row : message;
}

int TMessageGrid::RowOf(int message) const {
    const int row = rows->RowOf(message);
    return row < 0 ? -1 : row + 1;
}

std::string TMessageGrid::Cell(int column, int message) const {
    return std::string(rows->Bytes(message, column));
}

std::string TMessageGrid::ShownCell(int column, int message) const {
    return rows->Shown(message, column).toStdString();
}

void TMessageGrid::SetCell(int column, int message, const std::string& text) {
    rows->SetCell(message, column, text);
}

void TMessageGrid::ShowHeader(int message, const std::vector<std::string>& header) {
    if (RowOf(message) > 0) rows->ShowHeader(message, ShownHeaderValues(header));
}

void TMessageGrid::SetRow(int message, const std::string& line, const THeaderLines& header) {
    if (RowOf(message) < 0) return;
    const THeaderValues values = ShownHeaderValues(header);
    rows->SetRow(message, line, Separator, &values);
}

bool TMessageGrid::RowEmpty(int message) const {
    for (int column = 0; column < Columns; ++column)
        if (!Cell(column, message).empty()) return false;
    return true;
}

std::vector<int> TMessageGrid::SelectedMessages() const {
    std::vector<int> messages;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        for (int row = range.top(); row <= range.bottom(); ++row)
            messages.push_back(MessageAt(row + 1));
    if (messages.empty()) messages.push_back(CurrentMessage());
    std::sort(messages.begin(), messages.end());
    messages.erase(std::unique(messages.begin(), messages.end()), messages.end());
    return messages;
}

int TMessageGrid::CurrentMessage() const {
    return MessageAt(std::max(0, currentRow()) + 1);
}

void TMessageGrid::ClearTable() {
    SetRowCount(0);
    SetRowCount(2);
    for (int column = 0; column < Columns; ++column)
        SetCell(column, 1, "");
}

// The view hears of the rows once, when they are all there.
void TMessageGrid::ShowRows(const std::vector<std::string>& lines,
                            const std::vector<THeaderLines>& headers) {
    rows->HoldBack(true);
    ClearTable();
    SetRowCount(static_cast<int>(lines.size()) + 1);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int message = static_cast<int>(i) + 1;
        if (headers.size() == lines.size())
            SetRow(message, lines[i], headers[i]);
        else
            rows->SetRow(message, lines[i], Separator);
    }
    rows->HoldBack(false);
    Sort();
}

void TMessageGrid::MarkNew(const std::vector<bool>& fresh) {
    rows->SetBold(fresh);
}

bool TMessageGrid::IsMarkedNew(int message) const {
    return rows->Bold(message);
}

void TMessageGrid::MarkRules(const std::vector<TRuleAction>& actions) {
    rows->SetRules(actions, palette().color(QPalette::Disabled, QPalette::Text));
}

TRuleAction TMessageGrid::RuleMark(int message) const {
    return rows->Rule(message);
}

void TMessageGrid::SetSort(int column, Qt::SortOrder order) {
    sortColumn = column >= 0 && column < Columns ? column : NoSort;
    sortOrder = order;
    horizontalHeader()->setSortIndicator(sortColumn, sortOrder);
    Sort();
}

void TMessageGrid::Sort() {
    rows->Sort(sortColumn, sortOrder);
}

// A click sorts by that column ascending, a second click descending, a third goes back to
// message order.
void TMessageGrid::HeadingClicked(int column) {
    if (column != sortColumn)
        SetSort(column, Qt::AscendingOrder);
    else if (sortOrder == Qt::AscendingOrder)
        SetSort(column, Qt::DescendingOrder);
    else
        SetSort(NoSort, Qt::AscendingOrder);
}

void TMessageGrid::setCurrentCell(int row, int column) {
    rows->Publish();
    setCurrentIndex(rows->index(row, column));
}

void TMessageGrid::setRangeSelected(const QTableWidgetSelectionRange& range, bool select) {
    rows->Publish();
    if (!rows->hasIndex(range.topRow(), range.leftColumn()) ||
        !rows->hasIndex(range.bottomRow(), range.rightColumn()))
        return;
    selectionModel()->select(QItemSelection(rows->index(range.topRow(), range.leftColumn()),
                                            rows->index(range.bottomRow(), range.rightColumn())),
                             select ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

QList<QTableWidgetSelectionRange> TMessageGrid::selectedRanges() const {
    QList<QTableWidgetSelectionRange> ranges;
    for (const QItemSelectionRange& range : selectionModel()->selection())
        ranges.append({range.top(), range.left(), range.bottom(), range.right()});
    return ranges;
}

const QTableWidgetItem* TMessageGrid::item(int row, int column) const {
    rows->Publish();
    const int message = rows->MessageAt(row);
    if (message == 0 || !rows->Filled(message, column)) return nullptr;
    std::unique_ptr<QTableWidgetItem>& copy = copies[{row, column}];
    if (!copy) copy = std::make_unique<QTableWidgetItem>();
    *copy = QTableWidgetItem();
    const QModelIndex cell = rows->index(row, column);
    for (const int role :
         {int(Qt::DisplayRole), int(Qt::ToolTipRole), int(Qt::FontRole), int(Qt::BackgroundRole),
          int(Qt::ForegroundRole), int(Qt::AccessibleDescriptionRole), TMessageRows::RuleRole})
        if (const QVariant value = rows->data(cell, role); value.isValid())
            copy->setData(role, value);
    return copy.get();
}

const QTableWidgetItem* TMessageGrid::horizontalHeaderItem(int column) const {
    if (column < 0 || column >= Columns) return nullptr;
    std::unique_ptr<QTableWidgetItem>& copy = copies[{-1, column}];
    if (!copy) copy = std::make_unique<QTableWidgetItem>();
    copy->setText(rows->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString());
    return copy.get();
}

TMessageGrid::TFilling::TFilling(TMessageGrid& filled, std::chrono::milliseconds every)
    : grid(filled), batches(filled, every, [&filled] { filled.rows->Publish(); }) {
    grid.rows->HoldBack(true);
}

// The rows held back reach the view here, before the batches' last paint.
TMessageGrid::TFilling::~TFilling() {
    grid.rows->HoldBack(false);
}

void TMessageGrid::TFilling::Changed() {
    batches.Changed();
}

void TMessageGrid::keyPressEvent(QKeyEvent* event) {
    if (OpenMenuByKey(*this, *event)) return;
    if (OnKeyDown) RunGuarded([&] { OnKeyDown(event->key(), event->modifiers()); });
    QTableView::keyPressEvent(event);
}

void TMessageGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableView::mouseDoubleClickEvent(event);
    if (OnDblClick) RunGuarded(OnDblClick);
}
