// The table shows each header as a reader sees it (names in any case, folded values, display
// names) while every cell keeps the bytes it was given, and it sorts by what it shows.
#include "widgets/message_grid.h"

#include "mime/mail_date.h"

#include <QAbstractItemModel>
#include <chrono>
#include <gtest/gtest.h>

namespace {

std::string Row(const std::vector<std::string>& cells) {
    std::string line = cells.front();
    for (size_t i = 1; i < cells.size(); ++i)
        line += TMessageGrid::Separator + cells[i];
    return line;
}

std::string Local(const char* date) {
    return LocalDateText(*ParseMailDate(date));
}

struct Case {
    const char* about;
    std::vector<std::string> header;
    int column;
    std::string shown;
    std::string tooltip; // empty: as shown
};

TEST(MessageGridTest, CellsShowWhatAReaderSeesAndKeepTheirBytes) {
    const std::string when = "Tue, 2 Jan 2024 10:00:00 +0000";
    const std::vector<Case> cases = {
        {"quoted and escaped name",
         {"From: \"Grace \\\"GR\\\" Example\" <grace@example.com>"},
         1,
         "Grace \"GR\" Example",
         "Grace \"GR\" Example <grace@example.com>"},
        {"name in lower case", {"from: Ann <ann@example.com>"}, 1, "Ann", "Ann <ann@example.com>"},
        {"bare address", {"From: bob@example.com"}, 1, "bob@example.com", ""},
        {"comment as the name",
         {"From: carl@example.com (Carl C)"},
         1,
         "Carl C",
         "Carl C <carl@example.com>"},
        {"encoded word",
         {"From: =?UTF-8?Q?J=C3=BCrgen?= <j@example.de>"},
         1,
         "J\xC3\xBCrgen",
         "J\xC3\xBCrgen <j@example.de>"},
        {"group",
         {"From: Team: dora@example.com, eve@example.com;"},
         1,
         "dora@example.com, eve@example.com",
         ""},
        {"subject in upper case, folded", {"SUBJECT: first", "\tsecond"}, 2, "first second", ""},
        {"folded date",
         {"Date: Tue, 2 Jan 2024", " 10:00:00 +0000"},
         0,
         Local(when.c_str()),
         "Tue, 2 Jan 2024 10:00:00 +0000"},
        {"Message-Id spelled so", {"Message-Id: <1@x>"}, 4, "<1@x>", ""},
        {"message-id folded", {"message-id:", " <2@x> (kept)"}, 4, "<2@x>", ""},
    };
    for (const Case& c : cases) {
        TMessageGrid grid;
        const std::vector<std::string> stored = {"", "", "raw subject", "2", ""};
        grid.ShowRows({Row(stored)}, {THeaderLines(c.header)});
        const QTableWidgetItem* cell = grid.item(0, c.column);
        ASSERT_NE(cell, nullptr) << c.about;
        EXPECT_EQ(cell->text().toStdString(), c.shown) << c.about;
        EXPECT_EQ(grid.ShownCell(c.column, 1), c.shown) << c.about;
        const std::string tooltip = c.tooltip.empty() ? c.shown : c.tooltip;
        EXPECT_EQ(cell->toolTip().toStdString(), tooltip) << c.about;
        for (int column = 0; column < TMessageGrid::Columns; ++column)
            EXPECT_EQ(grid.Cell(column, 1), stored[static_cast<size_t>(column)]) << c.about;
    }
}

TEST(MessageGridTest, SendersSortByTheShownName) {
    TMessageGrid grid;
    const std::vector<THeaderLines> headers = {{"From: zed@example.com"},
                                               {"From: \"Zoe\" <a@example.com>"},
                                               {"From: Bea <z@example.com>"}};
    grid.ShowRows(
        {Row({"", "1", "", "1", ""}), Row({"", "2", "", "1", ""}), Row({"", "3", "", "1", ""})},
        headers);
    grid.SetSort(1, Qt::AscendingOrder);
    EXPECT_EQ(grid.MessageAt(1), 3); // Bea
    EXPECT_EQ(grid.MessageAt(2), 1); // zed@example.com
    EXPECT_EQ(grid.MessageAt(3), 2); // Zoe
    grid.SetSort(1, Qt::DescendingOrder);
    EXPECT_EQ(grid.MessageAt(1), 2);
}

TEST(MessageGridTest, SelectionAndCurrentRowFollowTheirMessagesThroughEverySort) {
    TMessageGrid grid;
    grid.ShowRows({Row({"Tue, 2 Jan 2024 10:00:00 +0000", "b", "y", "30", "<1@x>"}),
                   Row({"Mon, 1 Jan 2024 10:00:00 +0000", "c", "x", "9", "<2@x>"}),
                   Row({"", "a", "z", "100", "<3@x>"})});
    grid.setCurrentCell(grid.RowOf(2) - 1, 1);
    grid.setRangeSelected({grid.RowOf(2) - 1, 0, grid.RowOf(3) - 1, TMessageGrid::Columns - 1},
                          true);
    for (int column = TMessageGrid::NoSort; column < TMessageGrid::Columns; ++column)
        for (const Qt::SortOrder order : {Qt::AscendingOrder, Qt::DescendingOrder}) {
            grid.SetSort(column, order);
            EXPECT_EQ(grid.CurrentMessage(), 2) << column << order;
            EXPECT_EQ(grid.SelectedMessages(), (std::vector<int>{2, 3})) << column << order;
            EXPECT_TRUE(grid.selectionModel()->isRowSelected(grid.RowOf(3) - 1, {}));
        }
}

TEST(MessageGridTest, AFillReachesTheViewInOneInsertionPerInterval) {
    struct Pace {
        std::chrono::milliseconds interval;
        int during; // insertions while 19 rows are added to the first
        int after;
    };
    for (const Pace c :
         {Pace{std::chrono::hours(1), 0, 1}, Pace{std::chrono::milliseconds(0), 19, 19}}) {
        SCOPED_TRACE(c.interval.count());
        TMessageGrid grid;
        int insertions = 0;
        QObject::connect(grid.model(), &QAbstractItemModel::rowsInserted, [&] { ++insertions; });
        {
            TMessageGrid::TFilling filling(grid, c.interval);
            for (int message = 1; message <= 20; ++message) {
                grid.SetRowCount(message + 1);
                grid.SetRow(message, Row({"", "", "raw", "1", ""}),
                            {"Subject: =?UTF-8?Q?n=C2=BA?= " + std::to_string(message)});
                filling.Changed();
                EXPECT_EQ(grid.RowCount(), message + 1);
                EXPECT_EQ(grid.Cell(2, message), "raw");
            }
            EXPECT_EQ(insertions, c.during);
        }
        EXPECT_EQ(insertions, c.after);
        EXPECT_EQ(grid.model()->rowCount(), 20);
        EXPECT_EQ(grid.item(19, 2)->text().toStdString(), "n\xC2\xBA 20");
        grid.SetCell(2, 20, "written"); // the cell's own bytes from now on
        EXPECT_EQ(grid.ShownCell(2, 20), "written");
    }
}

} // namespace
