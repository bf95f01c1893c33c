#include "dialogs/password_prompt.h"

#include "dialogs/dialog_placement.h"
#include "widgets/looks.h"
#include "widgets/text_bytes.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

namespace {
QPushButton* AddButton(QWidget* parent, const char* name, const QString& text, QRect place) {
    auto* button = new QPushButton(text, parent);
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
    pass->setAccessibleName(tr("Password"));
    label->setBuddy(pass);
    QPushButton* okButton = AddButton(this, "OK", tr("OK"), {96, 72, 75, 25});
    okButton->setDefault(true);
    QPushButton* cancelButton = AddButton(this, "Cancel", tr("Cancel"), {176, 72, 75, 25});
    setFixedSize(FitToText(*this, QSize(265, 108))); // the designed size at least
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

std::string Tpassword::Password() const {
    return ToBytes(pass->text());
}

// The line goes above everything else, which moves down to make room for it.
void Tpassword::AddLineAbove(const char* name, const QString& text) {
    auto* line = new QLabel(text, this);
    line->setObjectName(name);
    line->adjustSize();
    const int room = line->height() + 8;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (child != line) child->move(child->x(), child->y() + room);
    line->move(16, 16);
    setFixedSize(std::max(width(), line->width() + 32), height() + room);
}

void Tpassword::ShowRejected() {
    AddLineAbove("rejected", tr("The server rejected the last password."));
}

void Tpassword::ShowWhom(const std::string& account, const std::string& user,
                         const std::string& server) {
    AddLineAbove("whom", tr("Account %1: user %2 on %3")
                             .arg(ToQString(account), ToQString(user), ToQString(server)));
}

bool Tpassword::Ask(QWidget* parent, std::string& password, bool lastRejected, const TWhom& whom) {
    Tpassword prompt(parent);
    if (lastRejected) prompt.ShowRejected();
    if (!whom.Account.empty() || !whom.Server.empty())
        prompt.ShowWhom(whom.Account, whom.User, whom.Server);
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
