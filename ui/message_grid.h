#pragma once
#include <QTableWidget>
#include <functional>
#include <string>
#include <utility>
#include <vector>

// The message table. Rows are counted as the system counts them: row 0 is the heading, message
// row r (r >= 1) is message number r; there is always at least one message row. Cells hold
// 8-bit text and give back exactly the bytes written.
class TMessageGrid : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int Columns = 5;
    static constexpr char Separator = '\x01'; // between the cells of a cached row line

    explicit TMessageGrid(QWidget* parent = nullptr);

    void SetHeadings();
    int RowCount() const { return rowCount() + 1; }
    void SetRowCount(int rows);
    std::string Cell(int column, int row) const;
    void SetCell(int column, int row, const std::string& text);
    bool RowEmpty(int row) const;
    // First and last selected row; both 1 when nothing is selected.
    std::pair<int, int> SelectedRange() const;

    // Back to the heading and one empty message row. Safe from any thread.
    void ClearTable();
    // One row per cached line (cells joined by Separator), never fewer than one.
    void ShowRows(const std::vector<std::string>& rows);

    // Handlers, skipped when empty; each runs through the failure guard.
    std::function<void()> OnDblClick;
    std::function<void(int key, Qt::KeyboardModifiers shift)> OnKeyDown;
    std::function<void(int column, int row)> OnSelectCell;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ClearOnThisThread();
};
