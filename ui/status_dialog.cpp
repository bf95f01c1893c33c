#include "ui/status_dialog.h"

#include "accounts/text_bytes.h"
#include "ui/ui_guard.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

TStatus::TStatus(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      labl(new QLabel("connecting to server ...", this)), Cancel(new QPushButton("Cancel", this)),
      window(std::make_unique<TMessageWindow>([this](const TMessage& m) { WndProc(m); })) {
    setObjectName("Status");
    setWindowTitle("Status");
    setFixedSize(266, 81);
    setModal(false);
    labl->setObjectName("labl");
    labl->setGeometry(10, 16, 246, 20);
    Cancel->setObjectName("Cancel");
    Cancel->setGeometry(184, 48, 75, 25);
    Cancel->setAutoDefault(false);
    connect(Cancel, &QPushButton::clicked, this, [this] { CancelClick(); });
}

TStatus::~TStatus() = default;

void TStatus::SetText(const std::string& text) {
    labl->setText(ToQString(text));
}

std::string TStatus::Text() const {
    return ToBytes(labl->text());
}

void TStatus::SetTextIfVisible(const std::string& text) {
    if (isVisible()) SetText(text);
}

void TStatus::CancelClick() {
    if (OnCancelClick)
        RunGuarded(OnCancelClick);
    else
        close();
}

// Every way of closing (Cancel, the check's end, the close box) ends here.
void TStatus::done(int result) {
    QDialog::done(result);
    if (OnClose) RunGuarded(OnClose);
}

// Esc presses Cancel rather than only closing the dialog.
void TStatus::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        Cancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TStatus::WndProc(const TMessage& message) {
    if (message.Msg == WM_CHECK_READY && OnCheckReady)
        RunGuarded([&] { OnCheckReady(message.WParam); });
}
