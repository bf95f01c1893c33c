#include "widgets/menu_key.h"

#include <QAbstractItemView>
#include <QKeyEvent>

bool OpenMenuByKey(QAbstractItemView& view, const QKeyEvent& event) {
    const bool menuKey = event.key() == Qt::Key_Menu;
    const bool shiftF10 = event.key() == Qt::Key_F10 && event.modifiers() == Qt::ShiftModifier;
    if (!menuKey && !shiftF10) return false;
    const QRect current = view.visualRect(view.currentIndex());
    const QPoint at = current.isValid() ? current.center() : view.viewport()->rect().center();
    emit view.customContextMenuRequested(at);
    return true;
}
