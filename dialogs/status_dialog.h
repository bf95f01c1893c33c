#pragma once
#include "platform/message_window.h"

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QLabel;
class QPushButton;

// The private message that hands a logged-in check over to the user-interface thread.
constexpr uint32_t WM_CHECK_READY = WM_USER + 28;

// The status dialog of a mail check: one line of progress text and Cancel. Created hidden at
// start and only hidden when closed. It is shown as a normal window, not modally.
class TStatus : public QDialog {
    Q_OBJECT
public:
    explicit TStatus(QWidget* parent = nullptr);
    ~TStatus() override;

    // User-interface thread only; the check routes its worker's texts through posted messages.
    void SetText(const std::string& text);
    std::string Text() const;
    // Writes the text only while the dialog is shown.
    void SetTextIfVisible(const std::string& text);
    // A new attempt: the text, and the button reads "Cancel".
    void Begin(const std::string& text);
    // The attempt has ended without success: its outcome, one or more lines, and the button
    // reads "Close". Only while the dialog is shown.
    void End(const std::string& outcome);
    std::string ButtonText() const;

    // The window that receives WM_CHECK_READY; posting to it is safe from any thread.
    TWindowHandle Handle() const { return window->Handle(); }

    void CancelClick();

    // Handlers, skipped when empty; each runs through the failure guard. OnCheckReady gets the
    // message's first parameter.
    std::function<void()> OnCancelClick;
    std::function<void()> OnClose;
    std::function<void(uint64_t)> OnCheckReady;

    void done(int result) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void WndProc(const TMessage& message);
    void Fit();

    QLabel* labl;
    QPushButton* Cancel;
    bool ended = false; // the button reads "Close"
    std::unique_ptr<TMessageWindow> window;
};
