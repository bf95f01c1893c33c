#pragma once
class QWidget;

// Both dialogs open in the middle of the screen, whatever their owner.
void CentreOnScreen(QWidget& window);
