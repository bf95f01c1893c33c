#include "mail_fixture.h"
#include "preview/mail_preview.h"
#include "widgets/preview_pane.h"

using test_support::FakeMessage;
using test_support::FakePop3Server;

namespace {

const FakeMessage Plain{"From: a@example.com\nSubject: Plain", "Hello Bob,\nthe plan stands."};
const FakeMessage WithFile{
    "From: b@example.com\nSubject: Report\nMIME-Version: 1.0\n"
    "Content-Type: multipart/mixed; boundary=\"b1\"",
    "--b1\nContent-Type: text/plain; charset=utf-8\n\nSee the report.\n--b1\n"
    "Content-Type: application/pdf; name=\"report.pdf\"\nContent-Transfer-Encoding: base64\n"
    "Content-Disposition: attachment; filename=\"report.pdf\"\n\nJVBERi0xLjQK\n--b1--"};

class PreviewTest : public MailTest {
protected:
    TPreviewPane& Pane() { return Form().Preview(); }
    void SelectRow(int row) { Form().Grid().setCurrentCell(row - 1, 0); }
    bool PaneShows(const QString& text) {
        return QTest::qWaitFor([&] { return Pane().Text().contains(text); }, 10000);
    }
};

TEST_F(PreviewTest, TheSelectedMessageIsReadOnItsOwnConnection) {
    FakePop3Server server({Plain, WithFile}, "bob", "pw");
    StartWith(server);
    ASSERT_TRUE(CheckToEnd());
    SelectRow(1);
    ASSERT_TRUE(PaneShows("the plan stands."));
    EXPECT_TRUE(Pane().Attachments().isEmpty());
    SelectRow(2);
    ASSERT_TRUE(PaneShows("See the report."));
    EXPECT_TRUE(Pane().Attachments().contains("report.pdf")) << Pane().Attachments().toStdString();
    ASSERT_TRUE(server.WaitConnections(3));
    // The check's connection, then one per preview: the identifier first, then the first lines.
    EXPECT_EQ(server.Commands(1), (std::vector<std::string>{"USER bob", "PASS pw", "STAT", "UIDL 1",
                                                            "TOP 1 20", "QUIT"}));
    EXPECT_EQ(server.Commands(2)[4], "TOP 2 20");
}

// A reply for a row the user has left never reaches the pane, and a moved message is not shown
// as the row's.
TEST_F(PreviewTest, OnlyTheCurrentRowsOwnMessageIsShown) {
    FakePop3Server server({Plain, WithFile, Numbered(3)}, "bob", "pw");
    server.StallAt("TOP 1 20");
    StartWith(server);
    ASSERT_TRUE(CheckToEnd());
    SelectRow(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return server.Connections() == 2; }, 10000));
    SelectRow(2);
    ASSERT_TRUE(PaneShows("See the report."));
    DeleteElsewhere(server.Port(), "bob", "pw", 2);
    SelectRow(3);
    SelectRow(2);
    EXPECT_TRUE(PaneShows("No preview: That email has moved"));
}

// With "preview while checking" the check reads each message's first lines with its header, and
// the pane shows them with no connection of its own.
TEST_F(PreviewTest, PreviewWhileCheckingNeedsNoConnectionOfItsOwn) {
    FakePop3Server server({Plain, WithFile}, "bob", "pw");
    WriteFile("tarsel.ini", "[general]\npreview_while_checking=1\npreview_lines=5\n");
    StartWith(server);
    ASSERT_TRUE(CheckToEnd());
    SelectRow(2);
    ASSERT_TRUE(PaneShows("See the report."));
    SelectRow(1);
    ASSERT_TRUE(PaneShows("the plan stands."));
    EXPECT_EQ(server.Connections(), 1u);
    const std::vector<std::string> commands = server.Commands(0);
    EXPECT_NE(std::find(commands.begin(), commands.end(), "TOP 2 5"), commands.end());
}

} // namespace
