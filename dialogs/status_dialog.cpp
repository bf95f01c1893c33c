#include "dialogs/status_dialog.h"

#include "widgets/looks.h"
#include "widgets/text_bytes.h"
#include "widgets/ui_guard.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace {
const QSize Designed(266, 81);
const QRect DesignedText(10, 16, 246, 20);
const QRect DesignedCancel(184, 48, 75, 25);
constexpr int WidestText = 420;
} // namespace

TStatus::TStatus(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      labl(new QLabel(tr("connecting to server ..."), this)),
      Cancel(new QPushButton(tr("Cancel"), this)),
      window(std::make_unique<TMessageWindow>([this](const TMessage& m) { WndProc(m); })) {
    setObjectName("Status");
    setWindowTitle(tr("Status"));
    setModal(false);
    labl->setObjectName("labl");
    labl->setAccessibleName(tr("Progress"));
    labl->setGeometry(DesignedText);
    Cancel->setObjectName("Cancel");
    Cancel->setGeometry(DesignedCancel);
    Cancel->setAutoDefault(false);
    connect(Cancel, &QPushButton::clicked, this, [this] { CancelClick(); });
    Fit();
}

TStatus::~TStatus() = default;

void TStatus::SetText(const std::string& text) {
    labl->setText(ToQString(text));
    Fit();
}

// The dialog grows with its text and font, never below its designed size; Cancel keeps its
// place at the right.
void TStatus::Fit() {
    labl->setGeometry(DesignedText);
    Cancel->setGeometry(DesignedCancel);
    // An outcome with long lines (a server's text) wraps at a readable measure.
    labl->setWordWrap(false);
    if (labl->sizeHint().width() > WidestText) {
        labl->setWordWrap(true);
        labl->resize(WidestText, labl->heightForWidth(WidestText));
    }
    const QSize fitted = FitToText(*this, Designed);
    const int right = fitted.width() - (Designed.width() - DesignedCancel.right());
    Cancel->move(right - Cancel->width() + 1, std::max(Cancel->y(), labl->geometry().bottom() + 8));
    setFixedSize(fitted.width(), std::max(fitted.height(), Cancel->geometry().bottom() + 9));
}

void TStatus::Begin(const std::string& text) {
    Cancel->setText(tr("Cancel"));
    ended = false;
    SetText(text);
}

void TStatus::End(const std::string& outcome) {
    if (!isVisible()) return;
    Cancel->setText(tr("Close"));
    ended = true;
    SetText(outcome);
}

std::string TStatus::ButtonText() const {
    return ToBytes(Cancel->text());
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

// Esc presses Cancel rather than only closing the dialog; once the check has ended, Enter
// presses Close too.
void TStatus::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (event->modifiers() == Qt::NoModifier &&
        (event->key() == Qt::Key_Escape || (enter && ended))) {
        Cancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void TStatus::WndProc(const TMessage& message) {
    if (message.Msg == WM_CHECK_READY && OnCheckReady)
        RunGuarded([&] { OnCheckReady(message.WParam); });
}
