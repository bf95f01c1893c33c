#pragma once
#include <QIcon>
#include <QStyle>

class QWidget;

// A glyph from the desktop icon theme, or the style's standard picture when the theme has
// none. twoState also gives it a picture of its own for the disabled button.
QIcon ButtonGlyph(const QWidget& owner, const char* themeName, QStyle::StandardPixmap fallback,
                  bool twoState);

// The program's own icon: an envelope with a tick, drawn so that no image plug-in is needed.
QIcon VellionIcon();
