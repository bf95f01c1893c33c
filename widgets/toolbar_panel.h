#pragma once
#include <QFrame>

class QLabel;
class QToolButton;

// The toolbar across the top of the main window (Panel3): five buttons and the time of the
// last refresh.
class TToolbarPanel : public QFrame {
    Q_OBJECT
public:
    explicit TToolbarPanel(QWidget* parent = nullptr);

    QToolButton* add_acc;
    QToolButton* del_acc;
    QToolButton* check_mail;
    QToolButton* del_mail;
    QToolButton* HeadBtn;
    QLabel* Label1;
    QLabel* refreshed;
};
