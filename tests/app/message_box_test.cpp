#include "dialogs/qt_message_box.h"
#include "platform/exception.h"
#include "ui_fixture.h"
#include "widgets/ui_guard.h"

#include <QMessageBox>
#include <QPushButton>

namespace {
// The widget-backed boxes: caption, icon and buttons as the program shows them.
class QtMessageBoxTest : public testing::Test {
protected:
    void SetUp() override { InstallQtMessageBoxHandler(); }
    void TearDown() override { SetMessageBoxHandler({}); }

    // Shows request, notes what the box looked like, and presses the button captioned press.
    TMsgResult ShowAndPress(const TMsgRequest& request, const QString& press) {
        TMsgResult result = TMsgResult::Cancel;
        UiTest::WithModal([&] { result = ShowMessageBox(request); },
                          [&](QDialog& dialog) {
                              auto* box = qobject_cast<QMessageBox*>(&dialog);
                              ASSERT_NE(box, nullptr);
                              title = box->windowTitle();
                              icon = box->icon();
                              text = box->text();
                              captions.clear();
                              for (QAbstractButton* button : box->buttons())
                                  captions << button->text();
                              for (QAbstractButton* button : box->buttons())
                                  if (button->text() == press) button->click();
                          });
        return result;
    }

    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QStringList captions;
};

TEST_F(QtMessageBoxTest, APlainMessageCarriesTheApplicationTitleAndOk) {
    EXPECT_EQ(ShowAndPress({TMsgKind::Information, TMsgButtons::Ok, {}, "No accounts exist"}, "OK"),
              TMsgResult::Ok);
    EXPECT_EQ(title, "Vellion");
    EXPECT_EQ(text, "No accounts exist");
    EXPECT_EQ(captions, QStringList{"OK"});
}

TEST_F(QtMessageBoxTest, AConfirmationAsksWithYesAndNo) {
    const TMsgRequest question{TMsgKind::Confirmation, TMsgButtons::YesNo, "Confirm", "Sure?"};
    EXPECT_EQ(ShowAndPress(question, "&Yes"), TMsgResult::Yes);
    EXPECT_EQ(title, "Confirm");
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_TRUE(captions.contains("&Yes") && captions.contains("&No"));
    EXPECT_EQ(ShowAndPress(question, "&No"), TMsgResult::No);
}

TEST_F(QtMessageBoxTest, TextKeepsItsBytes) {
    ShowAndPress({TMsgKind::Information, TMsgButtons::Ok, {}, "caf\xe9"}, "OK");
    EXPECT_EQ(text, QString::fromLatin1("caf\xe9"));
}

TEST(UiGuard, AFailureInAHandlerIsShownInAnErrorBox) {
    MessageScript messages;
    bool after = false;
    RunGuarded([] { throw Exception("Not Connected"); });
    RunGuarded([&] { after = true; });
    ASSERT_EQ(messages.requests.size(), 1u);
    EXPECT_EQ(messages.requests[0].Kind, TMsgKind::Error);
    EXPECT_EQ(messages.requests[0].Text, "Not Connected");
    EXPECT_TRUE(after);
}

TEST(UiGuard, ALongOrNulHoldingTextIsShownReadable) {
    MessageScript messages;
    const std::string withNul("-ERR bad\0rest\r\n", 15);
    const std::string huge = "-ERR " + std::string(30'000'000, 'x');
    RunGuarded([&] { throw Exception(withNul); });
    RunGuarded([&] { throw Exception(huge); });
    ASSERT_EQ(messages.requests.size(), 2u);
    EXPECT_EQ(messages.requests[0].Text, withNul);
    EXPECT_EQ(messages.requests[1].Text, huge.substr(0, 400) + "...");
    EXPECT_EQ(ShownText(std::string(400, 'y')), std::string(400, 'y'));
}
} // namespace
