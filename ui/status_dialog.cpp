#include "ui/status_dialog.h"

#include "accounts/text_bytes.h"

#include <QLabel>
#include <QPushButton>
#include <QThread>

TStatus::TStatus(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      labl(new QLabel("connecting to server ...", this)), Cancel(new QPushButton("Cancel", this)) {
    setObjectName("Status");
    setWindowTitle("Status");
    setFixedSize(266, 81);
    setModal(false);
    labl->setObjectName("labl");
    labl->setGeometry(10, 16, 246, 20);
    Cancel->setObjectName("Cancel");
    Cancel->setGeometry(184, 48, 75, 25);
}

void TStatus::SetText(const std::string& text) {
    if (QThread::currentThread() == thread()) {
        labl->setText(ToQString(text));
        return;
    }
    QMetaObject::invokeMethod(labl, [this, text] { labl->setText(ToQString(text)); });
}

std::string TStatus::Text() const {
    return ToBytes(labl->text());
}

void TStatus::SetTextIfVisible(const std::string& text) {
    auto write = [this, text] {
        if (isVisible()) labl->setText(ToQString(text));
    };
    if (QThread::currentThread() == thread())
        write();
    else
        QMetaObject::invokeMethod(this, write);
}
