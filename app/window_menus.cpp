#include "app/window_menus.h"

#include "widgets/toolbar_panel.h"

#include <QMenu>
#include <QToolButton>

TWindowMenus::TWindowMenus(QWidget& window, QWidget& tree, QWidget& grid) {
    Popup = new QMenu(&tree);
    Popup->setObjectName("Popup");
    AddAccount1 = Popup->addAction(tr("Add Account"));
    AddAccount1->setObjectName("AddAccount1");
    RemoveAccount1 = Popup->addAction(tr("Remove Account"));
    RemoveAccount1->setObjectName("RemoveAccount1");
    ModifyAccount1 = Popup->addAction(tr("Modify Account"));
    ModifyAccount1->setObjectName("ModifyAccount1");
    Popup->addSeparator();
    CheckAll1 = Popup->addAction(tr("Check All Accounts"));
    CheckAll1->setObjectName("CheckAll1");
    Popup->addSeparator();
    Settings1 = Popup->addAction(tr("Settings..."));
    Settings1->setObjectName("Settings1");
    popup2 = new QMenu(&grid);
    popup2->setObjectName("popup2");
    Delete1 = popup2->addAction(tr("Delete"));
    Delete1->setObjectName("Delete1");
    DeleteMarked1 = popup2->addAction(tr("Delete Marked"));
    DeleteMarked1->setObjectName("DeleteMarked1");
    popup2->addSeparator();
    Rules1 = popup2->addAction(tr("Mail Rules..."));
    Rules1->setObjectName("Rules1");
    CheckKey = new QAction(tr("Check"), &window);
    CheckKey->setObjectName("CheckKey");
    HeadersKey = new QAction(tr("Headers"), &window);
    HeadersKey->setObjectName("HeadersKey");
    QuitKey = new QAction(tr("Quit"), &window);
    QuitKey->setObjectName("QuitKey");
}

// The Delete key reaches the deletion through the table's own key handler (with any modifier);
// the menu item shows it.
void TWindowMenus::BindShortcuts(QWidget& window, TToolbarPanel& Panel3) {
    AddAccount1->setShortcut(QKeySequence("Ctrl+N"));
    RemoveAccount1->setShortcut(QKeySequence("Ctrl+D"));
    ModifyAccount1->setShortcut(QKeySequence("Ctrl+E"));
    CheckKey->setShortcut(QKeySequence(Qt::Key_F5));
    HeadersKey->setShortcut(QKeySequence("Ctrl+U"));
    CheckAll1->setShortcut(QKeySequence("Shift+F5"));
    Settings1->setShortcut(QKeySequence("Ctrl+,"));
    Delete1->setShortcut(QKeySequence(Qt::Key_Delete));
    DeleteMarked1->setShortcut(QKeySequence("Shift+Del"));
    Rules1->setShortcut(QKeySequence("Ctrl+R"));
    // Quits from every window of the program, also where closing only hides to the tray.
    QuitKey->setShortcut(QKeySequence("Ctrl+Q"));
    QuitKey->setShortcutContext(Qt::ApplicationShortcut);
    window.addActions({AddAccount1, RemoveAccount1, ModifyAccount1, CheckKey, HeadersKey, CheckAll1,
                       Settings1, DeleteMarked1, Rules1, QuitKey});
    const std::pair<QToolButton*, QAction*> keys[] = {
        {Panel3.add_acc, AddAccount1}, {Panel3.del_acc, RemoveAccount1},
        {Panel3.check_mail, CheckKey}, {Panel3.del_mail, Delete1},
        {Panel3.HeadBtn, HeadersKey},  {Panel3.del_marked, DeleteMarked1}};
    for (const auto& [button, action] : keys) {
        const QString hint = button->toolTip().isEmpty() ? button->text() : button->toolTip();
        button->setToolTip(hint + " (" + action->shortcut().toString(QKeySequence::NativeText) +
                           ")");
    }
    Panel3.check_mail->setToolTip(Panel3.check_mail->toolTip() + tr("; every account: ") +
                                  CheckAll1->shortcut().toString(QKeySequence::NativeText));
}
