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

QString LocalDate(int64_t moment) {
    return QString::fromStdString(LocalDateText(moment));
}

// The cells' separator in a fresh row: every cell empty.
constexpr std::string_view EmptyCells = "\x01\x01\x01\x01";
} // namespace

TMessageRows::TMessageRows(QObject* parent) : QAbstractTableModel(parent) {
    boldFont.setBold(true);
}

int TMessageRows::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : published;
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

TMessageRows::TRow TMessageRows::EmptyRow() {
    TRow empty;
    empty.text = EmptyCells;
    for (int piece = 0; piece < Pieces; ++piece)
        empty.end[static_cast<size_t>(piece)] = static_cast<uint32_t>(std::min(piece, Columns - 1));
    return empty;
}

void TMessageRows::SetRowCount(int count) {
    const int now = Count();
    if (count > now) {
        rows.resize(static_cast<size_t>(count), EmptyRow());
        for (int message = now; message < count; ++message) {
            order.push_back(message);
            rowOf.push_back(message);
        }
        if (holding == 0) Publish();
    } else if (count < now) {
        const bool removed = published > count;
        if (removed) beginRemoveRows({}, count, published - 1);
        rows.assign(static_cast<size_t>(count), EmptyRow());
        order.resize(static_cast<size_t>(count));
        std::iota(order.begin(), order.end(), 0);
        rowOf = order;
        for (std::vector<QString>& keys : folded)
            keys.clear();
        if (removed) {
            published = count;
            endRemoveRows();
        }
        if (published > 0) emit dataChanged(index(0, 0), index(published - 1, Columns - 1));
        if (holding == 0) Publish();
    }
}

void TMessageRows::HoldBack(bool hold) {
    holding += hold ? 1 : -1;
    if (holding == 0) Publish();
}

// The rows added since the view last heard, in one insertion: they are the last rows.
void TMessageRows::Publish() {
    const int count = Count();
    if (published >= count) return;
    beginInsertRows({}, published, count - 1);
    published = count;
    endInsertRows();
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

// Cells are separated by one byte; header values follow the last cell with none between them.
std::string_view TMessageRows::Piece(const TRow& row, int piece) {
    const auto at = static_cast<size_t>(piece);
    const size_t start = piece == 0 ? 0 : row.end[at - 1] + (piece < Columns ? 1 : 0);
    return std::string_view(row.text).substr(start, row.end[at] - start);
}

void TMessageRows::Replace(TRow& row, int piece, std::string_view bytes) {
    const std::string_view was = Piece(row, piece);
    const auto start = static_cast<size_t>(was.data() - row.text.data());
    row.text.replace(start, was.size(), bytes);
    const auto grown = static_cast<uint32_t>(bytes.size() - was.size()); // modulo: may shrink
    for (int later = piece; later < Pieces; ++later)
        row.end[static_cast<size_t>(later)] += grown;
}

std::string TMessageRows::HeaderValue(const TRow& row, int column) {
    switch (row.header[static_cast<size_t>(column)]) {
    case THeaderValue::Kept:
        return std::string(Piece(row, Columns + column));
    case THeaderValue::Cell:
        return std::string(Piece(row, column));
    case THeaderValue::BlankCell:
        return ' ' + std::string(Piece(row, column));
    default:
        return {};
    }
}

bool TMessageRows::Filled(int message, int column) const {
    return RowOf(message) >= 0 && column >= 0 && column < Columns &&
           (Row(message).filled & Bit(column)) != 0;
}

std::string_view TMessageRows::Bytes(int message, int column) const {
    return Filled(message, column) ? Piece(Row(message), column) : std::string_view();
}

// What a cell shows and its tooltip: from the header's value where the header has the field,
// else from the cell's bytes.
TMessageRows::TShownCell TMessageRows::Decode(const TRow& row, int column) const {
    const std::string_view bytes = Piece(row, column);
    const bool headed = row.header[static_cast<size_t>(column)] != THeaderValue::None;
    const std::string value = headed ? HeaderValue(row, column) : std::string();
    switch (column) {
    case DateColumn: {
        if (const std::optional<int64_t> moment = headed ? ParseMailDate(value) : std::nullopt)
            return {LocalDate(*moment), ::Shown(ShownDateText(value))};
        const std::optional<int64_t> moment = ParseMailDate(bytes);
        return {moment ? LocalDate(*moment) : QString(), ::Shown(EightBitToUtf8(bytes))};
    }
    case FromColumn:
        if (headed) {
            const TSenderText sender = ShownSender(value);
            if (!sender.Shown.empty()) {
                const QString text = ::Shown(sender.Shown);
                const QString tip = ::Shown(sender.Tooltip);
                return {text, tip.isEmpty() ? text : tip};
            }
        }
        break;
    case SubjectColumn:
        if (headed)
            if (const std::string subject = ShownSubject(value); !subject.empty())
                return {::Shown(subject), {}};
        break;
    case SizeColumn:
        return {::Shown(std::string(bytes)), {}};
    case IdColumn:
        if (headed)
            if (const std::string id = ShownMessageId(value); !id.empty()) return {::Shown(id), {}};
        return {::Shown(EightBitToUtf8(WithoutLineEnd(std::string(bytes)))), {}};
    default:
        break;
    }
    return {::Shown(DecodeHeaderText(bytes)), {}};
}

QString TMessageRows::Shown(int message, int column) const {
    if (!Filled(message, column)) return {};
    return Decode(Row(message), column).text;
}

QString TMessageRows::ToolTip(int message, int column) const {
    if (!Filled(message, column)) return {};
    const TRow& row = Row(message);
    QString tip;
    if (column != SizeColumn) {
        TShownCell cell = Decode(row, column);
        tip = column == DateColumn || !cell.tip.isEmpty() ? std::move(cell.tip)
                                                          : std::move(cell.text);
    }
    if (row.rule != TRuleAction::None)
        tip += "\n[" + QCoreApplication::translate("TMessageGrid", RuleWords(row.rule)) + "]";
    return tip;
}

// Writing a cell costs no decoding: what it shows is made when it is shown. The cell shows its
// bytes from then on, whatever header it showed before.
void TMessageRows::SetCell(int message, int column, std::string_view bytes) {
    if (RowOf(message) < 0 || column < 0 || column >= Columns) return;
    TRow& row = Row(message);
    const uint8_t bit = Bit(column);
    Replace(row, column, bytes);
    Replace(row, Columns + column, {});
    row.header[static_cast<size_t>(column)] = THeaderValue::None;
    row.filled |= bit;
    row.keyed &= static_cast<uint8_t>(~bit);
    if (column == SizeColumn) {
        const std::optional<int> size = TryStrToInt(std::string(bytes));
        row.size = size.value_or(0);
        row.numbered = size ? row.numbered | bit : row.numbered & ~bit;
    }
    Changed(message, column);
}

void TMessageRows::SetRow(int message, std::string_view line, char separator,
                          const THeaderValues* header) {
    if (RowOf(message) < 0) return;
    TRow& row = Row(message);
    row.text.clear();
    row.text.reserve(line.size() + EmptyCells.size());
    row.text.append(line);
    size_t from = 0;
    for (int column = 0; column < Columns - 1; ++column) {
        size_t at = row.text.find(separator, from);
        if (at == std::string::npos) {
            at = row.text.size();
            row.text.push_back(separator);
        }
        row.text[at] = EmptyCells[0];
        row.end[static_cast<size_t>(column)] = static_cast<uint32_t>(at);
        from = at + 1;
    }
    for (int piece = Columns - 1; piece < Pieces; ++piece)
        row.end[static_cast<size_t>(piece)] = static_cast<uint32_t>(row.text.size());
    row.header.fill(THeaderValue::None);
    row.filled = Bit(Columns) - 1;
    row.keyed = 0;
    const std::optional<int> size = TryStrToInt(std::string(Piece(row, SizeColumn)));
    row.size = size.value_or(0);
    row.numbered = size ? Bit(SizeColumn) : 0;
    if (header)
        ShowHeader(message, *header);
    else
        ChangedRows(message);
}

void TMessageRows::ShowHeader(int message, const THeaderValues& values) {
    if (RowOf(message) < 0) return;
    TRow& row = Row(message);
    auto show = [&](int column, const std::string& value) {
        // A field the header lacks leaves what the stored bytes show.
        if ((row.filled & Bit(column)) == 0 || value.empty()) return;
        const std::string_view cell = Piece(row, column);
        THeaderValue& kept = row.header[static_cast<size_t>(column)];
        Replace(row, Columns + column, {});
        if (value == cell) {
            kept = THeaderValue::Cell;
        } else if (value[0] == ' ' && std::string_view(value).substr(1) == cell) {
            kept = THeaderValue::BlankCell;
        } else {
            kept = THeaderValue::Kept;
            Replace(row, Columns + column, value);
        }
        row.keyed &= static_cast<uint8_t>(~Bit(column));
    };
    show(DateColumn, values.Date);
    show(FromColumn, values.From);
    show(SubjectColumn, values.Subject);
    show(IdColumn, values.MessageId);
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
    if (published > 0)
        emit dataChanged(index(0, 0), index(published - 1, Columns - 1), {Qt::FontRole});
}

void TMessageRows::SetRules(const std::vector<TRuleAction>& actions, const QColor& grey) {
    greyText = grey;
    for (size_t at = 0; at < rows.size(); ++at) {
        rows[at].rule = at < actions.size() ? actions[at] : TRuleAction::None;
        if (rows[at].rule == TRuleAction::Ignore) rows[at].bold = false;
    }
    if (published > 0) emit dataChanged(index(0, 0), index(published - 1, Columns - 1));
}

// A row the view does not know of yet comes to it with its cells as they are then.
void TMessageRows::ChangedRows(int message) {
    const int row = RowOf(message);
    if (row < published) emit dataChanged(index(row, 0), index(row, Columns - 1));
}

void TMessageRows::Changed(int message, int column) {
    const int row = RowOf(message);
    if (row < published) emit dataChanged(index(row, column), index(row, column));
}

// The key of a row (by message number - 1) for a column: the date's moment, or the shown text
// case-folded.
void TMessageRows::Key(size_t at, int column) {
    TRow& row = rows[at];
    const uint8_t bit = Bit(column);
    if ((row.keyed & bit) != 0 || column == SizeColumn) return;
    row.keyed |= bit;
    if (column == DateColumn) {
        const std::string value = HeaderValue(row, DateColumn);
        std::optional<int64_t> moment = value.empty() ? std::nullopt : ParseMailDate(value);
        if (!moment) moment = ParseMailDate(Piece(row, DateColumn));
        row.moment = moment.value_or(0);
        row.numbered = moment ? row.numbered | bit : row.numbered & ~bit;
        return;
    }
    std::vector<QString>& keys = folded[static_cast<size_t>(column)];
    if (keys.size() < rows.size()) keys.resize(rows.size());
    keys[at] = Decode(row, column).text.toCaseFolded();
}

bool TMessageRows::HasKey(const TRow& row, size_t at, int column) const {
    if (column == DateColumn || column == SizeColumn) return (row.numbered & Bit(column)) != 0;
    return !folded[static_cast<size_t>(column)][at].isEmpty();
}

// Without a key (no date, say) a row goes last in either direction; descending asks the
// opposite question, so the answer turns with the order. Equal keys keep message order.
bool TMessageRows::Less(int left, int right, int column, bool ascending) const {
    if (column < 0) return left < right;
    const auto l = static_cast<size_t>(left);
    const auto r = static_cast<size_t>(right);
    const TRow& a = rows[l];
    const TRow& b = rows[r];
    const bool has = HasKey(a, l, column);
    if (has != HasKey(b, r, column)) return ascending ? has : !has;
    if (has) {
        if (column == DateColumn || column == SizeColumn) {
            const int64_t x = column == DateColumn ? a.moment : a.size;
            const int64_t y = column == DateColumn ? b.moment : b.size;
            if (x != y) return x < y;
        } else if (const int compared = folded[static_cast<size_t>(column)][l].compare(
                       folded[static_cast<size_t>(column)][r]);
                   compared != 0) {
            return compared < 0;
        }
    }
    return left < right;
}

void TMessageRows::Sort(int column, Qt::SortOrder direction) {
    Publish();
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
        if (column >= 0) Key(static_cast<size_t>(at), column);
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
