#include "mail/mail_deletion.h"
#include "mail_fixture.h"
#include "widgets/toolbar_panel.h"

using test_support::FakeMessage;
using test_support::FakePop3Server;

namespace {

// The same rules file and mailbox for every test: one blocked sender, one highlighted subject,
// one ignored sender and one message that no rule touches.
class RulesMarkingTest : public MailTest {
protected:
    void SetUp() override {
        MailTest::SetUp();
        WriteFile("mail.rules", "block\tspam.example\n"
                                "rule\t\tsubject\tcontains\toffer\thighlight\n"
                                "rule\t\tsender\tcontains\tquiet@\tignore\n");
    }
    FakePop3Server server{{{"From: x@spam.example\nSubject: Win", "a"},
                           {"From: shop@example.com\nSubject: An OFFER", "b"},
                           {"From: quiet@example.com\nSubject: Log", "c"},
                           {"From: friend@example.com\nSubject: Hi", "d"},
                           {"From: y@mail.spam.example\nSubject: Win again", "e"}},
                          "bob",
                          "pw"};
    QToolButton& DeleteMarked() { return *Find<QToolButton>("del_marked"); }
};

TEST_F(RulesMarkingTest, EachRowShowsWhatTheRulesMadeOfIt) {
    StartWith(server);
    ASSERT_TRUE(CheckToEnd());
    const struct {
        TRuleAction action;
        const char* words;
    } expected[] = {{TRuleAction::Delete, "Marked for deletion by a rule"},
                    {TRuleAction::Highlight, "Highlighted by a rule"},
                    {TRuleAction::Ignore, "Ignored by a rule"},
                    {TRuleAction::None, ""},
                    {TRuleAction::Delete, "Marked for deletion by a rule"}};
    TMessageGrid& grid = Form().Grid();
    for (int message = 1; message <= 5; ++message) {
        const auto& want = expected[message - 1];
        EXPECT_EQ(grid.RuleMark(message), want.action) << message;
        const QTableWidgetItem* cell = grid.item(grid.RowOf(message) - 1, 2);
        EXPECT_EQ(cell->data(Qt::AccessibleDescriptionRole).toString().toStdString(), want.words)
            << message;
    }
    EXPECT_EQ(DeleteMarked().text(), "Marked (2)");
}

TEST_F(RulesMarkingTest, DeleteMarkedAsksOnceNamingTheCountAndNoKeepsEverything) {
    StartWith(server);
    ASSERT_TRUE(CheckToEnd());
    DeleteMarked().click(); // the script answers No
    ASSERT_EQ(messages.requests.size(), 1u);
    EXPECT_EQ(messages.requests[0].Text, MarkedQuestion(2));
    EXPECT_NE(messages.requests[0].Text.find("Delete the 2 emails marked"), std::string::npos);
    EXPECT_EQ(messages.requests[0].Buttons, TMsgButtons::YesNo);
    EXPECT_EQ(server.Connections(), 1u); // not even a log-in
    EXPECT_EQ(Account().Rows.size(), 5u);

    messages.answers = {TMsgResult::Yes};
    DeleteMarked().click();
    ASSERT_EQ(messages.requests.size(), 3u);
    EXPECT_EQ(messages.requests[2].Text, "Deleted 2 of the 2 emails you selected.");
    ASSERT_TRUE(server.WaitConnections(2));
    std::vector<std::string> left;
    for (const FakeMessage& message : server.Mailbox())
        left.push_back(message.body);
    EXPECT_EQ(left, (std::vector<std::string>{"b", "c", "d"}));
    EXPECT_EQ(Subjects(), (std::vector<std::string>{" An OFFER", " Log", " Hi"}));
    EXPECT_EQ(DeleteMarked().text(), "Marked");
}

} // namespace
