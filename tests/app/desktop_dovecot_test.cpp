// Check All Accounts and the periodic check against two Dovecot accounts, with a failing and a
// password-less account between them.
#include "mail_fixture.h"
#include "tests/support/fake_notifier.h"

#include "accounts/seen_file.h"
#include "mail/check_round.h"
#include "mail/check_schedule.h"
#include "tests/support/dovecot_fixture.h"

#include <QAction>
#include <algorithm>

using test_support::DeliverToDovecot;
using test_support::DovecotPort;
using test_support::RefillDovecotMailbox;

namespace {
std::string Mail(const std::string& from, const std::string& subject) {
    return "From: " + from + "\nSubject: " + subject +
           "\nDate: Mon, 1 Jan 2024 10:00:00 +0000\n\nBody\n";
}

class DesktopDovecotTest : public MailTest {
protected:
    void SetUp() override {
        MailTest::SetUp();
        ASSERT_NE(DovecotPort(), 0) << "the Dovecot fixture is not running";
        RefillDovecotMailbox("erin", {Mail("a@example.com", "One"), Mail("b@example.com", "Two")});
        RefillDovecotMailbox("frank", {Mail("c@example.com", "Three")});
        const std::string dovecot = "127.0.0.1:" + std::to_string(DovecotPort());
        // Nothing listens on port 1: that account fails at once.
        WriteAccounts({{"Erin", dovecot, "erin", "secret", true},
                       {"Broken", "127.0.0.1:1", "x", "pw", true},
                       {"Frank", dovecot, "frank", "secret", true},
                       {"Unsaved", dovecot, "erin", "", false}});
        StartWithNotifier();
        // A prompt or any other modal dialog is noted and closed.
        QObject::connect(&modalWatch, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                ++modals;
                dialog->reject();
            }
        });
        modalWatch.start(20);
    }
    void StartWithNotifier() {
        Start();
        Form().UseNotifier(desktop);
    }
    // Quits and starts again on the same files.
    void Restart() {
        program.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        StartWithNotifier();
    }
    bool RoundEnds() {
        return QTest::qWaitFor([&] { return !Form().Mail().RoundRunning(); }, 30000);
    }
    std::string Shown(const char* name) {
        return TAccountTree::Shown(Form().Tree().AccountNode(name));
    }
    std::string Tip(const char* name) {
        return Form().Tree().AccountNode(name)->toolTip(0).toStdString();
    }
    void Select(const char* name) { Form().Tree().setCurrentItem(Form().Tree().AccountNode(name)); }

    FakeNotifier desktop{true, true};
    QTimer modalWatch;
    int modals = 0;
};

TEST_F(DesktopDovecotTest, CheckAllThenThePeriodicCheckCountNewMail) {
    Find<QAction>("CheckAll1")->trigger();
    ASSERT_TRUE(RoundEnds());
    EXPECT_EQ(Shown("Erin"), "Erin (2)");
    EXPECT_EQ(Shown("Frank"), "Frank (1)");
    EXPECT_EQ(Shown("Broken"), "Broken");
    const std::string refused = "Error connecting to server: check your settings\n"
                                "No connection could be made to 127.0.0.1:1";
    EXPECT_EQ(Tip("Broken"), refused); // the status dialog's words
    EXPECT_EQ(modals, 1); // the password of Unsaved, asked: the user started this round
    EXPECT_EQ(Tip("Unsaved"), TCheckRound::NoPasswordGiven);

    // Mail comes to Erin, and Frank's only message is deleted elsewhere.
    DeliverToDovecot("erin", Mail("=?UTF-8?Q?Zo=C3=AB?= <z@example.com>", "Fresh"));
    DeleteElsewhere(DovecotPort(), "frank", "secret", 1);
    Select("Erin");
    Form().Mail().Schedule().Tick();
    ASSERT_TRUE(RoundEnds());
    EXPECT_EQ(Shown("Erin"), "Erin (3, 1 new)");
    EXPECT_EQ(Shown("Frank"), "Frank (0)");
    EXPECT_EQ(Tip("Unsaved"), TCheckRound::NoPasswordNote);
    EXPECT_EQ(Tip("Broken"), refused);
    EXPECT_EQ(Subjects().back(), " Fresh"); // the table of the account shown follows
    EXPECT_TRUE(Form().Grid().IsMarkedNew(3));
    EXPECT_FALSE(Form().Grid().IsMarkedNew(1));
    EXPECT_EQ(desktop.count, 1);
    using Notices = std::vector<std::pair<std::string, std::string>>;
    EXPECT_EQ(desktop.notified, (Notices{{"1 new message", "Zoë: Fresh"}}));
    EXPECT_EQ(modals, 1); // nothing more was asked
    EXPECT_TRUE(messages.requests.empty());
    EXPECT_FALSE(Status().isVisible());
}

// The user's Check during a round ends the round after its first account, then runs.
TEST_F(DesktopDovecotTest, CheckDuringARoundEndsTheRoundThenRuns) {
    Select("Frank");
    Form().Mail().Schedule().Tick();
    ASSERT_TRUE(Form().Mail().RoundRunning());
    ClickCheck();
    // Frank's rows come from the user's check: the round never reaches Frank.
    const std::vector<std::string> frank{" Three"};
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return Subjects() == frank && !Status().isVisible() && !Form().Mail().RoundRunning() &&
                   Form().Mail().Flags().ThreadHandle == 0;
        },
        30000));
    EXPECT_EQ(Shown("Erin"), "Erin (2)"); // the round's first account
    EXPECT_EQ(Tip("Broken"), "");         // never reached
    EXPECT_EQ(modals, 0);
}

// A tick while a dialog is open lets the round pass; the next one runs it.
TEST_F(DesktopDovecotTest, ATickWaitsWhileADialogIsOpen) {
    modalWatch.stop();
    QDialog dialog(&Form());
    dialog.setModal(true);
    dialog.show();
    Form().Mail().Schedule().Tick();
    EXPECT_FALSE(Form().Mail().RoundRunning());
    EXPECT_EQ(Shown("Erin"), "Erin");
    dialog.hide();
    Form().Mail().Schedule().Tick();
    ASSERT_TRUE(RoundEnds());
    EXPECT_EQ(Shown("Erin"), "Erin (2)");
    EXPECT_EQ(modals, 0);
}
// What was seen is kept on disk: the first check after a start tells what arrived meanwhile.
TEST_F(DesktopDovecotTest, TheFirstCheckAfterAStartTellsWhatArrivedWhileClosed) {
    const auto checkInTheBackground = [&] {
        Form().Mail().Schedule().Tick();
        return RoundEnds();
    };
    ASSERT_TRUE(checkInTheBackground());
    EXPECT_EQ(Shown("Erin"), "Erin (2)");
    const std::string seen = SeenFileName(MailboxOf(Form().Accounts().At(0)));

    Restart();
    DeliverToDovecot("erin", Mail("d@example.com", "Four"));
    DeliverToDovecot("erin", Mail("e@example.com", "Five"));
    ASSERT_TRUE(checkInTheBackground());
    EXPECT_EQ(Shown("Erin"), "Erin (4, 2 new)");
    EXPECT_EQ(Shown("Frank"), "Frank (1)");
    using Notices = std::vector<std::pair<std::string, std::string>>;
    const Notices told{{"2 new messages", "d@example.com: Four\ne@example.com: Five"}};
    EXPECT_EQ(desktop.notified, told);

    // Deleted elsewhere while closed: nothing to tell, and gone from the file. What was new
    // and not yet looked at stays new.
    Restart();
    DeleteElsewhere(DovecotPort(), "erin", "secret", 1);
    ASSERT_TRUE(checkInTheBackground());
    EXPECT_EQ(Shown("Erin"), "Erin (3, 2 new)");
    EXPECT_EQ(desktop.notified, told);
    const std::string kept = ReadFile(seen.c_str());
    EXPECT_EQ(std::count(kept.begin(), kept.end(), '\n'), 5) << kept;
    EXPECT_NE(kept.find("\nend 3\n"), std::string::npos) << kept;

    // A cut file: that check only learns what is there.
    Restart();
    WriteFile(seen.c_str(), kept.substr(0, kept.size() / 2));
    DeliverToDovecot("erin", Mail("f@example.com", "Six"));
    ASSERT_TRUE(checkInTheBackground());
    EXPECT_EQ(Shown("Erin"), "Erin (4)");
    EXPECT_EQ(desktop.notified, told);
    EXPECT_EQ(modals, 0);
}
} // namespace
