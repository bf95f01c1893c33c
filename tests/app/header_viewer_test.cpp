#include "mail_fixture.h"

#include <QCheckBox>
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
    // Centred over the main window.
    const QPoint offset = Viewer().frameGeometry().center() - Form().frameGeometry().center();
    EXPECT_LE(offset.manhattanLength(), 2);
    EXPECT_EQ(ShownSubject(), "Subject: Message 2");
    // Shown without the terminator; the Raw switch shows the kept lines exactly.
    EXPECT_EQ(Viewer().Lines().back(), "Message-ID: <2@example.com>");
    Viewer().findChild<QCheckBox*>("raw")->click();
    const std::vector<std::string> lines = Viewer().Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2], "");
    EXPECT_EQ(lines.back(), ".");
    Viewer().SetRaw(false);

    QTest::mouseClick(Form().Grid().viewport(), Qt::LeftButton, {},
                      Form().Grid().visualRect(Form().Grid().model()->index(2, 0)).center());
    EXPECT_EQ(ShownSubject(), "Subject: Message 3");

    // Open already: the Headers button only brings it forward, the text stays.
    Select(1, 1);
    Viewer().ShowLines({"kept"});
    Find<QToolButton>("HeadBtn")->click();
    EXPECT_EQ(Viewer().Lines(), std::vector<std::string>{"kept"});
}

TEST_F(HeaderViewerTest, TheHeadersButtonOnAnUncheckedAccountOpensNothing) {
    StartWith("127.0.0.1:1", "bob", "pw");
    Find<QToolButton>("HeadBtn")->click();
    EXPECT_FALSE(Viewer().isVisible());
}

} // namespace
