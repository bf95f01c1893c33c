#pragma once
#include <QFrame>

class QLabel;
class QToolButton;

// The toolbar across the top of the main window (Panel3): six buttons and the time of the
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
    QToolButton* del_marked; // "Delete marked"; its caption counts the marked mail
    QLabel* Label1;
    QLabel* refreshed;

    // The count of mail the rules marked for deletion, on the button and in its hint.
    void ShowMarked(int count);
};
