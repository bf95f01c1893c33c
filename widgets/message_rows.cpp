#include "widgets/message_rows.h"

#include "mime/charset.h"
#include "mime/header_text.h"
#include "mime/mail_date.h"
#include "platform/int_text.h"

#include <QCoreApplication>

#include <algorithm>
#include <numeric>
#include <utility>

namespace {
enum TColumn { DateColumn, FromColumn, SubjectColumn, SizeColumn, IdColumn };

constexpr uint8_t Bit(int column) {
    return static_cast<uint8_t>(1u << column);
}

const char* RuleWords(TRuleAction action) {
    switch (action) {
    case TRuleAction::Delete:
        return QT_TRANSLATE_NOOP("TMessageGrid", "Marked for deletion by a rule");
    case TRuleAction::Highlight:
        return QT_TRANSLATE_NOOP("TMessageGrid", "Highlighted by a rule");
    case TRuleAction::Ignore:
        return QT_TRANSLATE_NOOP("TMessageGrid", "Ignored by a rule");
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

const std::string NoBytes;
const QString NoText;
} // namespace

TMessageRows::TMessageRows(QObject* parent) : QAbstractTableModel(parent) {
    boldFont.setBold(true);
}

int TMessageRows::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(order.size());
}

int TMessageRows::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : Columns;
}

QVariant TMessageRows::data(const QModelIndex& index, int role) const {
    const int message = MessageAt(index.row());
    const int column = index.column();
    if (message == 0 || !Filled(message, column)) return {};
    const TRow& row = Row(message);
    switch (role) {
    case Qt::DisplayRole:
        return Shown(message, column);
    case Qt::ToolTipRole:
        return ToolTip(message, column);
    case Qt::FontRole:
        return row.bold ? QVariant(boldFont) : QVariant();
    // Fixed text colours on the marking colours, so that a dark theme keeps them readable.
    case Qt::BackgroundRole:
        if (row.rule == TRuleAction::Delete) return QColor(255, 205, 205);
        if (row.rule == TRuleAction::Highlight) return QColor(255, 240, 170);
        return {};
    case Qt::ForegroundRole:
        if (row.rule == TRuleAction::None) return {};
        return row.rule == TRuleAction::Ignore ? greyText : QColor(Qt::black);
    case Qt::AccessibleDescriptionRole:
        return row.rule == TRuleAction::None
                   ? QVariant()
                   : QVariant(QCoreApplication::translate("TMessageGrid", RuleWords(row.rule)));
    case RuleRole:
        return static_cast<int>(row.rule);
    default:
        return {};
    }
}

QVariant TMessageRows::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < headings.size())
        return headings[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

void TMessageRows::SetHeadings(const QStringList& labels) {
    headings = labels;
    emit headerDataChanged(Qt::Horizontal, 0, Columns - 1);
}

void TMessageRows::SetRowCount(int count) {
    const int now = static_cast<int>(order.size());
    if (count > now) {
        beginInsertRows({}, now, count - 1);
        rows.resize(static_cast<size_t>(count));
        for (int message = now; message < count; ++message) {
            order.push_back(message);
            rowOf.push_back(message);
        }
        endInsertRows();
    } else if (count < now) {
        beginRemoveRows({}, count, now - 1);
        rows.assign(static_cast<size_t>(count), TRow{});
        order.resize(static_cast<size_t>(count));
        std::iota(order.begin(), order.end(), 0);
        rowOf = order;
        endRemoveRows();
        if (count > 0) emit dataChanged(index(0, 0), index(count - 1, Columns - 1));
    }
}

int TMessageRows::MessageAt(int row) const {
    if (row < 0 || row >= static_cast<int>(order.size())) return 0;
    return order[static_cast<size_t>(row)] + 1;
}

int TMessageRows::RowOf(int message) const {
    if (message < 1 || message > static_cast<int>(rowOf.size())) return -1;
    return rowOf[static_cast<size_t>(message - 1)];
}

TMessageRows::TRow& TMessageRows::Row(int message) {
    return rows[static_cast<size_t>(message - 1)];
}

const TMessageRows::TRow& TMessageRows::Row(int message) const {
    return rows[static_cast<size_t>(message - 1)];
}

bool TMessageRows::Filled(int message, int column) const {
    return RowOf(message) >= 0 && column >= 0 && column < Columns &&
           (Row(message).filled & Bit(column)) != 0;
}

const std::string& TMessageRows::Bytes(int message, int column) const {
    return Filled(message, column) ? Row(message).bytes[static_cast<size_t>(column)] : NoBytes;
}

const QString& TMessageRows::Shown(int message, int column) const {
    if (!Filled(message, column)) return NoText;
    const TRow& row = Row(message);
    Decode(row, column);
    return row.shown[static_cast<size_t>(column)];
}

QString TMessageRows::ToolTip(int message, int column) const {
    if (!Filled(message, column)) return {};
    const TRow& row = Row(message);
    QString tip;
    if (column == DateColumn) {
        Decode(row, column);
        tip = row.dateTip;
    } else if (column == FromColumn && !row.fromTip.isEmpty()) {
        tip = row.fromTip;
    } else if (column != SizeColumn) {
        tip = Shown(message, column);
    }
    if (row.rule != TRuleAction::None)
        tip += "\n[" + QCoreApplication::translate("TMessageGrid", RuleWords(row.rule)) + "]";
    return tip;
}

void TMessageRows::Decode(const TRow& row, int column) const {
    if ((row.stale & Bit(column)) == 0) return;
    row.stale &= static_cast<uint8_t>(~Bit(column));
    const std::string& bytes = row.bytes[static_cast<size_t>(column)];
    QString& shown = row.shown[static_cast<size_t>(column)];
    switch (column) {
    case DateColumn: {
        const std::optional<int64_t> moment = ParseMailDate(bytes);
        shown = moment ? QString::fromStdString(LocalDateText(*moment)) : QString();
        row.dateTip = ::Shown(EightBitToUtf8(bytes));
        row.moment = moment.value_or(0);
        row.numbered = moment ? row.numbered | Bit(column) : row.numbered & ~Bit(column);
        break;
    }
    case SizeColumn:
        shown = ::Shown(bytes);
        break;
    case IdColumn:
        shown = ::Shown(EightBitToUtf8(WithoutLineEnd(bytes)));
        break;
    default:
        shown = ::Shown(DecodeHeaderText(bytes));
    }
}

// Writing a cell costs no decoding: what it shows is made when first read.
void TMessageRows::SetCell(int message, int column, const std::string& bytes) {
    if (RowOf(message) < 0 || column < 0 || column >= Columns) return;
    TRow& row = Row(message);
    const uint8_t bit = Bit(column);
    row.bytes[static_cast<size_t>(column)] = bytes;
    row.filled |= bit;
    row.stale |= bit;
    row.keyed &= static_cast<uint8_t>(~bit);
    if (column == FromColumn) row.fromTip.clear();
    if (column == SizeColumn) {
        const std::optional<int> size = TryStrToInt(bytes);
        row.size = size.value_or(0);
        row.numbered = size ? row.numbered | bit : row.numbered & ~bit;
    }
    const QModelIndex cell = index(RowOf(message), column);
    emit dataChanged(cell, cell);
}

void TMessageRows::ShowHeader(int message, const TShownHeader& header) {
    if (RowOf(message) < 0) return;
    TRow& row = Row(message);
    auto show = [&](int column, const std::string& utf8) {
        const uint8_t bit = Bit(column);
        row.shown[static_cast<size_t>(column)] = ::Shown(utf8);
        row.stale &= static_cast<uint8_t>(~bit);
        row.keyed &= static_cast<uint8_t>(~bit);
    };
    // A field the header lacks leaves what the stored bytes show.
    if ((row.filled & Bit(FromColumn)) && !header.From.Shown.empty()) {
        show(FromColumn, header.From.Shown);
        row.fromTip = header.From.Tooltip.empty() ? QString() : ::Shown(header.From.Tooltip);
    }
    if ((row.filled & Bit(SubjectColumn)) && !header.Subject.empty())
        show(SubjectColumn, header.Subject);
    if ((row.filled & Bit(DateColumn)) && header.Moment) {
        show(DateColumn, LocalDateText(*header.Moment));
        row.dateTip = ::Shown(header.DateText);
        row.moment = *header.Moment;
        row.numbered |= Bit(DateColumn);
    }
    if ((row.filled & Bit(IdColumn)) && !header.MessageId.empty()) show(IdColumn, header.MessageId);
    ChangedRows(message);
}

bool TMessageRows::Bold(int message) const {
    return RowOf(message) >= 0 && Row(message).filled != 0 && Row(message).bold;
}

TRuleAction TMessageRows::Rule(int message) const {
    return RowOf(message) >= 0 && Row(message).filled != 0 ? Row(message).rule : TRuleAction::None;
}

void TMessageRows::SetBold(const std::vector<bool>& fresh) {
    for (size_t at = 0; at < rows.size(); ++at)
        rows[at].bold = at < fresh.size() && fresh[at];
    if (!rows.empty())
        emit dataChanged(index(0, 0), index(rowCount() - 1, Columns - 1), {Qt::FontRole});
}

void TMessageRows::SetRules(const std::vector<TRuleAction>& actions, const QColor& grey) {
    greyText = grey;
    for (size_t at = 0; at < rows.size(); ++at) {
        rows[at].rule = at < actions.size() ? actions[at] : TRuleAction::None;
        if (rows[at].rule == TRuleAction::Ignore) rows[at].bold = false;
    }
    if (!rows.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, Columns - 1));
}

void TMessageRows::ChangedRows(int message) {
    const int row = RowOf(message);
    emit dataChanged(index(row, 0), index(row, Columns - 1));
}

bool TMessageRows::HasKey(const TRow& row, int column) const {
    if (column == DateColumn || column == SizeColumn) return (row.numbered & Bit(column)) != 0;
    return !row.shown[static_cast<size_t>(column)].isEmpty();
}

// Without a key (no date, say) a row goes last in either direction; descending asks the
// opposite question, so the answer turns with the order. Equal keys keep message order.
bool TMessageRows::Less(int left, int right, int column, bool ascending) const {
    if (column < 0) return left < right;
    const TRow& a = rows[static_cast<size_t>(left)];
    const TRow& b = rows[static_cast<size_t>(right)];
    const bool has = HasKey(a, column);
    if (has != HasKey(b, column)) return ascending ? has : !has;
    if (has) {
        if (column == DateColumn || column == SizeColumn) {
            const int64_t x = column == DateColumn ? a.moment : a.size;
            const int64_t y = column == DateColumn ? b.moment : b.size;
            if (x != y) return x < y;
        } else if (const int compared = a.folded[static_cast<size_t>(column)].compare(
                       b.folded[static_cast<size_t>(column)]);
                   compared != 0) {
            return compared < 0;
        }
    }
    return left < right;
}

void TMessageRows::Sort(int column, Qt::SortOrder direction) {
    const int keyColumn = column < 0 ? DateColumn : column; // rows without it go last
    std::vector<int> sortable;
    std::vector<int> rest;
    sortable.reserve(order.size());
    for (const int at : order) {
        const TRow& row = rows[static_cast<size_t>(at)];
        if ((row.filled & Bit(keyColumn)) == 0) {
            rest.push_back(at);
            continue;
        }
        sortable.push_back(at);
        if (column < 0) continue;
        Decode(row, column);
        if ((row.keyed & Bit(column)) == 0 && column != DateColumn && column != SizeColumn) {
            row.folded[static_cast<size_t>(column)] =
                row.shown[static_cast<size_t>(column)].toCaseFolded();
            row.keyed |= Bit(column);
        }
    }
    const bool ascending = direction == Qt::AscendingOrder;
    std::stable_sort(sortable.begin(), sortable.end(), [&](int left, int right) {
        return ascending ? Less(left, right, column, true) : Less(right, left, column, false);
    });
    sortable.insert(sortable.end(), rest.begin(), rest.end());

    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const std::vector<int> was = std::exchange(order, std::move(sortable));
    for (size_t row = 0; row < order.size(); ++row)
        rowOf[static_cast<size_t>(order[row])] = static_cast<int>(row);
    // A persistent index (the selection, the current cell) follows its message to its new row.
    const QModelIndexList before = persistentIndexList();
    QModelIndexList after;
    after.reserve(before.size());
    for (const QModelIndex& old : before) {
        const int message = was[static_cast<size_t>(old.row())];
        after.append(index(rowOf[static_cast<size_t>(message)], old.column()));
    }
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}
