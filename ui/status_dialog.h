#pragma once
#include <QDialog>
#include <string>

class QLabel;
class QPushButton;

// The status dialog of a mail check: one line of progress text and Cancel. Created hidden at
// start and only hidden when closed. It is shown as a normal window, not modally.
class TStatus : public QDialog {
    Q_OBJECT
public:
    explicit TStatus(QWidget* parent = nullptr);

    // Safe from any thread: the worker of a check writes its failures here.
    void SetText(const std::string& text);
    std::string Text() const;
    // Writes the text only while the dialog is shown; the check is made on the dialog's thread.
    void SetTextIfVisible(const std::string& text);

private:
    QLabel* labl;
    QPushButton* Cancel;
};
