// The window against a real POP3 server (the Dovecot fixture on 127.0.0.1).
#include "mail_fixture.h"

#include "tests/support/dovecot_fixture.h"
#include "ui/header_date.h"

using test_support::DovecotManifest;
using test_support::DovecotMessage;
using test_support::DovecotPort;

namespace {

class DovecotWindowTest : public MailTest {
protected:
    void StartAs(const std::string& user, const std::string& password) {
        ASSERT_NE(DovecotPort(), 0) << "the Dovecot fixture is not running";
        StartWith("127.0.0.1:" + std::to_string(DovecotPort()), user, password);
    }
};

TEST_F(DovecotWindowTest, ACheckShowsEveryMessageWithItsDateAndSize) {
    const std::vector<DovecotMessage> manifest = DovecotManifest("alice");
    StartAs("alice", "secret");
    ASSERT_TRUE(CheckToEnd());
    const std::vector<Cells> table = Table();
    ASSERT_EQ(table.size(), manifest.size());
    for (const DovecotMessage& message : manifest) {
        SCOPED_TRACE("message " + std::to_string(message.number));
        const Cells& row = table[static_cast<size_t>(message.number - 1)];
        const std::string kb = SizeInKB(static_cast<int32_t>(message.size));
        EXPECT_EQ(row[0], message.dateLine.empty() ? "" : message.dateLine.substr(5));
        EXPECT_EQ(row[3], kb == "0" ? "1" : kb);
        std::vector<std::string> header = message.headerLines;
        header.insert(header.end(), {"", "."});
        EXPECT_EQ(Account().Headers[static_cast<size_t>(message.number - 1)], header);
    }
    EXPECT_TRUE(messages.requests.empty());
}

TEST_F(DovecotWindowTest, AnEmptyMailbox) {
    StartAs("bob", "secret");
    ASSERT_TRUE(CheckToEnd());
    EXPECT_EQ(Table(), (std::vector<Cells>{{"", "", "", "", ""}}));
    EXPECT_NE(Account().LastRefresh, "(none)");
}

TEST_F(DovecotWindowTest, AWrongPasswordIsShownInTheStatusDialog) {
    StartAs("alice", "wrong");
    ASSERT_TRUE(CheckStopsAt("Error authenticating: check your user details"));
    EXPECT_FALSE(Form().WindowEnabled());
}

TEST_F(DovecotWindowTest, ADeletedMessageIsGoneAtTheNextCheck) {
    StartAs("carol", "secret");
    ASSERT_TRUE(CheckToEnd());
    const std::vector<Cells> before = Table();
    ASSERT_GE(before.size(), 2u) << "carol's mailbox is used up; restart the fixture";
    ASSERT_FALSE(before[0][4].empty());
    Select(1, 1);
    messages.answers = {TMsgResult::Yes};
    Find<QToolButton>("del_mail")->click();
    EXPECT_EQ(messages.requests.size(), 1u); // the question only
    ASSERT_TRUE(CheckToEnd());
    const std::vector<Cells> after = Table();
    ASSERT_EQ(after.size(), before.size() - 1);
    EXPECT_EQ(after[0], before[1]);
}

// A check that times out half-way through the summaries leaves nothing of the stalled server's
// conversation behind: the next check, of another account on a real server, fills its table.
TEST_F(DovecotWindowTest, AfterACheckThatFailedMidFillAnotherAccountFillsItsTable) {
    ASSERT_NE(DovecotPort(), 0) << "the Dovecot fixture is not running";
    test_support::FakePop3Server stalled({Numbered(1), Numbered(2), Numbered(3)}, "bob", "pw");
    stalled.StallAt("TOP 2 0");
    WriteAccounts(
        {{"Stalled", Server(stalled), "bob", "pw", true},
         {"Real", "127.0.0.1:" + std::to_string(DovecotPort()), "alice", "secret", true}});
    Start();
    auto select = [&](const std::string& name) {
        const std::vector<std::string> labels = TopLabels();
        const auto at = std::find(labels.begin(), labels.end(), name) - labels.begin();
        ASSERT_LT(at, static_cast<long>(labels.size()));
        Form().Tree().setCurrentItem(Form().Tree().topLevelItem(static_cast<int>(at)));
        ASSERT_EQ(CurrentName(), name);
    };
    select("Stalled");
    Account().Timeout = 1;
    ClickCheck();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.requests.empty(); }, 10000));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Socket readln timed out"});
    EXPECT_EQ(Subjects(), (std::vector<std::string>{" Message 1", ""}));
    EXPECT_FALSE(Form().Pop().Connected());
    select("Real");
    ASSERT_TRUE(CheckToEnd());
    EXPECT_EQ(Table().size(), DovecotManifest("alice").size());
    EXPECT_EQ(messages.requests.size(), 1u);
}

} // namespace
