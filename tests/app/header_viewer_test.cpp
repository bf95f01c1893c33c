#include "mail_fixture.h"

#include <QCheckBox>
#include <QScreen>
#include <QScrollBar>
#include <QTextEdit>

using test_support::FakePop3Server;

namespace {

class HeaderViewerTest : public MailTest {
protected:
    void DoubleClickRow(int row) {
        TMessageGrid& grid = Form().Grid();
        const QRect cell = grid.visualRect(grid.model()->index(row - 1, 0));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
    }
    std::string ShownSubject() {
        for (const std::string& line : Viewer().Lines())
            if (line.rfind("Subject:", 0) == 0) return line;
        return {};
    }
};

TEST_F(HeaderViewerTest, ItIsAReadOnlyUnwrappedWindowThatOnlyHidesWhenClosed) {
    FakePop3Server server({}, "bob", "pw");
    StartWith(server);
    auto* rich = Viewer().findChild<QTextEdit*>("rich");
    EXPECT_EQ(Viewer().windowTitle(), "Headers");
    EXPECT_EQ(Viewer().size(), QSize(474, 285));
    EXPECT_TRUE(rich->isReadOnly());
    EXPECT_EQ(rich->lineWrapMode(), QTextEdit::NoWrap);
    EXPECT_EQ(rich->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(rich->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    Viewer().show();
    EXPECT_TRUE(Viewer().close());
    EXPECT_TRUE(Viewer().isHidden());
    EXPECT_NE(Form().findChild<THeaders*>("Headers"), nullptr); // not destroyed
}

TEST_F(HeaderViewerTest, ADoubleClickOpensItAndItFollowsTheSelection) {
    FakePop3Server server({Numbered(1), Numbered(2), Numbered(3)}, "bob", "pw");
    StartWith(server);
    Form().show();
    ASSERT_TRUE(CheckToEnd());
    DoubleClickRow(2);
    ASSERT_TRUE(Viewer().isVisible());
    // Beside the main window, or at the screen's edge where there is no room beside it.
    const QRect viewer = Viewer().frameGeometry();
    const QRect form = Form().frameGeometry();
    EXPECT_TRUE(viewer.left() > form.right() || viewer.right() < form.left() ||
                viewer.right() == Viewer().screen()->availableGeometry().right());
    EXPECT_EQ(Viewer().windowTitle(), "Headers - sender2@example.com: Message 2");
    // From, To, Subject and Date first, without the reply's terminator; Raw shows the kept
    // lines exactly, in their order.
    EXPECT_EQ(Viewer().Lines(),
              (std::vector<std::string>{"From: sender2@example.com", "Subject: Message 2",
                                        "Date: Mon, 2 Jan 2024 10:00:00 +0000",
                                        "Message-ID: <2@example.com>"}));
    Viewer().findChild<QCheckBox*>("raw")->click();
    EXPECT_EQ(Viewer().Lines().front(), "Date: Mon, 2 Jan 2024 10:00:00 +0000");
    EXPECT_EQ(Viewer().Lines().back(), "Message-ID: <2@example.com>");
    Viewer().SetRaw(false);

    QTest::mouseClick(Form().Grid().viewport(), Qt::LeftButton, {},
                      Form().Grid().visualRect(Form().Grid().model()->index(2, 0)).center());
    EXPECT_EQ(ShownSubject(), "Subject: Message 3");

    // Open already: the Headers button only brings it forward, the text stays.
    Select(1, 1);
    Viewer().ShowLines({"X-Kept: 1"});
    Find<QToolButton>("HeadBtn")->click();
    EXPECT_EQ(Viewer().Lines(), std::vector<std::string>{"X-Kept: 1"});
}

TEST_F(HeaderViewerTest, TheHeadersButtonOnAnUncheckedAccountOpensNothing) {
    StartWith("127.0.0.1:1", "bob", "pw");
    Find<QToolButton>("HeadBtn")->click();
    EXPECT_FALSE(Viewer().isVisible());
}

} // namespace
