#pragma once
#include <QSize>

class QWidget;

// Lets a window of absolutely placed controls grow to its texts and its font: every label and
// button at least as wide and high as it needs, later controls on the same line pushed right
// where a grown one would cover them, the window grown to hold them all. The designed places
// and sizes are the least each keeps. Returns the window's new size, at least `least`; the
// caller fixes or sets it.
QSize FitToText(QWidget& window, QSize least);
