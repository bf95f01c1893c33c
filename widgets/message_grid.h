#pragma once
#include "pop3/header_lines.h"
#include "rules/mail_rules.h"
#include "widgets/batched_repaint.h"

#include <QTableView>
#include <QTableWidgetSelectionRange>
#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class QTableWidgetItem;
class TMessageRows;

// The message table. Its interface counts in message numbers, as the system does: message r
// (r >= 1) is message number r of the last check, whichever view row shows it, and row 0 is
// the heading; there is always at least one message row. Each cell keeps exactly the bytes
// written to it and shows them decoded (local dates, encoded words, no line ends). A click on
// a heading sorts the view; the message numbers stay with their rows. The rows live in a model
// that makes each cell when the view asks for it; every row has the same height.
class TMessageGrid : public QTableView {
    Q_OBJECT
public:
    static constexpr int Columns = 5;
    static constexpr char Separator = '\x01'; // between the cells of a cached row line
    static constexpr int NoSort = -1;

    explicit TMessageGrid(QWidget* parent = nullptr);
    ~TMessageGrid() override;

    void SetHeadings();
    // The least width that shows a column's heading and, for dates and sizes, a value in a
    // bold (new) row.
    int LeastWidth(int column) const;
    int RowCount() const;
    void SetRowCount(int rows);
    std::string Cell(int column, int message) const;
    void SetCell(int column, int message, const std::string& text);
    // What the cell shows, as UTF-8.
    std::string ShownCell(int column, int message) const;
    // Shows the sender and the subject from the message's header lines, unfolded; the cells
    // keep their bytes.
    void ShowHeader(int message, const std::vector<std::string>& header);
    // A message's cells from its cached line (cells joined by Separator), shown with its header.
    void SetRow(int message, const std::string& line, const THeaderLines& header);
    bool RowEmpty(int message) const;
    // The message shown in view row `row` (from 1); the view row that shows a message.
    int MessageAt(int row) const;
    int RowOf(int message) const;
    // The selected messages in ascending number; the current one when nothing is selected.
    std::vector<int> SelectedMessages() const;
    int CurrentMessage() const;

    // Back to the heading and one empty message row, rows in message order. User-interface
    // thread only: the check's worker has the table cleared through a posted message.
    void ClearTable();
    // One row per cached line (cells joined by Separator), never fewer than one, shown with
    // the matching header lines when there are as many; then sorted as chosen.
    void ShowRows(const std::vector<std::string>& rows,
                  const std::vector<THeaderLines>& headers = {});

    // Shows new messages in bold: flags by message number (from 1), the others plain.
    void MarkNew(const std::vector<bool>& fresh);
    bool IsMarkedNew(int message) const;
    // Shows what the rules made of each message (by number, from 1): marked for deletion and
    // highlighted rows on a colour of their own, ignored ones greyed and never bold; each says
    // so to a screen reader and in its tooltip.
    void MarkRules(const std::vector<TRuleAction>& actions);
    TRuleAction RuleMark(int message) const;

    // The chosen order: a column (NoSort for message order) and a direction.
    int SortColumn() const { return sortColumn; }
    Qt::SortOrder SortOrder() const { return sortOrder; }
    void SetSort(int column, Qt::SortOrder order);
    // Puts the rows in the chosen order (after a filling added them in message order).
    void Sort();

    // While a check fills the table row by row: rows reach the view and the screen together,
    // at most once per interval, so that a long fill costs one insertion and one paint per
    // interval rather than per row; all of them when the scope ends.
    class TFilling {
    public:
        explicit TFilling(TMessageGrid& grid,
                          std::chrono::milliseconds interval = std::chrono::milliseconds(50));
        ~TFilling();
        TFilling(const TFilling&) = delete;
        TFilling& operator=(const TFilling&) = delete;
        // A row was added or changed.
        void Changed();

    private:
        TMessageGrid& grid;
        TBatchedRepaint batches; // after grid: its last paint comes after the last rows
    };

    // The calls of a table of items, in view rows and columns from 0.
    int columnCount() const { return Columns; }
    int currentRow() const { return currentIndex().row(); }
    void setCurrentCell(int row, int column);
    void setRangeSelected(const QTableWidgetSelectionRange& range, bool select);
    QList<QTableWidgetSelectionRange> selectedRanges() const;
    // A copy of what a cell shows (text, tooltip, font, colours, accessible description), made
    // when asked and kept until the next call for the same cell; null for a cell never written.
    const QTableWidgetItem* item(int row, int column) const;
    const QTableWidgetItem* horizontalHeaderItem(int column) const;

    // Handlers, skipped when empty; each runs through the failure guard. OnSelectCell gets
    // the message number of the row.
    std::function<void()> OnDblClick;
    std::function<void(int key, Qt::KeyboardModifiers shift)> OnKeyDown;
    std::function<void(int column, int message)> OnSelectCell;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void HeadingClicked(int column);

    TMessageRows* rows;
    int sortColumn = NoSort;
    Qt::SortOrder sortOrder = Qt::AscendingOrder;
    mutable std::map<std::pair<int, int>, std::unique_ptr<QTableWidgetItem>> copies;
};
