#include "app/autostart.h"
#include "app/desktop_settings.h"
#include "files/profile_file.h"
#include "mail/check_schedule.h"
#include "ui_fixture.h"

#include <QCheckBox>
#include <QListWidget>
#include <QSpinBox>
#include <QTest>

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
} // namespace
