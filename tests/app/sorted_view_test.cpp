// The table shows decoded cells while the account keeps the bytes, sorts by its headings, and
// every operation on a sorted view acts on the messages the user selected.
#include "mail_fixture.h"

#include "mime/mail_date.h"

#include <QHeaderView>

using test_support::FakeMessage;
using test_support::FakePop3Server;

namespace {

std::vector<FakeMessage> Varied() {
    return {
        SizedMessage("Date: Wed, 3 Jan 2024 10:00:00 +0000\nFrom: =?UTF-8?Q?J=C3=BCrgen?= "
                     "<j@example.de>\nSubject: =?UTF-8?B?R3LDvMOfZQ==?=\nMessage-ID: <1@x>",
                     5000),
        SizedMessage("From: Ren\xe9 <r@example.fr>\nSubject: Folded\n\tsecond line\n"
                     "Message-ID: <2@x>",
                     300),
        SizedMessage("Date: Mon, 1 Jan 2024 10:00:00 +0000\nFrom: c@example.com\n"
                     "Subject: Caf\xc3\xa9\nMessage-ID: <3@x>",
                     20000),
        SizedMessage("Date: Tue, 2 Jan 2024 10:00:00 +0000\nFrom: d@example.com\n"
                     "Subject: plain\nMessage-ID: <4@x>",
                     100),
    };
}

class SortedViewTest : public MailTest {
protected:
    SortedViewTest() : server(Varied(), "bob", "pw") {}
    void SetUp() override {
        MailTest::SetUp();
        StartWith(server);
        Form().show();
        ASSERT_TRUE(CheckToEnd());
        ASSERT_TRUE(server.WaitConnections(1));
    }
    const QTableWidgetItem& Shown(int column, int message) {
        return *Form().Grid().item(Form().Grid().RowOf(message) - 1, column);
    }
    void ClickHeading(int column) {
        QHeaderView* heading = Form().Grid().horizontalHeader();
        const QPoint at(heading->sectionViewportPosition(column) + 5, heading->height() / 2);
        QTest::mouseClick(heading->viewport(), Qt::LeftButton, {}, at);
    }
    // The message numbers in the order the view shows them.
    std::vector<int> ViewOrder() {
        std::vector<int> order;
        for (int row = 1; row < Form().Grid().RowCount(); ++row)
            order.push_back(Form().Grid().MessageAt(row));
        return order;
    }
    void SelectView(int first, int last) { Select(first, last); } // view rows
    void Delete() { Find<QToolButton>("del_mail")->click(); }

    FakePop3Server server;
};

TEST_F(SortedViewTest, CellsAreShownDecodedWhileTheAccountKeepsTheBytes) {
    EXPECT_EQ(Shown(2, 1).text(), "Grüße");
    EXPECT_EQ(Shown(1, 1).text(), "Jürgen");
    EXPECT_EQ(Shown(1, 1).toolTip(), "Jürgen <j@example.de>");
    EXPECT_EQ(Shown(1, 2).text(), "René");
    EXPECT_EQ(Shown(2, 2).text(), "Folded second line");
    EXPECT_EQ(Shown(2, 3).text(), "Café");
    EXPECT_EQ(Shown(4, 1).text(), "<1@x>");
    const std::string date = " Wed, 3 Jan 2024 10:00:00 +0000";
    EXPECT_EQ(Shown(0, 1).text().toStdString(), LocalDateText(*ParseMailDate(date)));
    EXPECT_EQ(Shown(0, 1).toolTip().toStdString(), date.substr(1));
    EXPECT_EQ(Shown(0, 2).text(), "");

    EXPECT_EQ(Form().Grid().Cell(2, 1), " =?UTF-8?B?R3LDvMOfZQ==?=");
    EXPECT_EQ(Form().Grid().Cell(4, 1), "<1@x>\r\n");
    EXPECT_EQ(Account().Rows[1], "\x01 Ren\xe9 <r@example.fr>\x01 Folded\x01"
                                 "1\x01<2@x>\r\n");
    // Shown again from the cache, the same.
    Form().ShowAccountRows(0);
    EXPECT_EQ(Shown(2, 2).text(), "Folded second line");
}

TEST_F(SortedViewTest, HeadingsSortNumericallyAndByDateWithUndatedLastAndAreRemembered) {
    ClickHeading(3);
    EXPECT_EQ(ViewOrder(), (std::vector<int>{2, 4, 1, 3})); // 1, 1, 5 and 20 KB
    ClickHeading(3);
    EXPECT_EQ(ViewOrder(), (std::vector<int>{3, 1, 4, 2}));
    ClickHeading(3);
    EXPECT_EQ(ViewOrder(), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(Form().Grid().horizontalHeader()->sortIndicatorSection(), TMessageGrid::NoSort);
    ClickHeading(0);
    EXPECT_EQ(ViewOrder(), (std::vector<int>{3, 4, 1, 2}));
    ClickHeading(0);
    EXPECT_EQ(ViewOrder(), (std::vector<int>{1, 4, 3, 2})); // the undated one stays last
    ClickHeading(2);
    EXPECT_EQ(ViewOrder(), (std::vector<int>{3, 2, 1, 4})); // Café, Folded, Grüße, plain
    Form().ShowAccountRows(0); // shown again from the cache, in the same order
    EXPECT_EQ(ViewOrder(), (std::vector<int>{3, 2, 1, 4}));
    EXPECT_EQ(Form().Grid().horizontalHeader()->sortIndicatorSection(), 2);

    Form().close();
    EXPECT_NE(ReadFile("tarsel.ini").find("sort=3,0"), std::string::npos);
    program.reset();
    Start();
    EXPECT_EQ(Form().Grid().SortColumn(), 2);
    EXPECT_EQ(Form().Grid().horizontalHeader()->sortIndicatorSection(), 2);
}

TEST_F(SortedViewTest, TheViewerAndASingleDeletionActOnTheSelectedMessage) {
    ClickHeading(0); // by date: 3, 4, 1, 2
    SelectView(1, 1);
    Form().gridDblClick();
    EXPECT_EQ(Viewer().Lines()[1], "Subject: Café");
    SelectView(4, 4);
    EXPECT_EQ(Viewer().Lines()[1], "Subject: Folded second line");

    SelectView(1, 1);
    messages.answers = {TMsgResult::Yes};
    Delete();
    ASSERT_TRUE(server.WaitConnections(2));
    EXPECT_EQ(server.Commands(1),
              (std::vector<std::string>{"USER bob", "PASS pw", "STAT", "TOP 3 0", "LIST 3",
                                        "UIDL 3", "DELE 3", "QUIT"}));
    EXPECT_EQ(ViewOrder(), (std::vector<int>{3, 1, 2})); // still by date; old 4 is now 3
    EXPECT_EQ(Shown(2, 3).text(), "plain");
}

TEST_F(SortedViewTest, ASelectionApartInMessageOrderIsDeletedMessageByMessageEachChecked) {
    ClickHeading(0);  // by date: 3, 4, 1, 2
    SelectView(2, 3); // messages 4 and 1
    messages.answers = {TMsgResult::Yes};
    Delete();
    ASSERT_EQ(messages.requests.size(), 2u);
    EXPECT_EQ(messages.requests[0].Kind, TMsgKind::Warning);
    EXPECT_EQ(messages.requests[1].Text, "Deleted 2 of the 2 emails you selected.");
    ASSERT_TRUE(server.WaitConnections(2));
    EXPECT_EQ(server.Commands(1), (std::vector<std::string>{
                                      "USER bob", "PASS pw", "STAT", "TOP 1 0", "LIST 1", "UIDL 1",
                                      "DELE 1", "TOP 4 0", "LIST 4", "UIDL 4", "DELE 4", "QUIT"}));
    EXPECT_EQ(Subjects(), (std::vector<std::string>{" Folded", " Caf\xc3\xa9"}));
}

TEST_F(SortedViewTest, AMovedMessageInASpreadSelectionIsKeptAndTheOthersGo) {
    ClickHeading(0);
    server.SetReply("TOP 4 0", "+OK\r\nMessage-ID: <other@x>\r\n\r\n.\r\n");
    SelectView(2, 3); // messages 4 and 1
    messages.answers = {TMsgResult::Yes};
    Delete();
    EXPECT_EQ(messages.Texts().back(),
              "Deleted 1 of the 2 emails you selected.\n\r1 had moved in the queue and was not "
              "deleted.\n\rPlease re-check this account");
    ASSERT_TRUE(server.WaitConnections(2));
    EXPECT_EQ(server.Commands(1),
              (std::vector<std::string>{"USER bob", "PASS pw", "STAT", "TOP 1 0", "LIST 1",
                                        "UIDL 1", "DELE 1", "TOP 4 0", "LIST 4", "QUIT"}));
    EXPECT_EQ(Subjects(), (std::vector<std::string>{" Folded", " Caf\xc3\xa9", " plain"}));
}

} // namespace

namespace {
TEST_F(SortedViewTest, KeysOpenTheViewerAndCheckAgain) {
    Form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
    ClickHeading(0);
    SelectView(1, 1);
    QTest::keyClick(&Form().Grid(), Qt::Key_U, Qt::ControlModifier);
    ASSERT_TRUE(Viewer().isVisible());
    EXPECT_EQ(Viewer().Lines()[1], "Subject: Café");
    Viewer().close();
    Form().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Form()));
    QTest::keyClick(&Form().Grid(), Qt::Key_F5);
    EXPECT_TRUE(Status().isVisible());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Status().isVisible() && !WorkerRunning(); }, 10000));
    ASSERT_TRUE(server.WaitConnections(2));
    EXPECT_EQ(server.Commands(1).at(3), "LIST");
}
} // namespace
