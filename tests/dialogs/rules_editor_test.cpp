#include "dialogs/rules_editor.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <gtest/gtest.h>

namespace {

// The editor adds only rules that can apply, moves and removes them in order, and hands back
// the allow and block lists one entry a line.
TEST(RulesEditorTest, EditsTheOrderedRulesAndBothLists) {
    TMailRules given;
    given.Allowed = {"boss@example.com"};
    TRulesEditor editor(given, {"Home"});
    auto* value = editor.findChild<QLineEdit*>("ruleValue");
    auto* field = editor.findChild<QComboBox*>("ruleField");
    auto* list = editor.findChild<QListWidget*>("ruleList");

    field->setCurrentIndex(static_cast<int>(TRuleField::Subject));
    EXPECT_FALSE(editor.AddRule()); // no text
    EXPECT_FALSE(editor.findChild<QLabel*>("ruleProblem")->text().isEmpty());
    value->setText("offer");
    ASSERT_TRUE(editor.AddRule());
    editor.findChild<QComboBox*>("ruleAccount")->setCurrentIndex(1);
    field->setCurrentIndex(static_cast<int>(TRuleField::Size));
    editor.findChild<QComboBox*>("ruleTest")->setCurrentIndex(static_cast<int>(TRuleTest::Above));
    value->setText("2000000");
    ASSERT_TRUE(editor.AddRule());
    EXPECT_EQ(list->item(1)->text().toStdString(),
              "Account Home: if size is above \"2000000\" then mark for deletion");
    editor.MoveRule(-1);
    editor.findChild<QPlainTextEdit*>("blockList")->setPlainText("spam.example\n\n  @junk.test \n");

    TMailRules rules = editor.Rules();
    ASSERT_EQ(rules.Rules.size(), 2u);
    EXPECT_EQ(rules.Rules[0].Account, "Home");
    EXPECT_EQ(rules.Rules[0].Field, TRuleField::Size);
    EXPECT_EQ(rules.Rules[1].Value, "offer");
    EXPECT_EQ(rules.Allowed, std::vector<std::string>{"boss@example.com"});
    EXPECT_EQ(rules.Blocked, (std::vector<std::string>{"spam.example", "@junk.test"}));
    list->setCurrentRow(0);
    editor.RemoveRule();
    EXPECT_EQ(editor.Rules().Rules.size(), 1u);
    EXPECT_EQ(editor.Rules().Rules[0].Value, "offer");
}

} // namespace
