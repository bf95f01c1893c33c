#include "dialogs/password_prompt.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {
// Runs action on the prompt once it is shown modally by Ask.
bool AskAnd(const std::function<void(QDialog&)>& action, std::string& password) {
    QTimer::singleShot(0, [action] {
        auto* prompt = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(prompt, nullptr);
        action(*prompt);
    });
    return Tpassword::Ask(nullptr, password);
}

void Click(QDialog& prompt, const char* button) {
    QTest::mouseClick(prompt.findChild<QPushButton*>(button), Qt::LeftButton);
}

TEST(PasswordPromptTest, LayoutFollowsTheWindowDescription) {
    Tpassword prompt;
    EXPECT_EQ(prompt.windowTitle(), "POP Password");
    EXPECT_GE(prompt.width(), 265); // grown to its buttons' texts where the font needs it
    EXPECT_GE(prompt.height(), 108);
    EXPECT_EQ(prompt.findChild<QLabel*>("Label1")->text(), "Please enter your password : ");
    auto* pass = prompt.findChild<QLineEdit*>("pass");
    EXPECT_EQ(pass->geometry(), QRect(16, 40, 233, 21));
    EXPECT_EQ(pass->echoMode(), QLineEdit::Password);
    EXPECT_TRUE(prompt.findChild<QPushButton*>("OK")->isDefault());
    EXPECT_EQ(prompt.findChild<QPushButton*>("Cancel")->text(), "Cancel");
}

TEST(PasswordPromptTest, OkGivesTheTypedBytes) {
    std::string password = "old";
    EXPECT_TRUE(AskAnd(
        [](QDialog& prompt) {
            auto* pass = prompt.findChild<QLineEdit*>("pass");
            QTest::keyClicks(pass, "s3cr");
            pass->insert(QString::fromLatin1("\xE9t"));
            QTest::keyClick(&prompt, Qt::Key_Return);
        },
        password));
    EXPECT_EQ(password, "s3cr\xE9t");
    EXPECT_TRUE(AskAnd([](QDialog& prompt) { Click(prompt, "OK"); }, password));
    EXPECT_EQ(password, "") << "an empty password is a valid answer";
}

TEST(PasswordPromptTest, CancelEscapeAndTheFrameGiveNoPassword) {
    std::string password = "kept";
    EXPECT_FALSE(AskAnd(
        [](QDialog& prompt) {
            QTest::keyClicks(prompt.findChild<QLineEdit*>("pass"), "typed");
            Click(prompt, "Cancel");
        },
        password));
    EXPECT_FALSE(AskAnd([](QDialog& prompt) { prompt.close(); }, password));
    EXPECT_FALSE(
        AskAnd([](QDialog& prompt) { QTest::keyClick(&prompt, Qt::Key_Escape); }, password));
    EXPECT_EQ(password, "kept");
}

TEST(PasswordPromptTest, EntryIsEmptyEachTimeItIsShown) {
    Tpassword prompt;
    auto* pass = prompt.findChild<QLineEdit*>("pass");
    pass->setText("left over");
    prompt.show();
    EXPECT_EQ(pass->text(), "");
    QTest::keyClicks(pass, "abc");
    EXPECT_EQ(prompt.Password(), "abc");
    prompt.hide();
    prompt.show();
    EXPECT_EQ(pass->text(), "");
}
} // namespace
