#include "app/autostart.h"
#include "app/desktop_settings.h"
#include "files/profile_file.h"
#include "mail/check_schedule.h"
#include "ui_fixture.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QSpinBox>
#include <QTest>
#include <map>
#include <optional>

namespace {
class SettingsWindowTest : public UiTest {
protected:
    // Opens the settings (Ctrl+,, or the tree's menu) and lets change set them before OK.
    void ChangeSettings(const std::function<void(QDialog&)>& change) {
        QTimer::singleShot(0, [change] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            change(*dialog);
            dialog->accept();
        });
        Form().findChild<QAction*>("Settings1")->trigger();
    }
    static void Set(QDialog& dialog, const char* box, bool on) {
        dialog.findChild<QCheckBox*>(box)->setChecked(on);
    }
    static std::string Key(const char* key) {
        return GetPrivateProfileString("general", key, "<absent>", SettingsFilePath());
    }
};

TEST_F(SettingsWindowTest, WritesTheKeysTheProgramReadsAndTheAutostartEntry) {
    const QByteArray home = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QDir::currentPath().toUtf8() + "/config");
    WriteAccounts({{"Work", "pop.example.com", "ann"}, {"Home", "pop.example.org", "ann"}});
    TForm1& form = Start();
    form.show();
    ChangeSettings([](QDialog& dialog) {
        Set(dialog, "periodic", true);
        dialog.findChild<QSpinBox*>("minutes")->setValue(15);
        Set(dialog, "closeToTray", true);
        Set(dialog, "sound", false);
        Set(dialog, "atLogin", true);
        Set(dialog, "inTray", true);
        dialog.findChild<QListWidget*>("accounts")->item(1)->setCheckState(Qt::Unchecked);
        dialog.findChild<QListWidget*>("accounts")->setCurrentRow(0); // Work: every 30 minutes
        dialog.findChild<QComboBox*>("ownInterval")->setCurrentIndex(2);
        dialog.findChild<QSpinBox*>("ownMinutes")->setValue(30);
        dialog.findChild<QSpinBox*>("previewLines")->setValue(7);
        Set(dialog, "previewWhileChecking", true);
    });
    EXPECT_EQ(Key("check_minutes"), "15");
    EXPECT_EQ(Key("close_to_tray"), "1");
    EXPECT_EQ(Key("show_notices"), "1");
    EXPECT_EQ(Key("play_sound"), "0");
    EXPECT_EQ(Key("start_in_tray"), "1");
    const TDesktopSettings read = ReadDesktopSettings();
    EXPECT_EQ(read.CheckMinutes, 15);
    EXPECT_TRUE(read.CloseToTray);
    EXPECT_FALSE(read.PlaySound);
    EXPECT_EQ(form.Mail().Schedule().IntervalMs(), 15 * 60 * 1000);
    EXPECT_EQ(GetPrivateProfileString("check_minutes", "Work", "", SettingsFilePath()), "30");
    EXPECT_EQ(form.Mail().Schedule().OwnIntervalMs("Work"), 30 * 60 * 1000);
    EXPECT_FALSE(form.Mail().Schedule().InGlobalRound("Work"));
    EXPECT_EQ(OwnCheckMinutes("Home"), std::nullopt);
    EXPECT_EQ(Key("preview_lines"), "7");
    EXPECT_EQ(Key("preview_while_checking"), "1");
    EXPECT_EQ(form.Mail().Flags().PreviewLines, 7);
    EXPECT_TRUE(InRounds("Work"));
    EXPECT_FALSE(InRounds("Home"));
    EXPECT_FALSE(form.Mail().InRounds("Home"));
    const std::string entry = ReadFile("config/autostart/vellion.desktop");
    EXPECT_NE(entry.find("Exec="), std::string::npos);
    EXPECT_NE(entry.find(" --config-dir \"" + QDir::current().canonicalPath().toStdString() +
                         "\" --tray\n"),
              std::string::npos)
        << entry;

    ChangeSettings([](QDialog& dialog) {
        Set(dialog, "periodic", false);
        Set(dialog, "atLogin", false);
    });
    EXPECT_EQ(Key("check_minutes"), "0");
    EXPECT_FALSE(form.Mail().Schedule().Running());
    EXPECT_FALSE(QFile::exists("config/autostart/vellion.desktop"));
    if (home.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", home);
}

// Which clock checks an account: its own interval where tarsel.ini gives one (0: never in the
// background), else the global round's.
TEST(CheckSchedule, AnAccountsOwnIntervalOrTheGlobalRound) {
    struct Case {
        int global;
        const char* own; // the key's text in [check_minutes]
        bool inGlobalRound;
        int ownMinutes; // of its own clock; 0: none
    };
    const Case cases[] = {
        {10, "", true, 0},     {0, "", true, 0},     {10, "junk", true, 0},
        {10, "0", false, 0},   {10, "-5", false, 0}, {10, "30", false, 30},
        {0, "30", false, 30},  {10, "1", false, 2},  {10, "100000", false, 24 * 60},
        {10, "10", false, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.global) + " / \"" + c.own + "\"");
        TCheckSchedule schedule;
        schedule.Start(c.global);
        std::map<std::string, int> own;
        if (const std::optional<int> minutes = OwnCheckMinutesFrom(c.own)) own["Box"] = *minutes;
        schedule.StartOwn(own);
        EXPECT_EQ(schedule.InGlobalRound("Box"), c.inGlobalRound);
        EXPECT_EQ(schedule.OwnIntervalMs("Box"), c.ownMinutes * 60 * 1000);
        EXPECT_EQ(schedule.Running(), c.global > 0);
        // An unchanged clock keeps running; a changed one starts afresh, a removed one stops.
        if (c.ownMinutes == 0) continue;
        const QTimer* clock = schedule.findChild<QTimer*>("checkTimer:Box");
        schedule.StartOwn(own);
        EXPECT_EQ(schedule.findChild<QTimer*>("checkTimer:Box"), clock);
        schedule.StartOwn({});
        EXPECT_EQ(schedule.OwnIntervalMs("Box"), 0);
        EXPECT_TRUE(schedule.InGlobalRound("Box"));
    }
}

TEST(Autostart, PathAndQuoting) {
    EXPECT_EQ(AutostartPath("/cfg", "/home/a"), "/cfg/autostart/vellion.desktop");
    EXPECT_EQ(AutostartPath("rel", "/home/a"), "/home/a/.config/autostart/vellion.desktop");
    EXPECT_EQ(AutostartPath(nullptr, "/home/a"), "/home/a/.config/autostart/vellion.desktop");
    const std::string entry = AutostartEntry("/usr/bin/vellion", "/home/a/my \"mail\" 100%", false);
    EXPECT_NE(entry.find("Exec=\"/usr/bin/vellion\" --config-dir \"/home/a/my \\\\\"mail\\\\\" "
                         "100%%\"\n"),
              std::string::npos)
        << entry;
}
TEST_F(SettingsWindowTest, AnAccountsKeysFollowItsRenameAndGoWithIt) {
    ASSERT_TRUE(SetInRounds("Work", false));
    ASSERT_TRUE(SetOwnCheckMinutes("Work", 30));
    ASSERT_TRUE(MoveAccountSettings("Work", "Job"));
    EXPECT_TRUE(InRounds("Work"));
    EXPECT_EQ(OwnCheckMinutes("Work"), std::nullopt);
    EXPECT_FALSE(InRounds("Job"));
    EXPECT_EQ(OwnCheckMinutes("Job"), 30);
    ASSERT_TRUE(MoveAccountSettings("Job", ""));
    EXPECT_TRUE(InRounds("Job"));
    EXPECT_EQ(OwnCheckMinutes("Job"), std::nullopt);
}

} // namespace
