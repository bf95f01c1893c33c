// Every window and dialog names each control once for assistive technology, and the keyboard
// reaches what the mouse does.
#include "mail_fixture.h"

#include "dialogs/account_editor.h"
#include "dialogs/certificate_dialog.h"
#include "dialogs/password_prompt.h"

#include <QAccessible>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTextEdit>
#include <set>

using test_support::FakePop3Server;

namespace {

bool IsControl(const QWidget* widget) {
    return qobject_cast<const QAbstractButton*>(widget) || qobject_cast<const QLineEdit*>(widget) ||
           qobject_cast<const QComboBox*>(widget) || qobject_cast<const QTextEdit*>(widget) ||
           (qobject_cast<const QAbstractItemView*>(widget) &&
            !qobject_cast<const QHeaderView*>(widget));
}

// Scroll bars, headings and the lists inside a control are parts of it, named by Qt.
bool InsideControl(const QWidget* widget, const QWidget* window) {
    for (const QWidget* up = widget->parentWidget(); up && up != window; up = up->parentWidget())
        if (IsControl(up)) return true;
    return false;
}

void ExpectNamedOnce(const QWidget& window) {
    SCOPED_TRACE(window.windowTitle().toStdString());
    std::set<QString> names;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (widget->window() != &window) continue; // another window's
        const auto* label = qobject_cast<const QLabel*>(widget);
        if (label) {
            EXPECT_FALSE(label->text().contains('\r')) << label->text().toStdString();
            EXPECT_FALSE(label->text().startsWith(' ')) << label->text().toStdString();
        }
        if (!IsControl(widget) || InsideControl(widget, &window)) continue;
        QAccessibleInterface* access =
            QAccessible::queryAccessibleInterface(const_cast<QWidget*>(widget));
        const QString name = access ? access->text(QAccessible::Name) : QString();
        EXPECT_FALSE(name.trimmed().isEmpty()) << widget->objectName().toStdString();
        EXPECT_TRUE(names.insert(name).second)
            << "twice: " << name.toStdString() << " (" << widget->objectName().toStdString() << ")";
    }
    if (const auto* grid = window.findChild<const TMessageGrid*>()) {
        for (int column = 0; column < grid->columnCount(); ++column)
            EXPECT_FALSE(grid->horizontalHeaderItem(column)->text().startsWith(' '));
    }
}

class KeyboardAccessTest : public MailTest {
protected:
    void SetUp() override {
        MailTest::SetUp();
        server = std::make_unique<FakePop3Server>(
            std::vector<test_support::FakeMessage>{Numbered(1), Numbered(2)}, "bob", "pw");
        StartWith(*server);
        Form().show();
        ASSERT_TRUE(CheckToEnd());
    }
    QMenu& Menu(const char* name) { return *Form().findChild<QMenu*>(name); }

    std::unique_ptr<FakePop3Server> server;
};

TEST_F(KeyboardAccessTest, EveryWindowAndDialogNamesEachControlOnce) {
    ExpectNamedOnce(Form());
    Viewer().ShowLines(Account().Headers.front().Lines());
    ExpectNamedOnce(Viewer());
    Status().Begin("connecting to server ...");
    ExpectNamedOnce(Status());
    Tacc_info editor(Form().Accounts());
    ExpectNamedOnce(editor);
    Tpassword prompt;
    prompt.ShowWhom("Box", "bob", "127.0.0.1");
    ExpectNamedOnce(prompt);
    TCertificateDialog certificate("mail.example.com", {"expired", "CN=a", "CN=b", "x", "y", "z"},
                                   true);
    ExpectNamedOnce(certificate);
    // The two "Account" buttons are told apart by name and hint.
    EXPECT_NE(Find<QToolButton>("add_acc")->toolTip(), Find<QToolButton>("del_acc")->toolTip());
}

TEST_F(KeyboardAccessTest, KeysReachWhatTheMouseDoes) {
    struct Case {
        const char* about;
        QWidget* target;
        int key;
        Qt::KeyboardModifiers modifiers;
        std::function<bool()> done;
    };
    QWidget* tree = &Form().Tree();
    QWidget* grid = &Form().Grid();
    Form().Grid().setCurrentCell(1, 0);
    auto menuShown = [this](const char* name) {
        return [this, name] {
            const bool shown = Menu(name).isVisible();
            Menu(name).hide();
            return shown;
        };
    };
    const std::vector<Case> cases = {
        {"Menu key on the tree", tree, Qt::Key_Menu, {}, menuShown("Popup")},
        {"Shift+F10 on the tree", tree, Qt::Key_F10, Qt::ShiftModifier, menuShown("Popup")},
        {"Menu key on the table", grid, Qt::Key_Menu, {}, menuShown("popup2")},
        {"Shift+F10 on the table", grid, Qt::Key_F10, Qt::ShiftModifier, menuShown("popup2")},
        {"Esc closes the header viewer",
         &Viewer(),
         Qt::Key_Escape,
         {},
         [this] { return Viewer().isHidden(); }},
        {"Enter closes a finished status",
         &Status(),
         Qt::Key_Return,
         {},
         [this] { return Status().isHidden(); }},
    };
    for (const Case& c : cases) {
        if (c.target == &Viewer()) Viewer().show();
        if (c.target == &Status()) {
            Status().show();
            Status().End("done");
        }
        c.target->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(c.target->window())) << c.about;
        c.target->setFocus();
        QTest::keyClick(c.target, static_cast<Qt::Key>(c.key), c.modifiers);
        EXPECT_TRUE(c.done()) << c.about;
    }
}

} // namespace
