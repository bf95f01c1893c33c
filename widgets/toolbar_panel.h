#pragma once
#include <QFrame>
#include <QRect>
#include <vector>

class QLabel;
class QToolButton;

// The toolbar across the top of the main window (Panel3): six buttons and the time of the
// last refresh, at their designed places where the window is wide enough; in a narrower window
// (a small screen, a large scale) the buttons close up to their texts and the time goes to a
// second line when it no longer fits beside them.
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
    // Places the controls for the present width; also after a caption or the time changed.
    void Arrange();

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    std::vector<QToolButton*> Buttons() const;

    std::vector<QRect> designed; // the buttons' places, fitted to their texts
    QPoint designedLabel;        // Label1's and the time's
    QPoint designedTime;
    int designedWidth = 0; // the least width that keeps every designed place
    int designedHeight = 0;
};
