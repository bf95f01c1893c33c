// What the user is told of new mail: the words of the notice, and against a fake desktop the
// tree's counts and marks, bold rows, the tray's count, the notice and the window's title.
#include "accounts/account_list.h"
#include "app/desktop_settings.h"
#include "desktop/mail_watch.h"
#include "desktop/new_mail_notice.h"
#include "mail/check_round.h"
#include "tests/support/fake_notifier.h"
#include "tests/support/temp_working_dir.h"
#include "widgets/account_tree.h"
#include "widgets/message_grid.h"

#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {
// Gives the account one more message, as a check would list it.
void Arrive(TAccount& account, const std::string& uid, const std::string& from,
            const std::string& subject) {
    account.Rows.push_back(std::string("date\x01") + from + "\x01" + subject + "\x01" + "1\x01id");
    account.Headers.push_back({"From: " + from, "Subject: " + subject, "", "."});
    account.Uids.push_back(uid);
}

struct Desktop {
    bool tray, notices;
    std::string title; // the window's title with one new message not yet viewed
};
void PrintTo(const Desktop& desktop, std::ostream* out) {
    *out << (desktop.tray ? "tray" : "no tray") << ", " << (desktop.notices ? "notices" : "none");
}

// The seen files go to a folder of the test's own.
class NewMailWatchTest : public test_support::TempWorkingDirTest,
                         public testing::WithParamInterface<Desktop> {
protected:
    void SetUp() override {
        TempWorkingDirTest::SetUp();
        ASSERT_TRUE(accounts.Add("Home", "pop.home", "me", "pw", true));
        ASSERT_TRUE(accounts.Add("Work", "pop.work", "me", "", false));
        ASSERT_TRUE(accounts.Select(0, ""));
        tree.Fill(accounts);
    }
    TAccount& Home() { return accounts.At(0); }
    // Home's rows as the table shows them after its check.
    void Checked(bool background) {
        grid.ShowRows(Home().Rows, Home().Headers);
        watch.Checked(Home(), background);
    }
    std::string Shown(const char* name) { return TAccountTree::Shown(tree.AccountNode(name)); }

    TAccounts accounts;
    TAccountTree tree;
    TMessageGrid grid;
    FakeNotifier desktop{GetParam().tray, GetParam().notices};
    bool active = false;
    std::string title = "Vellion";
    TMailWatch watch{accounts, tree, grid, desktop,
                     TMailWatch::TWindow{[this] { return active; },
                                         [this](const std::string& text) { title = text; }}};
};

TEST_P(NewMailWatchTest, NewMailIsCountedMarkedAndToldUntilViewed) {
    Arrive(Home(), "u1", "Old <old@example.com>", "Before");
    Checked(true);
    watch.Announce();
    EXPECT_EQ(Shown("Home"), "Home (1)"); // the first check is the baseline
    EXPECT_EQ(Shown("Work"), "Work");
    EXPECT_TRUE(desktop.notified.empty());

    Arrive(Home(), "u2", "Ann Example <ann@example.com>", "=?UTF-8?Q?Caf=C3=A9?=");
    Checked(true);
    watch.Announce();
    EXPECT_EQ(Shown("Home"), "Home (2, 1 new)");
    EXPECT_TRUE(tree.AccountNode("Home")->font(0).bold());
    EXPECT_FALSE(grid.IsMarkedNew(1));
    EXPECT_TRUE(grid.IsMarkedNew(2));
    EXPECT_EQ(desktop.count, 1);
    EXPECT_EQ(title, GetParam().title);
    using Notices = std::vector<std::pair<std::string, std::string>>;
    const Notices told =
        GetParam().notices ? Notices{{"1 new message", "Ann Example: Café"}} : Notices{};
    EXPECT_EQ(desktop.notified, told);

    active = true; // the user looks at the window
    watch.Viewed();
    EXPECT_EQ(Shown("Home"), "Home (2)");
    EXPECT_EQ(desktop.count, 0);
    EXPECT_EQ(title, "Vellion");
    EXPECT_TRUE(grid.IsMarkedNew(2)); // bold while the table shows it
    Checked(false);
    EXPECT_FALSE(grid.IsMarkedNew(2));
}

TEST_P(NewMailWatchTest, ANoteOrAFailureIsShownOnTheNode) {
    watch.Skipped(accounts.At(1), TCheckRound::NoPasswordNote);
    QTreeWidgetItem* work = tree.AccountNode("Work");
    EXPECT_EQ(work->toolTip(0).toStdString(), TCheckRound::NoPasswordNote);
    EXPECT_FALSE(work->icon(0).isNull());
    watch.Failed(accounts.At(1), "The server refused the password");
    EXPECT_EQ(work->toolTip(0).toStdString(), "The server refused the password");
    Arrive(accounts.At(1), "w1", "a@example.com", "s");
    watch.Checked(accounts.At(1), true);
    EXPECT_TRUE(work->icon(0).isNull());
    EXPECT_EQ(work->toolTip(0).toStdString(), "");
    EXPECT_EQ(Shown("Work"), "Work (1)");
}

// A check that cannot start (no thread, say) ends the round, and the next round starts.
TEST_P(NewMailWatchTest, ACheckThatCannotStartEndsTheRound) {
    int started = 0;
    TCheckRound round(
        accounts, watch,
        [&](TAccount&, TCheckRound::TDone) -> bool {
            if (++started == 1) throw std::runtime_error("no thread");
            return false;
        },
        nullptr);
    EXPECT_THROW(round.Begin(true), std::runtime_error);
    EXPECT_FALSE(round.Running());
    EXPECT_TRUE(round.Begin(true));
    EXPECT_EQ(started, 2); // Home again; Work has no password and is left out
}

INSTANTIATE_TEST_SUITE_P(Desktops, NewMailWatchTest,
                         testing::Values(Desktop{true, true, "Vellion"},
                                         Desktop{false, true, "Vellion (1 new)"},
                                         Desktop{true, false, "Vellion (1 new)"}),
                         [](const testing::TestParamInfo<Desktop>& tested) {
                             return std::string(tested.param.tray ? "Tray" : "NoTray") +
                                    (tested.param.notices ? "Notices" : "NoNotices");
                         });
} // namespace

#include "dialogs/header_viewer.h"
#include "mail/check_schedule.h"
#include "ui_fixture.h"

#include <QTest>

namespace {
class TrayTest : public UiTest {};

// With close_to_tray set, closing the window hides it; the tray's click shows it again and its
// Quit ends the program. Without a tray to go to, closing closes.
TEST_F(TrayTest, ClosingKeepsTheProgramInTheTray) {
    for (const bool tray : {true, false}) {
        SCOPED_TRACE(tray ? "tray" : "no tray");
        WriteFile("tarsel.ini", "[general]\nclose_to_tray=1\ncheck_minutes=1\n");
        Start();
        FakeNotifier desktop(tray, true);
        Form().UseNotifier(desktop);
        bool closed = false;
        QObject::connect(&Form(), &TForm1::closed, [&] { closed = true; });
        EXPECT_EQ(Form().Mail().Schedule().IntervalMs(), MinCheckMinutes * 60 * 1000);
        // The first round, the baseline, comes before a whole interval has passed.
        EXPECT_LT(Form().Mail().findChild<QTimer*>("checkTimer")->interval(),
                  Form().Mail().Schedule().IntervalMs());
        Form().show();
        Form().close();
        EXPECT_EQ(closed, !tray);
        EXPECT_EQ(Form().isVisible(), false);
        if (tray) {
            desktop.OnShowWindow();
            EXPECT_TRUE(Form().isVisible());
            desktop.OnQuit();
            EXPECT_TRUE(closed);
            EXPECT_FALSE(Form().isVisible());
        }
        program.reset(); // before the desktop it was given
    }
}

// Ctrl+Q ends the program where closing only hides the window in the tray: from the window,
// and from the header viewer while the window is hidden.
TEST_F(TrayTest, CtrlQQuitsAlsoWhenClosingHidesInTheTray) {
    for (const bool hidden : {false, true}) {
        SCOPED_TRACE(hidden ? "from the viewer, the window hidden" : "from the window");
        WriteFile("tarsel.ini", "[general]\nclose_to_tray=1\n");
        Start();
        FakeNotifier desktop(true, true);
        Form().UseNotifier(desktop);
        bool closed = false;
        QObject::connect(&Form(), &TForm1::closed, [&] { closed = true; });
        Form().show();
        QWidget* target = &Form();
        if (hidden) {
            Form().close();
            ASSERT_FALSE(Form().isVisible());
            ASSERT_FALSE(closed);
            target = program->Headers;
            target->show();
        }
        target->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(target));
        QTest::keyClick(target, Qt::Key_Q, Qt::ControlModifier);
        EXPECT_TRUE(closed);
        program.reset();
    }
}
} // namespace

// The words of the new-mail notice and the periodic check's interval, as functions.
namespace {
TEST(NewMailNotice, SenderAndSubjectAreDecoded) {
    const struct {
        std::vector<std::string> header;
        std::string sender, subject;
    } cases[] = {
        {{"From: Alice Tester <alice@example.com>", "Subject: Hello"}, "Alice Tester", "Hello"},
        {{"From: \"Doe, John\" <j@example.com>", "Subject: a"}, "Doe, John", "a"},
        {{"From: bob@example.com", "Subject: =?UTF-8?B?R3LDvMOfZQ==?="},
         "bob@example.com",
         "Grüße"},
        {{"From: =?ISO-8859-1?Q?J=F6rg?= <j@example.com>", "Subject: folded", "\tline"},
         "Jörg",
         "folded line"},
        {{"Subject: no sender"}, "", "no sender"},
        {{"From: <only@example.com>"}, "<only@example.com>", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.header[0]);
        const TArrival arrival = ArrivalOf(c.header);
        EXPECT_EQ(arrival.Sender, c.sender);
        EXPECT_EQ(arrival.Subject, c.subject);
    }
}

TEST(NewMailNotice, TitleBodyAndWindowTitle) {
    EXPECT_EQ(NoticeTitle(1), "1 new message");
    EXPECT_EQ(NoticeTitle(5), "5 new messages");
    const std::vector<TArrival> five = {{"Ann", "One", "Work"},
                                        {"", "Two", "Home"},
                                        {"Cy", "", "Work"},
                                        {"D", "4", "Club"},
                                        {"E", "5", "Home"}};
    EXPECT_EQ(NoticeBody({five.begin(), five.begin() + 1}), "Ann: One");
    EXPECT_EQ(NoticeBody(five), "Ann: One\n(no sender): Two\nCy: (no subject)\nand 2 more");
    EXPECT_EQ(ArrivalAccounts(five), (std::vector<std::string>{"Work", "Home", "Club"}));
    EXPECT_EQ(TitleWithCount("Vellion", 0), "Vellion");
    EXPECT_EQ(TitleWithCount("Vellion", 3), "Vellion (3 new)");
}

TEST(DesktopSettings, CheckMinutes) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},
        {"0", 0},
        {"-5", 0},
        {"x", 0},
        {"1", MinCheckMinutes},
        {"2", 2},
        {"15", 15},
        {"1440", 1440},
        {"99999", MaxCheckMinutes},
    };
    for (const auto& [text, minutes] : cases)
        EXPECT_EQ(CheckMinutesFrom(text), minutes) << "\"" << text << "\"";
}
} // namespace
