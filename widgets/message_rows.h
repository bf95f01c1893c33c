#pragma once
#include "mime/shown_header.h"
#include "rules/mail_rules.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QStringList>
#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

// The message table's rows: one stored row per message, its cells produced when the view asks.
// Messages are numbered from 1; model rows are the view's rows, in the chosen order. A row keeps
// the bytes of its cells and the header values it shows in their place in one string, its
// marks and its sort keys; what a cell shows is decoded when the view paints it, and a text
// column's sort key is made the first time the rows are sorted by it. No cell holds a variant,
// an item or a decoded text of its own.
class TMessageRows : public QAbstractTableModel {
public:
    static constexpr int Columns = 5;
    static constexpr int RuleRole = Qt::UserRole; // what the rules made of the message

    explicit TMessageRows(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void SetHeadings(const QStringList& labels);
    // Rows added at the end are the next messages; fewer rows leave empty rows in message order.
    // While rows are held back (HoldBack(true), undone by HoldBack(false)), added rows reach the
    // view only by Publish.
    void SetRowCount(int count);
    int Count() const { return static_cast<int>(order.size()); }
    void HoldBack(bool hold);
    void Publish();
    int MessageAt(int row) const; // row from 0 -> message from 1, 0 outside
    int RowOf(int message) const; // message from 1 -> row from 0, -1 outside

    // False for a cell never written since its row was made.
    bool Filled(int message, int column) const;
    std::string_view Bytes(int message, int column) const;
    QString Shown(int message, int column) const;
    QString ToolTip(int message, int column) const;
    void SetCell(int message, int column, std::string_view bytes);
    // All cells at once from a cached line (cells joined by `separator`; the last takes the
    // rest), shown with the fields its header has (none: no header).
    void SetRow(int message, std::string_view line, char separator,
                const THeaderValues* header = nullptr);
    // Shows the fields the header has in place of what the stored bytes show.
    void ShowHeader(int message, const THeaderValues& header);

    bool Bold(int message) const;
    TRuleAction Rule(int message) const;
    void SetBold(const std::vector<bool>& fresh);
    // Ignored rows lose their bold; `grey` is the ignored rows' text colour.
    void SetRules(const std::vector<TRuleAction>& actions, const QColor& grey);

    // Puts the rows in the order of a column's keys (-1: message numbers), moving the view's
    // selection and current cell with them.
    void Sort(int column, Qt::SortOrder order);

private:
    // Pieces of a row's text: the cells, then a header value per column.
    static constexpr int Pieces = 2 * Columns;
    // Where a column's header value is: none (the cell shows its bytes), in the row's text, or
    // the cell's bytes themselves, with or without the blank that follows a field's colon.
    enum class THeaderValue : uint8_t { None, Kept, Cell, BlankCell };

    struct TRow {
        std::string text;                   // the cells joined by a separator, then header values
        std::array<uint32_t, Pieces> end{}; // where each piece of text ends
        std::array<THeaderValue, Columns> header{};
        int64_t moment = 0;   // the date's key, once keyed
        int64_t size = 0;     // the size's key
        uint8_t filled = 0;   // per column: written
        uint8_t keyed = 0;    // per column: the sort key is there
        uint8_t numbered = 0; // per column: the date or size is a number
        bool bold = false;
        TRuleAction rule = TRuleAction::None;
    };
    struct TShownCell {
        QString text;
        QString tip; // the date as written; for a sender, name and address (empty: the text)
    };

    static TRow EmptyRow();
    TRow& Row(int message);
    const TRow& Row(int message) const;
    static std::string_view Piece(const TRow& row, int piece);
    static std::string HeaderValue(const TRow& row, int column);
    void Replace(TRow& row, int piece, std::string_view bytes);
    TShownCell Decode(const TRow& row, int column) const;
    void Key(size_t at, int column);
    bool HasKey(const TRow& row, size_t at, int column) const;
    bool Less(int left, int right, int column, bool ascending) const;
    void ChangedRows(int message);
    void Changed(int message, int column);

    std::deque<TRow> rows;  // by message number - 1; grows without moving what it holds
    std::vector<int> order; // view row -> message number - 1
    std::vector<int> rowOf; // message number - 1 -> view row
    int published = 0;      // rows the view knows of
    int holding = 0;        // scopes that hold added rows back
    // Case-folded shown text of a text column by message, made when first sorted by it.
    std::array<std::vector<QString>, Columns> folded;
    QStringList headings;
    QFont boldFont;
    QColor greyText;
};
