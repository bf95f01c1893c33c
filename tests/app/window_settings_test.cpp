#include "app/settings_file.h"
#include "app/window_placement.h"
#include "ui_fixture.h"
#include "widgets/body_panels.h"

#include <QMouseEvent>
#include <QSplitter>
#include <climits>

namespace {
class WindowSettingsTest : public UiTest {
protected:
    TBodyPanels& Body() { return *Form().findChild<TBodyPanels*>(); }
    QSplitter& Split() { return *Form().findChild<QSplitter*>("tableSplit"); }

    // A mouse move over the divider by dx, with the given buttons held.
    void MoveOverDivider(int dx, Qt::MouseButtons buttons) {
        TDivider* divider = Body().Divider();
        const QPointF at(dx, 10);
        QMouseEvent move(QEvent::MouseMove, at, divider->mapToGlobal(at), Qt::NoButton, buttons,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(divider, &move);
    }

    // The keys of the section in the order they stand in the file.
    std::vector<std::string> KeysInFile() {
        std::vector<std::string> keys;
        for (const QString& line : QString::fromStdString(ReadFile("tarsel.ini")).split('\n')) {
            const qsizetype equals = line.indexOf('=');
            if (equals > 0) keys.push_back(line.left(equals).trimmed().toStdString());
        }
        return keys;
    }
    // The value of key as the file holds it.
    static std::string Key(const char* key) {
        const QString prefix = QString(key) + "=";
        for (const QString& line : QString::fromStdString(ReadFile("tarsel.ini")).split('\n'))
            if (line.startsWith(prefix)) return line.mid(prefix.size()).trimmed().toStdString();
        return "<absent>";
    }
};

TEST_F(WindowSettingsTest, DraggingTheDividerLeftStopsAt80) {
    Start();
    const int start = Body().Panel2Width(); // designed, or wider to show the placeholder whole
    MoveOverDivider(-30, Qt::LeftButton);
    EXPECT_EQ(Body().Panel2Width(), start - 30);
    MoveOverDivider(-100, Qt::LeftButton);
    EXPECT_EQ(Body().Panel2Width(), 80);
    MoveOverDivider(-10, Qt::LeftButton);
    EXPECT_EQ(Body().Panel2Width(), 80);
}

TEST_F(WindowSettingsTest, DraggingTheDividerRightHasNoLimit) {
    TForm1& form = Start();
    const int start = Body().Panel2Width();
    MoveOverDivider(2000, Qt::LeftButton);
    EXPECT_EQ(Body().Panel2Width(), start + 2000);
    EXPECT_EQ(form.width(), 640); // the window does not grow; the table side gets nothing
    EXPECT_EQ(Body().Panel1()->width(), 0);
}

TEST_F(WindowSettingsTest, MovingWithoutTheLeftButtonDoesNothing) {
    Start();
    const int start = Body().Panel2Width();
    MoveOverDivider(40, Qt::NoButton);
    MoveOverDivider(40, Qt::RightButton);
    EXPECT_EQ(Body().Panel2Width(), start);
}

TEST_F(WindowSettingsTest, ClosingUnmaximizedWritesTheKeysInOrder) {
    TForm1& form = Start();
    form.ShowAtStart();
    form.move(40, 50);
    form.resize(600, 380);
    form.Grid().setColumnWidth(2, 99);
    const int start = Body().Panel2Width();
    MoveOverDivider(20, Qt::LeftButton);
    Split().setSizes({200, 100});
    const QList<int> split = Split().sizes();
    form.close();
    EXPECT_EQ(KeysInFile(), (std::vector<std::string>{"col1", "col2", "col3", "col4", "col5",
                                                      "window_pos", "window_size", "window_max",
                                                      "panel2", "sort", "preview_split"}));
    EXPECT_EQ(Key("col1"), std::to_string(std::max(119, form.Grid().LeastWidth(0))));
    EXPECT_EQ(Key("col3"), "99");
    EXPECT_EQ(Key("window_pos"), "40,50");
    EXPECT_EQ(Key("window_size"), "600,380");
    EXPECT_EQ(Key("window_max"), "0");
    EXPECT_EQ(Key("panel2"), std::to_string(start + 20));
    EXPECT_EQ(Key("sort"), "0,0"); // message order
    EXPECT_EQ(Key("preview_split"), FormatPair({split[0], split[1]}));
    // The next start puts the divider between table and preview back where it was.
    Start().ShowAtStart();
    EXPECT_EQ(Split().sizes(), split);
    EXPECT_NE(ReadFile("tarsel.ini").find("[general]"), std::string::npos);
}

TEST_F(WindowSettingsTest, ClosingMaximizedKeepsTheEarlierPositionAndSize) {
    WriteFile("tarsel.ini", "[general]\r\nwindow_pos=30,40\r\nwindow_size=500,300\r\n");
    TForm1& form = Start();
    form.showMaximized();
    ASSERT_TRUE(form.isMaximized());
    form.close();
    EXPECT_EQ(Key("window_max"), "1");
    EXPECT_EQ(Key("window_pos"), "30,40");
    EXPECT_EQ(Key("window_size"), "500,300");
    program.reset();

    // The next start applies that position and size, then maximizes.
    TForm1& again = Start();
    EXPECT_EQ(again.pos(), QPoint(30, 40));
    EXPECT_EQ(again.size(), QSize(500, 300));
    again.ShowAtStart();
    EXPECT_TRUE(again.isMaximized());
}

TEST_F(WindowSettingsTest, ClosingSavesTheAccounts) {
    WriteAccounts({{"A", "a.example", "ua", "secret", true}});
    TForm1& form = Start();
    form.Accounts().At(0).Server = "changed.example";
    form.close();
    EXPECT_NE(ReadFile("mail.acc").find("SERVER:changed.example"), std::string::npos);
    EXPECT_TRUE(messages.requests.empty());
}

TEST_F(WindowSettingsTest, AFailedAccountsSaveAtCloseIsReportedAndTheWindowStillCloses) {
    TForm1& form = Start();
    ASSERT_TRUE(QDir().mkdir("mail.acc")); // a directory where the file should be
    form.ShowAtStart();
    EXPECT_TRUE(form.close());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Error saving account information"});
    EXPECT_EQ(Key("window_max"), "0");
}

// Values of any size in the file: the window fits the screen and is saved back that way.
TEST_F(WindowSettingsTest, HostileValuesGiveAWindowThatFitsTheScreen) {
    WriteFile("tarsel.ini", "[general]\r\ncol1=2147483647\r\nwindow_pos=2147483647,-2147483648"
                            "\r\nwindow_size=30000,2147483647\r\npanel2=2147483647\r\n");
    TForm1& form = Start();
    const QRect screen = ScreenAreas().first();
    EXPECT_LE(form.width(), screen.width());
    EXPECT_LE(form.height(), screen.height());
    EXPECT_TRUE(screen.contains(form.pos()));
    EXPECT_LE(Body().Panel2Width(), form.width());
    EXPECT_LE(form.Grid().columnWidth(0), form.width());
    form.close();
    const std::optional<TWindowSettings::TPair> saved = ParsePair(Key("window_size"));
    ASSERT_TRUE(saved);
    EXPECT_LE(saved->First, screen.width());
    EXPECT_LE(saved->Second, screen.height());
}

TEST_F(WindowSettingsTest, AFailedSettingsSaveAtCloseIsReported) {
    TForm1& form = Start();
    ASSERT_TRUE(QDir().mkdir("tarsel.ini"));
    EXPECT_TRUE(form.close());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Error saving window settings"});
}

TEST(SettingsPairs, TwoWholeNumbersJoinedByAComma) {
    EXPECT_EQ(ParsePair("197,186"), (TWindowSettings::TPair{197, 186}));
    EXPECT_EQ(ParsePair("-5,7"), (TWindowSettings::TPair{-5, 7}));
    EXPECT_FALSE(ParsePair("abc"));
    EXPECT_FALSE(ParsePair("197"));
    EXPECT_FALSE(ParsePair("197,"));
    EXPECT_FALSE(ParsePair("1,2,3"));
    EXPECT_FALSE(ParsePair("1.5,2"));
    EXPECT_EQ(FormatPair({640, 409}), "640,409");
}

TEST(WindowPlacement, AWindowOnAScreenStaysWhereItIs) {
    const QList<QRect> screens{QRect(0, 0, 1024, 768), QRect(1024, 0, 800, 600)};
    EXPECT_EQ(PlaceOnScreen(QRect(100, 100, 640, 409), screens), QPoint(100, 100));
    EXPECT_EQ(PlaceOnScreen(QRect(1500, 200, 640, 409), screens), QPoint(1500, 200));
}

TEST(WindowPlacement, AWindowOffEveryScreenIsCentredOnTheFirst) {
    const QList<QRect> screens{QRect(0, 0, 1024, 768)};
    EXPECT_EQ(PlaceOnScreen(QRect(3000, 100, 640, 408), screens), QPoint(192, 180));
    EXPECT_EQ(PlaceOnScreen(QRect(1000, 100, 640, 408), screens), QPoint(192, 180)); // 24 px show
    EXPECT_EQ(PlaceOnScreen(QRect(100, -300, 640, 408), screens), QPoint(192, 180)); // title hidden
}
TEST(WindowPlacement, SettingsAreFittedToTheFirstScreen) {
    using TPair = TWindowSettings::TPair;
    const QList<QRect> screens{QRect(0, 0, 1024, 768), QRect(1024, 0, 3000, 2000)};
    TWindowSettings hostile;
    hostile.Size = TPair{30000, 500};
    hostile.Position = TPair{INT_MAX, INT_MIN};
    hostile.Panel2 = INT_MAX;
    hostile.Columns = {INT_MAX, 0, 151, 53, 64};
    const TWindowSettings fitted = FitWindowSettings(hostile, {640, 409}, screens);
    EXPECT_EQ(fitted.Size, (TPair{1024, 500}));
    EXPECT_EQ(fitted.Position, (TPair{1 << 24, -(1 << 24)}));
    EXPECT_EQ(fitted.Panel2, 1024);
    EXPECT_EQ(fitted.Columns, (std::array<int, 5>{1024, 0, 151, 53, 64}));
    const QPoint far(fitted.Position->First, fitted.Position->Second);
    EXPECT_EQ(PlaceOnScreen(QRect(far, QSize(1024, 500)), screens), QPoint(0, 134));

    TWindowSettings usual;
    usual.Position = TPair{30, 40};
    const TWindowSettings kept = FitWindowSettings(usual, {640, 409}, screens);
    EXPECT_FALSE(kept.Size);
    EXPECT_EQ(kept.Position, usual.Position);
    EXPECT_EQ(kept.Panel2, 153);
    // The designed size is fitted to a small screen too.
    EXPECT_EQ(FitWindowSettings(usual, {640, 409}, {QRect(0, 0, 600, 400)}).Size,
              (TPair{600, 400}));
}
} // namespace
