#include "widgets/message_grid.h"

#include "accounts/cut_field.h"
#include "mime/charset.h"
#include "mime/header_text.h"
#include "mime/mail_date.h"
#include "mime/shown_header.h"
#include "platform/int_text.h"
#include "widgets/menu_key.h"
#include "widgets/ui_guard.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QStyle>
#include <algorithm>
#include <array>

namespace {
const std::array<const char*, TMessageGrid::Columns> Headings = {"Date", "From", "Subject",
                                                                 "Size (KB)", "MessageID"};
enum TColumn { DateColumn, FromColumn, SubjectColumn, SizeColumn, IdColumn };

// The order a sorting asks for, set by TMessageGrid::Sort() around the table's own sorting
// (user-interface thread only), so that a comparison reads no item data and no widget.
struct TSorting {
    bool byMessage = true;
    bool ascending = true;
};
TSorting sorting;

// What the rules made of the message, on each of its cells.
constexpr int RuleRole = Qt::UserRole;

const char* RuleWords(TRuleAction action) {
    switch (action) {
    case TRuleAction::Delete:
        return "Marked for deletion by a rule";
    case TRuleAction::Highlight:
        return "Highlighted by a rule";
    case TRuleAction::Ignore:
        return "Ignored by a rule";
    default:
        return "";
    }
}

// One line of text: a fold's tab reads as a blank in a cell.
QString Shown(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()))
        .replace('\t', ' ')
        .trimmed();
}

// One cell: its bytes, what it shows of them, and its key for sorting.
class TCell : public QTableWidgetItem {
public:
    TCell(int column, int shownMessage, const std::string& text)
        : bytes(text), message(shownMessage) {
        switch (column) {
        case DateColumn:
            ShowDate(ParseMailDate(bytes), EightBitToUtf8(bytes));
            break;
        case SizeColumn:
            setText(Shown(bytes));
            if (auto size = TryStrToInt(bytes)) SetNumberKey(*size);
            break;
        case IdColumn:
            ShowText(EightBitToUtf8(WithoutLineEnd(bytes)));
            break;
        default:
            ShowText(DecodeHeaderText(bytes));
        }
    }

    void ShowText(const std::string& utf8, const std::string& tooltip = {}) {
        setText(Shown(utf8));
        setToolTip(tooltip.empty() ? text() : Shown(tooltip));
        keyKind = text().isEmpty() ? TKey::None : TKey::Text;
        textKey = text().toCaseFolded();
    }

    // The date in local time, the header's own text as its tooltip.
    void ShowDate(std::optional<int64_t> moment, const std::string& written) {
        setText(moment ? QString::fromStdString(LocalDateText(*moment)) : QString());
        setToolTip(Shown(written));
        keyKind = TKey::None;
        if (moment) SetNumberKey(*moment);
    }

    const std::string& Bytes() const { return bytes; }
    int Message() const { return message; }

    bool operator<(const QTableWidgetItem& other) const override {
        const auto& that = static_cast<const TCell&>(other); // the grid holds only cells
        if (sorting.byMessage) return message < that.message;
        // Without a key (no date, say) a row goes last in either direction; the table sorts
        // descending by asking the opposite question, so the answer turns with the order.
        const bool has = keyKind != TKey::None;
        if (has != (that.keyKind != TKey::None)) return sorting.ascending ? has : !has;
        if (has) {
            if (keyKind == TKey::Number) {
                if (number != that.number) return number < that.number;
            } else if (const int order = textKey.compare(that.textKey); order != 0) {
                return order < 0;
            }
        }
        return message < that.message;
    }

private:
    enum class TKey : uint8_t { None, Number, Text };

    void SetNumberKey(int64_t value) {
        keyKind = TKey::Number;
        number = value;
    }

    std::string bytes;
    int message;
    TKey keyKind = TKey::None;
    int64_t number = 0;
    QString textKey; // case-folded
};
} // namespace

TMessageGrid::TMessageGrid(QWidget* parent) : QTableWidget(1, Columns, parent) {
    setObjectName("grid");
    setAccessibleName("Messages");
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
    QHeaderView* heading = horizontalHeader();
    heading->setSectionResizeMode(QHeaderView::Interactive);
    heading->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    heading->setHighlightSections(false);
    heading->setSectionsClickable(true);
    heading->setSortIndicatorShown(true);
    heading->setSortIndicator(NoSort, Qt::AscendingOrder);
    connect(heading, &QHeaderView::sectionClicked, this,
            [this](int column) { RunGuarded([&] { HeadingClicked(column); }); });
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (row >= 0 && OnSelectCell) RunGuarded([&] { OnSelectCell(column, MessageAt(row + 1)); });
    });
    ClearTable();
}

void TMessageGrid::SetHeadings() {
    QStringList labels;
    for (const char* heading : Headings)
        labels << heading;
    setHorizontalHeaderLabels(labels);
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

// Rows are added at the end of the view, for the next message numbers.
void TMessageGrid::SetRowCount(int rows) {
    const int count = std::max(1, rows - 1);
    if (count < rowCount()) {
        messageAt.clear(); // only a cleared table shrinks; its rows are in message order
        rowOf.clear();
    }
    setRowCount(count);
    for (int row = static_cast<int>(messageAt.size()); row < count; ++row) {
        messageAt.push_back(row + 1);
        rowOf.push_back(row);
    }
}

int TMessageGrid::MessageAt(int row) const {
    if (row < 1 || row > static_cast<int>(messageAt.size())) return row;
    return messageAt[static_cast<size_t>(row - 1)];
}

int TMessageGrid::RowOf(int message) const {
    if (message < 1 || message > static_cast<int>(rowOf.size())) return -1;
    return rowOf[static_cast<size_t>(message - 1)] + 1;
}

std::string TMessageGrid::Cell(int column, int message) const {
    const auto* cell = dynamic_cast<const TCell*>(item(RowOf(message) - 1, column));
    return cell ? cell->Bytes() : std::string();
}

std::string TMessageGrid::ShownCell(int column, int message) const {
    const QTableWidgetItem* cell = item(RowOf(message) - 1, column);
    return cell ? cell->text().toStdString() : std::string();
}

void TMessageGrid::SetCell(int column, int message, const std::string& text) {
    const int row = RowOf(message);
    if (row < 1 || column < 0 || column >= Columns) return;
    setItem(row - 1, column, new TCell(column, message, text)); // the table owns it
}

void TMessageGrid::ShowHeader(int message, const std::vector<std::string>& header) {
    const int row = RowOf(message) - 1;
    auto cell = [&](int column) { return dynamic_cast<TCell*>(item(row, column)); };
    const TShownHeader shown = ShownHeader(header);
    // A field the header lacks leaves what the stored bytes showed.
    if (TCell* from = cell(FromColumn); from && !shown.From.Shown.empty())
        from->ShowText(shown.From.Shown, shown.From.Tooltip);
    if (TCell* subject = cell(SubjectColumn); subject && !shown.Subject.empty())
        subject->ShowText(shown.Subject);
    if (TCell* date = cell(DateColumn); date && shown.Moment)
        date->ShowDate(shown.Moment, shown.DateText);
    if (TCell* id = cell(IdColumn); id && !shown.MessageId.empty()) id->ShowText(shown.MessageId);
}

bool TMessageGrid::RowEmpty(int message) const {
    for (int column = 0; column < Columns; ++column)
        if (!Cell(column, message).empty()) return false;
    return true;
}

std::vector<int> TMessageGrid::SelectedMessages() const {
    std::vector<int> messages;
    for (const QTableWidgetSelectionRange& range : selectedRanges())
        for (int row = range.topRow(); row <= range.bottomRow(); ++row)
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

void TMessageGrid::ShowRows(const std::vector<std::string>& rows,
                            const std::vector<std::vector<std::string>>& headers) {
    ClearTable();
    SetRowCount(static_cast<int>(rows.size()) + 1);
    for (size_t i = 0; i < rows.size(); ++i) {
        const int message = static_cast<int>(i) + 1;
        std::string rest = rows[i];
        for (int column = 0; column < Columns - 1; ++column)
            SetCell(column, message, CutField(rest, Separator));
        SetCell(Columns - 1, message, rest);
        if (headers.size() == rows.size()) ShowHeader(message, headers[i]);
    }
    Sort();
}

void TMessageGrid::MarkNew(const std::vector<bool>& fresh) {
    for (int message = 1; message < RowCount(); ++message) {
        const size_t at = static_cast<size_t>(message - 1);
        const bool bold = at < fresh.size() && fresh[at];
        const int row = RowOf(message) - 1;
        for (int column = 0; column < Columns; ++column) {
            QTableWidgetItem* cell = item(row, column);
            if (!cell || cell->font().bold() == bold) continue;
            QFont font = cell->font();
            font.setBold(bold);
            cell->setFont(font);
        }
    }
}

bool TMessageGrid::IsMarkedNew(int message) const {
    const QTableWidgetItem* cell = item(RowOf(message) - 1, 0);
    return cell && cell->font().bold();
}

void TMessageGrid::MarkRules(const std::vector<TRuleAction>& actions) {
    // Fixed text colours on the marking colours, so that a dark theme keeps them readable.
    const QColor deleteBack(255, 205, 205);
    const QColor highlightBack(255, 240, 170);
    const QColor darkText(Qt::black);
    const QColor greyText = palette().color(QPalette::Disabled, QPalette::Text);
    for (int message = 1; message < RowCount(); ++message) {
        const size_t at = static_cast<size_t>(message - 1);
        const TRuleAction action = at < actions.size() ? actions[at] : TRuleAction::None;
        const int row = RowOf(message) - 1;
        for (int column = 0; column < Columns; ++column) {
            QTableWidgetItem* cell = item(row, column);
            if (!cell) continue;
            cell->setData(RuleRole, static_cast<int>(action));
            cell->setData(Qt::AccessibleDescriptionRole,
                          action == TRuleAction::None ? QVariant() : QVariant(RuleWords(action)));
            cell->setData(Qt::BackgroundRole, action == TRuleAction::Delete      ? deleteBack
                                              : action == TRuleAction::Highlight ? highlightBack
                                                                                 : QVariant());
            cell->setData(Qt::ForegroundRole, action == TRuleAction::Ignore ? greyText
                                              : action == TRuleAction::None ? QVariant()
                                                                            : darkText);
            QString tip = cell->toolTip().section("\n[", 0, 0);
            if (action != TRuleAction::None) tip += QString("\n[") + RuleWords(action) + "]";
            cell->setToolTip(tip);
            if (action == TRuleAction::Ignore && cell->font().bold()) {
                QFont font = cell->font();
                font.setBold(false);
                cell->setFont(font);
            }
        }
    }
}

TRuleAction TMessageGrid::RuleMark(int message) const {
    const QTableWidgetItem* cell = item(RowOf(message) - 1, 0);
    return cell ? static_cast<TRuleAction>(cell->data(RuleRole).toInt()) : TRuleAction::None;
}

void TMessageGrid::SetSort(int column, Qt::SortOrder order) {
    sortColumn = column >= 0 && column < Columns ? column : NoSort;
    sortOrder = order;
    horizontalHeader()->setSortIndicator(sortColumn, sortOrder);
    Sort();
}

void TMessageGrid::Sort() {
    sorting = {sortColumn == NoSort, sortOrder == Qt::AscendingOrder};
    sortItems(sortColumn == NoSort ? 0 : sortColumn, sortOrder);
    horizontalHeader()->setSortIndicator(sortColumn, sortOrder); // sortItems moved it
    MapRows();
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

void TMessageGrid::MapRows() {
    const size_t count = static_cast<size_t>(rowCount());
    messageAt.assign(count, 0);
    rowOf.assign(count, -1);
    for (size_t row = 0; row < count; ++row) {
        const auto* cell = dynamic_cast<const TCell*>(item(static_cast<int>(row), 0));
        const int message = cell ? cell->Message() : 0;
        if (message < 1 || message > static_cast<int>(count) ||
            rowOf[static_cast<size_t>(message - 1)] >= 0)
            continue;
        messageAt[row] = message;
        rowOf[static_cast<size_t>(message - 1)] = static_cast<int>(row);
    }
    // Rows without a cell (never seen after a filling) take the numbers left, in order.
    size_t next = 0;
    for (size_t row = 0; row < count; ++row) {
        if (messageAt[row] != 0) continue;
        while (rowOf[next] >= 0)
            ++next;
        messageAt[row] = static_cast<int>(next) + 1;
        rowOf[next] = static_cast<int>(row);
    }
}

void TMessageGrid::keyPressEvent(QKeyEvent* event) {
    if (OpenMenuByKey(*this, *event)) return;
    if (OnKeyDown) RunGuarded([&] { OnKeyDown(event->key(), event->modifiers()); });
    QTableWidget::keyPressEvent(event);
}

void TMessageGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    QTableWidget::mouseDoubleClickEvent(event);
    if (OnDblClick) RunGuarded(OnDblClick);
}
