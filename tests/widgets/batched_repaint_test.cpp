// A table filled row by row paints once per interval, and what changed last is painted at the end.
#include "widgets/batched_repaint.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
};

} // namespace

TEST(BatchedRepaint, PaintsOncePerIntervalAndOnceAtTheEnd) {
    struct Case {
        std::chrono::milliseconds interval;
        int duringFill; // paints while 20 rows arrive
    };
    for (const Case c : {Case{std::chrono::hours(1), 0}, Case{std::chrono::milliseconds(0), 20}}) {
        SCOPED_TRACE(c.interval.count());
        QTableWidget table(0, 1);
        table.resize(300, 400);
        table.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
        QCoreApplication::processEvents();
        PaintCounter counter;
        table.viewport()->installEventFilter(&counter);
        {
            TBatchedRepaint batches(table, c.interval);
            for (int row = 0; row < 20; ++row) {
                table.setRowCount(row + 1);
                table.setItem(row, 0, new QTableWidgetItem(QString::number(row)));
                batches.Changed();
                QCoreApplication::processEvents(); // what the waits of a check do
            }
            EXPECT_EQ(counter.paints, c.duringFill);
        }
        EXPECT_TRUE(table.updatesEnabled());
        QTest::qWait(20);
        EXPECT_EQ(counter.paints, c.duringFill + (c.duringFill == 0 ? 1 : 0));
    }
}
