// A round of checks in the background beside the table the user reads and deletes from.
#include "mail_fixture.h"

#include "app/desktop_settings.h"
#include "mail/check_round.h"
#include "mail/check_schedule.h"

using test_support::FakePop3Server;

namespace {

std::vector<test_support::FakeMessage> Five() {
    return {Numbered(1), Numbered(2), Numbered(3), Numbered(4), Numbered(5)};
}

class QuietRoundTest : public MailTest {
protected:
    QuietRoundTest() : server(Five(), "bob", "pw") {}
    void SetUp() override {
        MailTest::SetUp();
        StartWith(server);
        ASSERT_TRUE(CheckToEnd());
        ASSERT_TRUE(server.WaitConnections(1));
    }
    bool BackgroundRound() {
        Form().Mail().PeriodicTick();
        if (!Form().Mail().RoundRunning()) return false;
        return QTest::qWaitFor([&] { return !Form().Mail().RoundRunning(); }, 10000);
    }
    void Delete() { Find<QToolButton>("del_mail")->click(); }
    std::vector<std::string> ServerSubjects() {
        std::vector<std::string> out;
        for (const auto& m : server.Mailbox())
            out.push_back(m.header.substr(m.header.find("Subject: ") + 9, 9));
        return out;
    }
    FakePop3Server server;
};

// A background check that fails part way leaves the table as it was but the cache half new:
// the deletion then checks the server against the new cache, not against the row shown.
TEST_F(QuietRoundTest, AFailedBackgroundCheckKeepsTableAndCacheTogether) {
    ::DeleteElsewhere(server.Port(), "bob", "pw", 1); // mailbox now 2 3 4 5
    ASSERT_TRUE(server.WaitConnections(2));
    server.DropAt("TOP 3 0");
    ASSERT_TRUE(BackgroundRound());
    ASSERT_TRUE(server.WaitConnections(3));
    EXPECT_EQ(Subjects().at(1), " Message 2");
    EXPECT_EQ(Account().Rows.size(), Table().size()) << "table and cache disagree";

    Select(2, 2); // the user picks "Message 2"
    messages.answers = {TMsgResult::Yes};
    Delete();
    ASSERT_FALSE(messages.requests.empty());
    EXPECT_NE(messages.requests[0].Text.find("Message 2"), std::string::npos);
    server.WaitConnections(4);
    // The message the user confirmed is the only one that may go.
    const std::vector<std::string> left = ServerSubjects();
    EXPECT_NE(std::find(left.begin(), left.end(), "Message 3"), left.end())
        << "Message 3 was deleted, though the user confirmed Message 2";
}

// A background check that changes the table: the row the user had selected is not replaced by
// another one that Delete would then take.
TEST_F(QuietRoundTest, ARefreshedTableDoesNotHandDeleteAnotherMessage) {
    Select(4, 4); // "Message 4"
    ::DeleteElsewhere(server.Port(), "bob", "pw", 1);
    ASSERT_TRUE(server.WaitConnections(2));
    ASSERT_TRUE(BackgroundRound());
    ASSERT_EQ(Table().size(), 4u); // the table followed the server
    const std::vector<int> chosen = Form().Grid().SelectedMessages();
    ASSERT_EQ(chosen.size(), 1u);
    const std::string subject = Form().Grid().Cell(2, chosen[0]);
    EXPECT_TRUE(subject == " Message 4" || Form().Grid().RowEmpty(chosen[0]))
        << "Delete would now act on " << subject;
}

// A failed background check leaves the cache the table shows: the header viewer and Delete still
// work on it.
TEST_F(QuietRoundTest, AFailedLogInInTheBackgroundKeepsTheCache) {
    server.SetReply("PASS", "-ERR [SYS/TEMP] try later\r\n");
    ASSERT_TRUE(BackgroundRound());
    EXPECT_EQ(Table().size(), 5u);
    EXPECT_EQ(Account().Rows.size(), 5u) << "the table shows rows the cache no longer has";
}

} // namespace

namespace {
// Two accounts on two servers; the first one's replies come slowly, so that the user acts while
// the round fills its rows.
class TwoAccountRoundTest : public MailTest {
protected:
    TwoAccountRoundTest() : slow(Five(), "bob", "pw"), other(Five(), "bob", "pw") {}
    void SetUp() override {
        MailTest::SetUp();
        WriteAccounts({{"Box", Server(slow), "bob", "pw", true},
                       {"Other", Server(other), "bob", "pw", true}});
        Start();
        Form().Tree().setCurrentItem(Node("Box"));
        ASSERT_EQ(CurrentName(), "Box");
        ASSERT_TRUE(CheckToEnd());
        ASSERT_TRUE(slow.WaitConnections(1));
        slow.SetChunking(8, 2);
    }
    TAccount& Box() { return Form().Accounts().At(Form().Accounts().IndexOf("Box")); }
    QTreeWidgetItem* Node(const char* name) { return Form().Tree().AccountNode(name); }
    FakePop3Server slow, other;
};

// The user looks at the account while the round fills it: the table ends whole.
TEST_F(TwoAccountRoundTest, LookingAtTheAccountDuringItsFillShowsItWhole) {
    bool clicked = false;
    WhenTrue([&] { return Form().Mail().RoundRunning() && Form().Mail().Flags().MailBusy; },
             [&] {
                 Form().Tree().setCurrentItem(Node("Other"));
                 Form().Tree().setCurrentItem(Node("Box"));
                 clicked = true;
             });
    Form().Mail().PeriodicTick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Form().Mail().RoundRunning(); }, 20000));
    EXPECT_TRUE(clicked);
    EXPECT_EQ(CurrentName(), "Box");
    EXPECT_EQ(Box().Rows.size(), 5u);
    EXPECT_EQ(Table().size(), 5u) << "the table shows what the account held mid-fill";
}

// Closing the window during a round: no account is checked after the close.
TEST_F(TwoAccountRoundTest, ClosingDuringARoundStartsNoFurtherCheck) {
    bool closed = false;
    WhenTrue([&] { return Form().Mail().RoundRunning() && Form().Mail().Flags().MailBusy; },
             [&] {
                 Form().close();
                 closed = true;
             });
    Form().Mail().PeriodicTick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Form().Mail().RoundRunning() || closed; }, 20000));
    QTest::qWait(300);
    EXPECT_TRUE(closed);
    EXPECT_EQ(other.Connections(), 0u) << "a check began after the window closed";
    program.reset();
}

// An account left out in the settings is checked by neither the clock nor Check All.
TEST_F(TwoAccountRoundTest, AnAccountLeftOutOfRoundsIsNotChecked) {
    ASSERT_TRUE(SetInRounds("Other", false));
    Form().Mail().PeriodicTick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Form().Mail().RoundRunning(); }, 20000));
    Form().Mail().CheckAllClick();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Form().Mail().RoundRunning(); }, 20000));
    EXPECT_EQ(slow.Connections(), 3u);
    EXPECT_EQ(other.Connections(), 0u);
}

// An account with a clock of its own is left out of the global round; its clock checks it alone.
TEST_F(TwoAccountRoundTest, AnAccountsOwnClockChecksItAlone) {
    Form().Mail().Schedule().StartOwn({{"Other", 30}});
    const auto roundEnds = [&] {
        return QTest::qWaitFor([&] { return !Form().Mail().RoundRunning(); }, 20000);
    };
    ASSERT_TRUE(Form().Mail().PeriodicTick());
    ASSERT_TRUE(roundEnds());
    EXPECT_EQ(slow.Connections(), 2u);
    EXPECT_EQ(other.Connections(), 0u);
    Form().Mail().Schedule().TickAccount("Other");
    ASSERT_TRUE(roundEnds());
    EXPECT_EQ(slow.Connections(), 2u);
    EXPECT_EQ(other.Connections(), 1u);
}
} // namespace
