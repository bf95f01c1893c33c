#pragma once
#include <QIcon>
#include <QSize>
#include <QStyle>

class QWidget;

// How the windows look: their glyphs, the program's icon, and controls grown to their texts.

// A glyph from the desktop icon theme, or the style's standard picture when the theme has
// none. twoState also gives it a picture of its own for the disabled button.
QIcon ButtonGlyph(const QWidget& owner, const char* themeName, QStyle::StandardPixmap fallback,
                  bool twoState);

// The program's own icon: an envelope with a tick, drawn so that no image plug-in is needed.
QIcon VellionIcon();

// Lets a window of absolutely placed controls grow to its texts and its font: every label and
// button at least as wide and high as it needs, later controls on the same line pushed right
// where a grown one would cover them, the window grown to hold them all. The designed places
// and sizes are the least each keeps. Returns the window's new size, at least `least`; the
// caller fixes or sets it.
QSize FitToText(QWidget& window, QSize least);
