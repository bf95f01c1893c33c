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
#include <vector>

// The message table's rows: one stored row per message, its cells produced when the view asks.
// Messages are numbered from 1; model rows are the view's rows, in the chosen order. A row keeps
// the bytes of its cells, what they show (decoded the first time anything reads them, or from
// the header), a sort key per column and its marks; no cell holds a variant or an item of its own.
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
    void SetRowCount(int count);
    int MessageAt(int row) const; // row from 0 -> message from 1, 0 outside
    int RowOf(int message) const; // message from 1 -> row from 0, -1 outside

    // False for a cell never written since its row was made.
    bool Filled(int message, int column) const;
    const std::string& Bytes(int message, int column) const;
    const QString& Shown(int message, int column) const;
    QString ToolTip(int message, int column) const;
    void SetCell(int message, int column, const std::string& bytes);
    // Shows the fields the header has in place of what the stored bytes show.
    void ShowHeader(int message, const TShownHeader& header);

    bool Bold(int message) const;
    TRuleAction Rule(int message) const;
    void SetBold(const std::vector<bool>& fresh);
    // Ignored rows lose their bold; `grey` is the ignored rows' text colour.
    void SetRules(const std::vector<TRuleAction>& actions, const QColor& grey);

    // Puts the rows in the order of a column's keys (-1: message numbers), moving the view's
    // selection and current cell with them.
    void Sort(int column, Qt::SortOrder order);

private:
    struct TRow {
        std::array<std::string, Columns> bytes;
        // What each cell shows; a stale one is decoded from its bytes when first read.
        mutable std::array<QString, Columns> shown;
        mutable QString dateTip; // the Date as written
        QString fromTip;         // name and address; empty: as shown
        // Case-folded shown text, made for a column the first time the rows are sorted by it.
        mutable std::array<QString, Columns> folded;
        mutable int64_t moment = 0; // the date's key
        int64_t size = 0;           // the size's key
        mutable uint8_t stale = 0;  // per column: shown text not yet decoded from the bytes
        mutable uint8_t keyed = 0;  // per column: the key below is there
        mutable uint8_t numbered = 0;
        uint8_t filled = 0; // per column: written
        bool bold = false;
        TRuleAction rule = TRuleAction::None;
    };

    TRow& Row(int message);
    const TRow& Row(int message) const;
    void Decode(const TRow& row, int column) const;
    bool HasKey(const TRow& row, int column) const;
    bool Less(int left, int right, int column, bool ascending) const;
    void ChangedRows(int message);

    std::deque<TRow> rows;  // by message number - 1; grows without moving what it holds
    std::vector<int> order; // view row -> message number - 1
    std::vector<int> rowOf; // message number - 1 -> view row
    QStringList headings;
    QFont boldFont;
    QColor greyText;
};
