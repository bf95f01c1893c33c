// The program at start: the configuration folder it enters, the window as the files make it,
// and the question whether to move scrambled passwords into the keyring.
#include "app/config_folder.h"
#include "app/program.h"
#include "dialogs/header_viewer.h"
#include "dialogs/status_dialog.h"
#include "tests/support/memory_secret_store.h"
#include "ui_fixture.h"
#include "widgets/body_panels.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QTemporaryDir>
#include <QToolButton>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
using StartTest = UiTest;

std::string Text(const QLabel* label) {
    return label ? label->text().toStdString() : "<missing>";
}

TEST_F(StartTest, WithoutFilesShowsThePlaceholderAtTheDesignedSize) {
    TForm1& form = Start();
    EXPECT_EQ(TopLabels(), std::vector<std::string>{"No accounts created yet"});
    EXPECT_EQ(form.Tree().NodeCount(), 1);
    EXPECT_EQ(form.Accounts().Count(), 0);
    EXPECT_EQ(form.Accounts().CurrentIndex(), -1);
    EXPECT_EQ(form.size(), QSize(640, 409));
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(form.geometry().center().x() / 2, screen.center().x() / 2);
    // The designed widths at least, wider where a heading or the placeholder needs it.
    const std::vector<int> widths{119, 145, 151, 53, 64};
    for (int column = 0; column < 5; ++column)
        EXPECT_GE(form.Grid().columnWidth(column), widths[static_cast<size_t>(column)]);
    // A date in a bold (new) row fits too.
    EXPECT_EQ(form.Grid().columnWidth(0), std::max(119, form.Grid().LeastWidth(0)));
    EXPECT_GE(form.findChild<TBodyPanels*>()->Panel2Width(), 153);
    EXPECT_TRUE(form.Mail().Flags().LoggedIn);
    EXPECT_TRUE(messages.requests.empty());
}

TEST_F(StartTest, TheWindowCarriesItsDesignedWidgets) {
    TForm1& form = Start();
    EXPECT_EQ(form.windowTitle(), "Vellion");
    EXPECT_FALSE(form.windowIcon().isNull());
    struct Button {
        const char* name;
        int x;
        const char* caption;
        const char* hint; // with the button's shortcut
    };
    for (const Button& b :
         {Button{"add_acc", 4, "Account", "Add a new account (Ctrl+N)"},
          Button{"del_acc", 84, "Account", "Delete selected account (Ctrl+D)"},
          Button{"check_mail", 204, "Check", "Check e-mail (F5); every account: Shift+F5"},
          Button{"del_mail", 284, "Mail", "Remove selected e-mail from server (Del)"},
          Button{"HeadBtn", 364, "Headers", "Headers (Ctrl+U)"},
          Button{"del_marked", 444, "Marked", "Delete the mail marked by rules (Shift+Del)"}}) {
        auto* button = Find<QToolButton>(b.name);
        ASSERT_NE(button, nullptr) << b.name;
        EXPECT_EQ(button->text(), b.caption);
        EXPECT_EQ(button->toolTip(), b.hint);
        EXPECT_EQ(button->pos(), QPoint(b.x, 4)) << b.name;
        EXPECT_EQ(button->width(), 75) << b.name;
        EXPECT_GE(button->height(), 40) << b.name; // taller where the font needs it
        EXPECT_FALSE(button->icon().isNull());
        // The four two-state glyphs have a disabled picture of their own.
        const bool twoState = std::string(b.name) != "HeadBtn";
        EXPECT_EQ(!button->icon().availableSizes(QIcon::Disabled).isEmpty(), twoState) << b.name;
    }
    EXPECT_EQ(Text(Find<QLabel>("Label1")), "Last refresh : ");
    EXPECT_EQ(Text(Find<QLabel>("refreshed")), "(none)");
    EXPECT_GE(Find<QWidget>("Panel3")->height(), 49);
    EXPECT_NE(Find<QWidget>("smallpanel"), nullptr);
    EXPECT_EQ(Find<QWidget>("smallpanel")->cursor().shape(), Qt::SplitHCursor);
    EXPECT_EQ(Find<QWidget>("tree")->parentWidget(), Find<QWidget>("Panel2"));
    // The table above the preview pane, both in the table side.
    EXPECT_EQ(Find<QWidget>("grid")->parentWidget(), Find<QWidget>("tableSplit"));
    EXPECT_EQ(Find<QWidget>("previewPane")->parentWidget(), Find<QWidget>("tableSplit"));
    EXPECT_EQ(Find<QWidget>("tableSplit")->parentWidget(), Find<QWidget>("Panel1"));
}

TEST_F(StartTest, MenusHoldTheirItemsInOrder) {
    Start();
    auto* popup = Find<QMenu>("Popup");
    ASSERT_NE(popup, nullptr);
    ASSERT_EQ(popup->actions().size(), 7);
    EXPECT_EQ(popup->actions()[0]->text(), "Add Account");
    EXPECT_EQ(popup->actions()[1]->text(), "Remove Account");
    EXPECT_EQ(popup->actions()[2]->text(), "Modify Account");
    EXPECT_TRUE(popup->actions()[3]->isSeparator());
    EXPECT_EQ(popup->actions()[4]->text(), "Check All Accounts");
    EXPECT_EQ(popup->actions()[4]->shortcut(), QKeySequence("Shift+F5"));
    EXPECT_TRUE(popup->actions()[5]->isSeparator());
    EXPECT_EQ(popup->actions()[6]->text(), "Settings...");
    EXPECT_EQ(popup->actions()[6]->shortcut(), QKeySequence("Ctrl+,"));
    auto* popup2 = Find<QMenu>("popup2");
    ASSERT_NE(popup2, nullptr);
    ASSERT_EQ(popup2->actions().size(), 4);
    EXPECT_EQ(popup2->actions()[0]->objectName(), "Delete1");
    EXPECT_EQ(popup2->actions()[0]->text(), "Delete");
    EXPECT_EQ(popup2->actions()[1]->text(), "Delete Marked");
    EXPECT_TRUE(popup2->actions()[2]->isSeparator());
    EXPECT_EQ(popup2->actions()[3]->text(), "Mail Rules...");
}

TEST_F(StartTest, TheTableHasItsHeadingsAndOneEmptyRow) {
    TForm1& form = Start();
    TMessageGrid& grid = form.Grid();
    const QStringList headings{"Date", "From", "Subject", "Size (KB)", "MessageID"};
    for (int column = 0; column < 5; ++column)
        EXPECT_EQ(grid.horizontalHeaderItem(column)->text(), headings[column]);
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_TRUE(grid.RowEmpty(1));
    EXPECT_EQ(grid.selectionBehavior(), QAbstractItemView::SelectRows);
    EXPECT_EQ(grid.selectionMode(), QAbstractItemView::ContiguousSelection);
    EXPECT_EQ(grid.horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
}

TEST_F(StartTest, HeaderViewerAndStatusDialogAreCreatedHidden) {
    Start();
    ASSERT_NE(program->Headers, nullptr);
    ASSERT_NE(program->Status, nullptr);
    EXPECT_FALSE(program->Headers->isVisible());
    EXPECT_FALSE(program->Status->isVisible());
    EXPECT_EQ(program->Headers->windowTitle(), "Headers");
    EXPECT_EQ(program->Status->windowTitle(), "Status");
    EXPECT_EQ(Form().Headers(), program->Headers);
    EXPECT_EQ(Form().Status(), program->Status);
}

TEST_F(StartTest, AccountsABCShowAsBCAWithBCurrent) {
    WriteAccounts({{"A", "a.example", "ua"}, {"B", "b.example", "ub"}, {"C", "c.example", "uc"}});
    TForm1& form = Start();
    EXPECT_EQ(TopLabels(), (std::vector<std::string>{"B", "C", "A"}));
    EXPECT_EQ(NodeLabels(0), (std::vector<std::string>{"B", "b.example", "ub"}));
    EXPECT_EQ(NodeLabels(2), (std::vector<std::string>{"A", "a.example", "ua"}));
    EXPECT_EQ(form.Tree().NodeCount(), 9);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(form.Tree().topLevelItem(i)->isExpanded());
    EXPECT_EQ(CurrentName(), "B");
    EXPECT_EQ(form.Accounts().CurrentIndex(), 1);
    EXPECT_EQ(form.Tree().currentItem(), form.Tree().topLevelItem(0));
    EXPECT_EQ(Text(Find<QLabel>("refreshed")), "(none)");
}

TEST_F(StartTest, SavedSettingsAreApplied) {
    WriteFile("tarsel.ini", "[general]\r\ncol1=50\r\ncol2=60\r\ncol3=-1\r\ncol4=x\r\n"
                            "col5=70\r\nwindow_pos=20,30\r\nwindow_size=500,300\r\n"
                            "window_max=0\r\npanel2=200\r\n");
    TForm1& form = Start();
    EXPECT_EQ(form.Grid().columnWidth(0), 50);
    EXPECT_EQ(form.Grid().columnWidth(1), 60);
    EXPECT_EQ(form.Grid().columnWidth(2), 151); // -1 keeps the designed width
    EXPECT_GE(form.Grid().columnWidth(3), 53);  // not a number: designed, grown to its heading
    EXPECT_EQ(form.Grid().columnWidth(4), 70);
    EXPECT_EQ(form.pos(), QPoint(20, 30));
    EXPECT_EQ(form.size(), QSize(500, 300));
    EXPECT_EQ(form.findChild<TBodyPanels*>()->Panel2Width(), 200);
}

TEST_F(StartTest, BrokenGeometryValuesAreIgnoredAndTheTreeIsStillFilled) {
    WriteAccounts({{"A", "a.example", "ua"}});
    WriteFile("tarsel.ini", "[general]\r\nwindow_pos=abc\r\nwindow_size=640;409\r\npanel2=99\r\n");
    TForm1& form = Start();
    EXPECT_EQ(form.size(), QSize(640, 409));
    EXPECT_EQ(TopLabels(), std::vector<std::string>{"A"});
    EXPECT_EQ(CurrentName(), "A");
    EXPECT_EQ(form.findChild<TBodyPanels*>()->Panel2Width(), 99); // later keys still read
    EXPECT_TRUE(messages.requests.empty());
}

TEST_F(StartTest, APositionOffEveryScreenIsBroughtBack) {
    WriteFile("tarsel.ini", "[general]\r\nwindow_pos=-5000,-4000\r\nwindow_size=640,409\r\n");
    TForm1& form = Start();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(form.geometry().topLeft()));
}

TEST_F(StartTest, AnUnreadableAccountsFileShowsItsTextAndKeepsTheAccountsReadSoFar) {
    WriteFile("mail.acc", "NAME:Good\r\nSERVER:g.example\r\nUSER:ug\r\nPASS:\r\nTOUT:90\r\n"
                          "REMEM:0\r\n\x0b\r\nNAME:Bad\r\nSERVER:b\r\nUSER:u\r\nPASS:\r\n"
                          "TOUT:90\r\nREMEM:x\r\n\x0b\r\n");
    const std::string original = ReadFile("mail.acc");
    TForm1& form = Start();
    ASSERT_EQ(messages.requests.size(), 1u);
    EXPECT_EQ(messages.requests[0].Kind, TMsgKind::Error);
    EXPECT_NE(messages.requests[0].Text.find("'x' is not a valid integer value"),
              std::string::npos);
    EXPECT_EQ(TopLabels(), std::vector<std::string>{"Good"});
    EXPECT_EQ(CurrentName(), "Good");
    form.close();
    // The save at close keeps the unreadable file's text somewhere.
    bool kept = ReadFile("mail.acc") == original;
    for (const QString& name : QDir().entryList({"mail.acc.bak*"}))
        kept = kept || ReadFile(name.toLatin1().constData()) == original;
    EXPECT_TRUE(kept);
}

TEST_F(StartTest, SelectingAServerLineMakesItsAccountCurrent) {
    WriteAccounts({{"A", "a.example", "ua"}, {"B", "b.example", "ub"}});
    TForm1& form = Start();
    ASSERT_EQ(TopLabels(), (std::vector<std::string>{"B", "A"}));
    form.Tree().setCurrentItem(form.Tree().topLevelItem(1)->child(0));
    EXPECT_EQ(CurrentName(), "A");
    form.Tree().setCurrentItem(form.Tree().topLevelItem(0)->child(1));
    EXPECT_EQ(CurrentName(), "B");
}

TEST_F(StartTest, SelectingThePlaceholderChangesNothing) {
    TForm1& form = Start();
    form.Tree().setCurrentItem(nullptr);
    form.Tree().setCurrentItem(form.Tree().topLevelItem(0));
    EXPECT_EQ(form.Accounts().CurrentIndex(), -1);
    EXPECT_TRUE(messages.requests.empty());
}
} // namespace

namespace {
TEST(ConfigFolder, ChoiceFollowsTheOptionsAndTheBaseDirectoryRules) {
    struct Case {
        bool launcher;
        const char* named;
        const char* configHome;
        const char* home;
        const char* expected;
    };
    for (const Case& c : {
             Case{false, "", "/x", "/h", ""},          // shell: working directory
             Case{true, "", "/x", "/h", "/x/vellion"}, // launcher
             Case{true, "", nullptr, "/h", "/h/.config/vellion"},
             Case{true, "", "", "/h", "/h/.config/vellion"},    // empty is unset
             Case{true, "", "rel", "/h", "/h/.config/vellion"}, // relative is ignored
             Case{true, "", nullptr, nullptr, ""},
             Case{true, "/n", "/x", "/h", "/n"}, // a named folder wins
             Case{false, "rel/n", nullptr, nullptr, "rel/n"},
         })
        EXPECT_EQ(ChooseConfigFolder(c.launcher, c.named, c.configHome, c.home).path, c.expected)
            << c.launcher << " " << c.named;
}

mode_t ModeOf(const std::string& path) {
    struct stat s {};
    return ::stat(path.c_str(), &s) == 0 ? (s.st_mode & 07777) : 0;
}

TEST(ConfigFolder, EnteringMakesMissingFoldersOwnerOnlyAndLeavesOthersAlone) {
    const auto start = std::filesystem::current_path();
    QTemporaryDir tmp;
    const std::string root = tmp.path().toStdString();
    ::chmod(root.c_str(), 0755);
    const std::string folder = root + "/a/b";
    EXPECT_EQ(EnterConfigFolder({folder}), "");
    EXPECT_EQ(std::filesystem::current_path(), folder);
    EXPECT_EQ(ModeOf(root + "/a"), 0700u);
    EXPECT_EQ(ModeOf(folder), 0700u);
    EXPECT_EQ(ModeOf(root), 0755u);

    ::chmod(folder.c_str(), 0750); // an existing folder keeps the mode its owner gave it
    EXPECT_EQ(EnterConfigFolder({folder}), "");
    EXPECT_EQ(ModeOf(folder), 0750u);

    EXPECT_EQ(EnterConfigFolder({}), ""); // the working directory stays where it is
    EXPECT_EQ(std::filesystem::current_path(), folder);

    const std::string file = root + "/file";
    FILE* f = std::fopen(file.c_str(), "w");
    ASSERT_NE(f, nullptr);
    std::fclose(f);
    EXPECT_EQ(EnterConfigFolder({file}), "Cannot use the folder " + file + ": Not a directory");
    EXPECT_EQ(EnterConfigFolder({file + "/sub"}),
              "Cannot create the folder " + file + "/sub: Not a directory");
    std::filesystem::current_path(start);
}
} // namespace

// The question at start whether to move scrambled passwords into the keyring.
namespace {

class KeyringOfferTest : public UiTest {};

// Asked once, whatever the answer; yes moves the saved passwords and saves mail.acc without them.
TEST_F(KeyringOfferTest, AskedOnceMovingThePasswordsOnYes) {
    for (const TMsgResult answer : {TMsgResult::Yes, TMsgResult::No}) {
        SCOPED_TRACE(answer == TMsgResult::Yes ? "yes" : "no");
        QFile::remove("tarsel.ini");
        WriteAccounts({{"Home", "pop.home", "me", "secret", true}, {"Work", "pop.work", "me"}});
        MemorySecretStore keyring;
        TAccounts accounts;
        accounts.LoadFromFile();
        messages.requests.clear();
        messages.answers = {answer};
        EXPECT_EQ(OfferKeyring(accounts, keyring), answer == TMsgResult::Yes ? 1 : 0);
        EXPECT_EQ(messages.requests.size(), 1u);
        EXPECT_EQ(keyring.secrets.size(), answer == TMsgResult::Yes ? 1u : 0u);
        const bool inFile = ReadFile("mail.acc").find("SECRET:keyring") == std::string::npos;
        EXPECT_EQ(inFile, answer == TMsgResult::No);
        EXPECT_EQ(OfferKeyring(accounts, keyring), 0);
        EXPECT_EQ(messages.requests.size(), 1u) << "not asked again";
    }
}

} // namespace
