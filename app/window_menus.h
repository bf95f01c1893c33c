#pragma once
#include <QCoreApplication>

class QAction;
class QMenu;
class QWidget;
class TToolbarPanel;

// The main window's menus and keys: the tree's menu, the table's menu, and the actions that
// only give a button its key. The window binds them to its handlers.
class TWindowMenus {
    Q_DECLARE_TR_FUNCTIONS(TForm1)
public:
    TWindowMenus(QWidget& window, QWidget& tree, QWidget& grid);
    // Every operation has a key, and every button's tip names it.
    void BindShortcuts(QWidget& window, TToolbarPanel& Panel3);

    QMenu* Popup = nullptr;
    QAction* AddAccount1 = nullptr;
    QAction* RemoveAccount1 = nullptr;
    QAction* ModifyAccount1 = nullptr;
    QMenu* popup2 = nullptr;
    QAction* Delete1 = nullptr;
    QAction* DeleteMarked1 = nullptr;
    QAction* Rules1 = nullptr;
    QAction* CheckKey = nullptr;   // the Check button's shortcut
    QAction* HeadersKey = nullptr; // the Headers button's shortcut
    QAction* QuitKey = nullptr;    // Ctrl+Q
    QAction* CheckAll1 = nullptr;
    QAction* Settings1 = nullptr;
};
