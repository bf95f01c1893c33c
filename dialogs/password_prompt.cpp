#include "dialogs/password_prompt.h"

#include "dialogs/dialog_placement.h"
#include "widgets/text_bytes.h"
#include "widgets/text_fit.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
QPushButton* AddButton(QWidget* parent, const char* name, QRect place) {
    auto* button = new QPushButton(name, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    return button;
}
} // namespace

Tpassword::Tpassword(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(tr("POP Password"));
    auto* label = new QLabel(tr("Please enter your password : "), this);
    label->setObjectName("Label1");
    label->move(16, 16);
    label->adjustSize();
    pass = new QLineEdit(this);
    pass->setObjectName("pass");
    pass->setGeometry(16, 40, 233, 21);
    pass->setEchoMode(QLineEdit::Password);
    pass->setStyleSheet("lineedit-password-character: 42");
    QPushButton* okButton = AddButton(this, "OK", {96, 72, 75, 25});
    okButton->setDefault(true);
    QPushButton* cancelButton = AddButton(this, "Cancel", {176, 72, 75, 25});
    setFixedSize(FitToText(*this, QSize(265, 108))); // the designed size at least
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

std::string Tpassword::Password() const {
    return ToBytes(pass->text());
}

// The line goes above everything else, which moves down to make room for it.
void Tpassword::ShowRejected() {
    constexpr int Room = 24;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->move(child->x(), child->y() + Room);
    auto* rejected = new QLabel(tr("The server rejected the last password."), this);
    rejected->setObjectName("rejected");
    rejected->move(16, 16);
    rejected->adjustSize();
    setFixedSize(width(), height() + Room);
}

bool Tpassword::Ask(QWidget* parent, std::string& password, bool lastRejected) {
    Tpassword prompt(parent);
    if (lastRejected) prompt.ShowRejected();
    if (prompt.exec() != QDialog::Accepted) return false;
    password = prompt.Password();
    return true;
}

void Tpassword::showEvent(QShowEvent* event) {
    pass->clear(); // never show a password typed for an earlier check
    pass->setFocus();
    QDialog::showEvent(event);
    CentreOnScreen(*this);
}

void Tpassword::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept(); // unlike most dialogs, Escape does not cancel this one
        return;
    }
    QDialog::keyPressEvent(event);
}
