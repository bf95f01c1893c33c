// Nothing is cut off: every label, button, heading and tree label of the window and the
// dialogs is at least as wide as its text in the font of this machine; the dialogs carry their
// plain titles and the fixed ones no maximise button.
#include "dialogs/account_editor.h"
#include "dialogs/password_prompt.h"
#include "dialogs/settings_dialog.h"
#include "mail_fixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {

int TextWidth(const QWidget& widget, const QString& text) {
    return widget.fontMetrics().horizontalAdvance(QString(text).remove('&'));
}

// What a control needs for its text, measured apart from its own size hint.
int Needed(const QAbstractButton& button) {
    const QStyle& style = *button.style();
    const int text = TextWidth(button, button.text());
    if (qobject_cast<const QCheckBox*>(&button))
        return style.pixelMetric(QStyle::PM_IndicatorWidth) +
               style.pixelMetric(QStyle::PM_CheckBoxLabelSpacing) + text;
    if (qobject_cast<const QPushButton*>(&button))
        return text + (button.icon().isNull() ? 0 : button.iconSize().width() + 4) +
               2 * style.pixelMetric(QStyle::PM_ButtonMargin);
    return text + 4; // a tool button with its text under the glyph
}

// The controls of a window narrower than their texts, by name and text.
std::vector<std::string> CutOff(QWidget& window) {
    std::vector<std::string> cut;
    for (const QLabel* label : window.findChildren<QLabel*>())
        if (label->isVisibleTo(&window) &&
            (label->wordWrap() ? label->height() < label->heightForWidth(label->width())
                               : label->contentsRect().width() < TextWidth(*label, label->text())))
            cut.push_back(label->objectName().toStdString() + ": " + label->text().toStdString());
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        if (button->isVisibleTo(&window) && !button->text().isEmpty() &&
            button->width() < Needed(*button))
            cut.push_back(button->objectName().toStdString() + ": " + button->text().toStdString());
    return cut;
}

bool FixedWithoutMaximise(const QWidget& dialog) {
    const Qt::WindowFlags flags = dialog.windowFlags();
    return dialog.minimumSize() == dialog.maximumSize() && (flags & Qt::CustomizeWindowHint) &&
           !(flags & Qt::WindowMaximizeButtonHint);
}

class LayoutTest : public MailTest {};

TEST_F(LayoutTest, TheMainWindowItsHeadingsAndTheEmptyTree) {
    TForm1& form = Start();
    form.show();
    EXPECT_EQ(CutOff(form), std::vector<std::string>{});
    const QHeaderView& heading = *form.Grid().horizontalHeader();
    const int margin = form.style()->pixelMetric(QStyle::PM_HeaderMargin);
    for (int column = 0; column < TMessageGrid::Columns; ++column) {
        const QString text = form.Grid().horizontalHeaderItem(column)->text();
        EXPECT_GE(heading.sectionSize(column), TextWidth(heading, text) + 2 * margin) << column;
    }
    QTreeWidget& tree = form.Tree();
    QTreeWidgetItem* placeholder = tree.topLevelItem(0);
    EXPECT_LE(tree.visualItemRect(placeholder).x() + TextWidth(tree, placeholder->text(0)),
              tree.viewport()->width());
}

TEST_F(LayoutTest, TheStatusDialogGrowsToEveryTextAndKeepsItsDesignedSize) {
    Start();
    TStatus& status = Status();
    status.show();
    EXPECT_GE(status.width(), 266);
    EXPECT_GE(status.height(), 81);
    for (const char* text :
         {"Error authenticating: check your user details",
          "Error connecting to server: check your settings",
          "Invalid host specified: check your settings", "Checking mail account...",
          "Connecting to a-rather-long-mail-server-name.example.com:995"}) {
        status.SetText(text);
        EXPECT_EQ(CutOff(status), std::vector<std::string>{}) << text;
    }
    EXPECT_EQ(status.windowTitle(), "Status");
    EXPECT_TRUE(FixedWithoutMaximise(status));
}

TEST_F(LayoutTest, TheViewerTheEditorAndThePrompt) {
    Start();
    Viewer().show();
    EXPECT_EQ(CutOff(Viewer()), std::vector<std::string>{});

    TAccounts accounts;
    auto* editor = new Tacc_info(accounts); // deletes itself when closed
    editor->show();
    EXPECT_EQ(CutOff(*editor), std::vector<std::string>{});
    EXPECT_EQ(editor->windowTitle(), "Account");
    EXPECT_TRUE(FixedWithoutMaximise(*editor));
    // The time-out field stands right of its label, not over its colon.
    EXPECT_GT(editor->findChild<QWidget*>("tout")->x(),
              editor->findChild<QWidget*>("lbl_tout")->geometry().right());
    editor->close();

    Tpassword prompt;
    prompt.show();
    EXPECT_EQ(CutOff(prompt), std::vector<std::string>{});
    EXPECT_TRUE(FixedWithoutMaximise(prompt));
}

} // namespace

namespace {
// The window and every control of its toolbar lie within the screen's room; small_screen_tests
// runs this at scale 2 on a 1024x600 screen, where the toolbar closes up.
TEST_F(LayoutTest, TheWindowAndItsToolbarFitTheScreen) {
    TForm1& form = Start();
    form.ShowAtStart();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    const QRect room = form.screen()->availableGeometry();
    EXPECT_TRUE(room.contains(form.geometry())) << form.width() << "x" << form.height();
    form.SetRefreshed("12:34:56");
    for (const QWidget* control : Find<QWidget>("Panel3")->findChildren<QWidget*>())
        EXPECT_LE(control->mapTo(&form, QPoint(control->width(), control->height())).x(),
                  form.width())
            << control->objectName().toStdString();
    EXPECT_EQ(CutOff(form), std::vector<std::string>{});
    TSettingsChoice choice;
    choice.Accounts = {{"Home", true, std::nullopt}, {"Work", false, 30}};
    TSettingsDialog settings(choice, &form);
    settings.show();
    EXPECT_LE(settings.width(), room.width());
    EXPECT_LE(settings.height(), room.height());
    EXPECT_EQ(CutOff(settings), std::vector<std::string>{});
}
} // namespace
