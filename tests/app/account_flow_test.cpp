#include "ui_fixture.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

namespace {
struct EditorInput {
    QString name, server, user, pass;
    bool remember = false;
    QString timeout = "90";
};

void Fill(QDialog& editor, const EditorInput& in) {
    editor.findChild<QLineEdit*>("acc_name")->setText(in.name);
    editor.findChild<QLineEdit*>("acc_server")->setText(in.server);
    editor.findChild<QLineEdit*>("acc_user")->setText(in.user);
    editor.findChild<QLineEdit*>("acc_pass")->setText(in.pass);
    editor.findChild<QCheckBox*>("rem_pass")->setChecked(in.remember);
    editor.findChild<QLineEdit*>("tout")->setText(in.timeout);
}

void PressOk(QDialog& editor) {
    QTest::mouseClick(editor.findChild<QPushButton*>("ok"), Qt::LeftButton);
}

class AccountFlowTest : public UiTest {
protected:
    void Add(const EditorInput& in) {
        WithModal([this] { Find<QToolButton>("add_acc")->click(); },
                  [&](QDialog& editor) {
                      Fill(editor, in);
                      PressOk(editor);
                  });
    }
    // Opens the editor on the current account, lets change alter it, and presses OK.
    void Modify(const std::function<void(QDialog&)>& change) {
        WithModal([this] { Form().ModifyAccount1Click(); },
                  [&](QDialog& editor) {
                      change(editor);
                      PressOk(editor);
                  });
    }
    void Edit(QDialog& editor, const char* field, const QString& text) {
        editor.findChild<QLineEdit*>(field)->setText(text);
    }
    TAccount& Account(const std::string& name) {
        return Form().Accounts().At(Form().Accounts().IndexOf(name));
    }
};

TEST_F(AccountFlowTest, AddingTheFirstAccountReplacesThePlaceholderAndMakesItCurrent) {
    Start();
    Add({"Home", "pop.example", "me", "pw", true, "30"});
    EXPECT_EQ(TopLabels(), std::vector<std::string>{"Home"});
    EXPECT_EQ(NodeLabels(0), (std::vector<std::string>{"Home", "pop.example", "me"}));
    EXPECT_EQ(CurrentName(), "Home");
    EXPECT_EQ(Account("Home").Timeout, 30); // the Timeout field counts when adding too
    EXPECT_NE(ReadFile("mail.acc").find("NAME:Home"), std::string::npos);
    EXPECT_TRUE(messages.requests.empty());
}

TEST_F(AccountFlowTest, ASecondAccountIsAppendedAndTheCurrentOneStays) {
    Start();
    Add({"Home", "pop.example", "me", "", false});
    Add({"Work", "mail.work", "boss", "", false});
    EXPECT_EQ(TopLabels(), (std::vector<std::string>{"Home", "Work"}));
    EXPECT_EQ(NodeLabels(1), (std::vector<std::string>{"Work", "mail.work", "boss"}));
    EXPECT_EQ(CurrentName(), "Home");
    EXPECT_EQ(Form().Tree().NodeCount(), 6);
}

TEST_F(AccountFlowTest, AddingANameInAnotherCaseIsRefused) {
    WriteAccounts({{"Home", "pop.example", "me"}});
    Start();
    Add({"HOME", "x", "y", "", false});
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"An account with that name already exists"});
    EXPECT_EQ(TopLabels(), std::vector<std::string>{"Home"});
}

TEST_F(AccountFlowTest, AnEmptyNameKeepsTheEditorOpen) {
    Start();
    bool stillOpen = false;
    WithModal([this] { Find<QToolButton>("add_acc")->click(); },
              [&](QDialog& editor) {
                  PressOk(editor);
                  stillOpen = editor.isVisible();
                  editor.reject();
              });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"You have not specified an account name"});
    EXPECT_EQ(Form().Accounts().Count(), 0);
}

TEST_F(AccountFlowTest, RenamingRelabelsTheNodeAndKeepsEveryDetailLine) {
    WriteAccounts({{"A", "a.example", "ua"}, {"B", "b.example", "ub"}});
    Start();
    ASSERT_EQ(CurrentName(), "B");
    Modify([this](QDialog& editor) { Edit(editor, "acc_name", "Bee"); });
    EXPECT_EQ(TopLabels(), (std::vector<std::string>{"Bee", "A"}));
    EXPECT_EQ(NodeLabels(0), (std::vector<std::string>{"Bee", "b.example", "ub"}));
    EXPECT_EQ(NodeLabels(1), (std::vector<std::string>{"A", "a.example", "ua"}));
    EXPECT_EQ(Form().Tree().currentItem(), Form().Tree().topLevelItem(0));
    EXPECT_TRUE(messages.requests.empty());
}

TEST_F(AccountFlowTest, ACaseOnlyRenameIsNotApplied) {
    WriteAccounts({{"home", "pop.example", "me"}});
    Start();
    Modify([this](QDialog& editor) { Edit(editor, "acc_name", "Home"); });
    EXPECT_EQ(TopLabels(), std::vector<std::string>{"home"});
    EXPECT_EQ(CurrentName(), "home");
    EXPECT_TRUE(messages.requests.empty());
}

TEST_F(AccountFlowTest, RenamingToAnotherAccountsNameIsRefused) {
    WriteAccounts({{"A", "a.example", "ua"}, {"B", "b.example", "ub"}});
    Start();
    Modify([this](QDialog& editor) {
        Edit(editor, "acc_name", "a");
        Edit(editor, "acc_server", "changed");
    });
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"You already have an account with this "
                                       "name:\r\nplease choose a different name"});
    EXPECT_EQ(NodeLabels(0), (std::vector<std::string>{"B", "b.example", "ub"}));
}

TEST_F(AccountFlowTest, AServerChangeShowsOnTheServerLine) {
    WriteAccounts({{"A", "a.example", "ua"}});
    Start();
    Modify([this](QDialog& editor) { Edit(editor, "acc_server", "new.example"); });
    EXPECT_EQ(NodeLabels(0), (std::vector<std::string>{"A", "new.example", "ua"}));
    EXPECT_EQ(Account("A").Server, "new.example");
    EXPECT_TRUE(messages.requests.empty());
}

TEST_F(AccountFlowTest, APasswordIsStoredOnlyWithSavePasswordTicked) {
    WriteAccounts({{"A", "a.example", "ua", "old", true}});
    Start();
    Modify([this](QDialog& editor) {
        Edit(editor, "acc_pass", "typed");
        editor.findChild<QCheckBox*>("rem_pass")->setChecked(false);
    });
    EXPECT_EQ(Account("A").Password, "old"); // unchanged in memory until the next save
    EXPECT_FALSE(Account("A").SavePassword);
    Modify([this](QDialog& editor) {
        Edit(editor, "acc_pass", "");
        editor.findChild<QCheckBox*>("rem_pass")->setChecked(true);
    });
    EXPECT_EQ(Account("A").Password, "");
    EXPECT_TRUE(Account("A").SavePassword);
}

TEST_F(AccountFlowTest, ATimeOutThatIsNoNumberBecomes90) {
    WriteAccounts({{"A", "a.example", "ua"}});
    Start();
    Modify([this](QDialog& editor) { Edit(editor, "tout", "-5"); });
    EXPECT_EQ(Account("A").Timeout, -5);
    Modify([this](QDialog& editor) { Edit(editor, "tout", "abc"); });
    EXPECT_EQ(Account("A").Timeout, 90);
}

TEST_F(AccountFlowTest, ModifyWithOnlyThePlaceholderOpensNothing) {
    Start();
    bool opened = false;
    WithModal([this] { Form().ModifyAccount1Click(); },
              [&](QDialog& editor) {
                  opened = true;
                  editor.reject();
              });
    EXPECT_FALSE(opened);
}

TEST_F(AccountFlowTest, DeletingTheOnlyAccountBringsBackThePlaceholder) {
    WriteAccounts({{"Home", "pop.example", "me"}});
    TForm1& form = Start();
    form.Accounts().Current()->Rows = {"d\x01"
                                       "f\x01"
                                       "s\x01"
                                       "1\x01"
                                       "id"};
    form.ShowAccountRows(0);
    messages.answers.push_back(TMsgResult::Yes);
    Find<QToolButton>("del_acc")->click();
    ASSERT_EQ(messages.requests.size(), 1u);
    EXPECT_EQ(messages.requests[0].Text, "Delete account \"Home\"?");
    EXPECT_EQ(messages.requests[0].Buttons, TMsgButtons::YesNo);
    EXPECT_EQ(messages.requests[0].Caption, "Confirm");
    EXPECT_EQ(TopLabels(), std::vector<std::string>{"No accounts created yet"});
    EXPECT_EQ(form.Tree().NodeCount(), 1);
    EXPECT_EQ(form.Accounts().CurrentIndex(), -1);
    EXPECT_EQ(form.Grid().RowCount(), 2);
    EXPECT_TRUE(form.Grid().RowEmpty(1));
    EXPECT_EQ(ReadFile("mail.acc"), "");
}

TEST_F(AccountFlowTest, DeletingOneOfTwoSelectsTheOtherAndShowsItsRows) {
    WriteAccounts({{"A", "a.example", "ua"}, {"B", "b.example", "ub"}});
    TForm1& form = Start();
    form.Accounts().At(0).Rows = {"dateA\x01"
                                  "fromA"};
    form.Accounts().At(0).LastRefresh = "10:11:12";
    form.Tree().setCurrentItem(form.Tree().topLevelItem(0)->child(1)); // B's login line
    messages.answers.push_back(TMsgResult::Yes);
    form.del_accClick();
    EXPECT_EQ(TopLabels(), std::vector<std::string>{"A"});
    EXPECT_EQ(CurrentName(), "A");
    EXPECT_EQ(form.Accounts().CurrentIndex(), 0);
    EXPECT_EQ(form.Grid().Cell(0, 1), "dateA");
    EXPECT_EQ(Find<QLabel>("refreshed")->text(), "10:11:12");
}

TEST_F(AccountFlowTest, AnsweringNoDeletesNothing) {
    WriteAccounts({{"Home", "pop.example", "me"}});
    TForm1& form = Start();
    form.del_accClick();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Delete account \"Home\"?"});
    EXPECT_EQ(TopLabels(), std::vector<std::string>{"Home"});
    EXPECT_EQ(form.Accounts().Count(), 1);
}

TEST_F(AccountFlowTest, DeleteWithoutAccountsSaysSo) {
    Start();
    Find<QToolButton>("del_acc")->click();
    ASSERT_EQ(messages.requests.size(), 1u);
    EXPECT_EQ(messages.requests[0].Text, "No accounts exist");
    EXPECT_EQ(messages.requests[0].Buttons, TMsgButtons::Ok);
    EXPECT_EQ(messages.requests[0].Caption, ""); // the application title
}

TEST_F(AccountFlowTest, CachedRowsFillTheTableCellByCell) {
    WriteAccounts({{"A", "a.example", "ua"}});
    TForm1& form = Start();
    form.Accounts().At(0).Rows = {"d1\x01"
                                  "f1\x01"
                                  "s1\x01"
                                  "2\x01"
                                  "<id1>",
                                  "d2\x01"
                                  "f2\x01"
                                  "s2",
                                  "\x01\x01\x01\x01"
                                  "x\x01y"};
    form.ShowAccountRows(0);
    TMessageGrid& grid = form.Grid();
    ASSERT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.Cell(4, 1), "<id1>");
    EXPECT_EQ(grid.Cell(2, 2), "s2"); // two separators: three cells filled, two empty
    EXPECT_EQ(grid.Cell(3, 2), "");
    EXPECT_EQ(grid.Cell(4, 2), "");
    EXPECT_EQ(grid.Cell(4, 3), "x\x01y"); // the fifth cell keeps all that remains
    form.ClearTable();
    EXPECT_EQ(grid.RowCount(), 2);
    EXPECT_TRUE(grid.RowEmpty(1));
}

TEST_F(AccountFlowTest, CellsKeepEveryByte) {
    Start();
    TMessageGrid& grid = Form().Grid();
    std::string bytes;
    for (int b = 1; b < 256; ++b)
        bytes += static_cast<char>(b);
    grid.SetCell(2, 1, bytes);
    EXPECT_EQ(grid.Cell(2, 1), bytes);
}

TEST_F(AccountFlowTest, ARefreshWithAnUnknownTopLevelLabelStopsWithAMessage) {
    WriteAccounts({{"A", "a.example", "ua"}});
    TForm1& form = Start();
    TAccountTree::SetLabel(form.Tree().topLevelItem(0), "Ghost");
    form.RefreshAccountNodes("", "");
    EXPECT_EQ(
        messages.Texts(),
        std::vector<std::string>{"An error occured refreshing accounts: please restart program"});
}
} // namespace
