#pragma once
class QAbstractItemView;
class QKeyEvent;

// Shift+F10 and the Menu key open a view's context menu at its current item, as a right click
// there does; true when the key was one of them.
bool OpenMenuByKey(QAbstractItemView& view, const QKeyEvent& event);
