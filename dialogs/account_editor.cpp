#include "dialogs/account_editor.h"

#include "accounts/account_list.h"
#include "accounts/ascii_text.h"
#include "dialogs/dialog_placement.h"
#include "platform/int_text.h"
#include "platform/message_box.h"
#include "widgets/text_bytes.h"
#include "widgets/text_fit.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

namespace {
QLineEdit* AddEdit(QWidget* parent, const char* name, QRect place) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setGeometry(place);
    return edit;
}

void AddLabel(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->move(at);
    label->adjustSize();
}

QPushButton* AddButton(QWidget* parent, const char* name, const QString& text,
                       QStyle::StandardPixmap glyph, QRect place) {
    auto* button = new QPushButton(parent->style()->standardIcon(glyph), text, parent);
    button->setObjectName(name);
    button->setGeometry(place);
    return button;
}
} // namespace

Tacc_info::Tacc_info(TAccounts& accounts, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                          Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      accounts(accounts) {
    setAttribute(Qt::WA_DeleteOnClose); // each opening uses a new dialog
    setWindowTitle("Account");
    CreateControls();
    // The designed size at least; the right-hand column holds the connection's security.
    setFixedSize(FitToText(*this, QSize(344, 194)));
}

void Tacc_info::CreateControls() {
    AddLabel(this, "lbl_name", "Account Name:", {16, 12});
    AddLabel(this, "lbl_server", "Mail Server :", {16, 44});
    AddLabel(this, "lbl_user", "User Login :", {16, 76});
    AddLabel(this, "lbl_pass", "Password :", {16, 108});
    AddLabel(this, "lbl_tout", "Timeout :", {144, 136});
    AddLabel(this, "lbl_seconds", "s", {228, 136});
    acc_name = AddEdit(this, "acc_name", {120, 8, 121, 21});
    acc_server = AddEdit(this, "acc_server", {120, 40, 121, 21});
    acc_security = new QComboBox(this);
    acc_security->setObjectName("acc_security");
    acc_security->addItems({"SSL/TLS", "STARTTLS", "None"});
    acc_security->setGeometry(248, 40, 88, 21);
    acc_user = AddEdit(this, "acc_user", {120, 72, 121, 21});
    acc_pass = AddEdit(this, "acc_pass", {120, 104, 121, 21});
    acc_pass->setEchoMode(QLineEdit::Password);
    acc_pass->setStyleSheet("lineedit-password-character: 42");
    rem_pass = new QCheckBox("Save password", this);
    rem_pass->setObjectName("rem_pass");
    rem_pass->setGeometry(16, 136, 97, 17);
    ok = AddButton(this, "ok", "OK", QStyle::SP_DialogOkButton, {88, 163, 75, 25});
    ok->setDefault(true);
    cancel = AddButton(this, "cancel", "Cancel", QStyle::SP_DialogCancelButton, {168, 163, 75, 25});
    tout = AddEdit(this, "tout", {192, 132, 33, 21});
    tout->setText("90");
    lbl_unprotected = new QLabel("The password travels unprotected", this);
    lbl_unprotected->setObjectName("lbl_unprotected");
    lbl_unprotected->setWordWrap(true);
    lbl_unprotected->setGeometry(248, 66, 88, 40);
    lbl_unprotected->setStyleSheet("color: #b00000");
    lbl_unprotected->hide();
    setTabOrder(acc_name, acc_server);
    setTabOrder(acc_server, acc_security);
    setTabOrder(acc_security, acc_user);
    setTabOrder(acc_user, acc_pass);
    setTabOrder(acc_pass, rem_pass);
    setTabOrder(rem_pass, tout); // the visual order, row by row
    setTabOrder(tout, ok);
    setTabOrder(ok, cancel);
    for (const auto& [field, name] : {std::pair<QWidget*, const char*>{acc_name, "Account name"},
                                      {acc_server, "Mail server"},
                                      {acc_security, "Security"},
                                      {acc_user, "User login"},
                                      {acc_pass, "Password"},
                                      {tout, "Timeout in seconds"}})
        field->setAccessibleName(name);
    ShowDefaultPort();
    connect(ok, &QPushButton::clicked, this, [this] {
        okClick();
        if (AllowClose) accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] { cancelClick(); });
    connect(acc_security, &QComboBox::currentIndexChanged, this, [this] { ShowSecurityWarning(); });
}

TSecurity Tacc_info::Security() const {
    return static_cast<TSecurity>(acc_security->currentIndex());
}

void Tacc_info::ShowSecurityWarning() {
    lbl_unprotected->setVisible(Security() == TSecurity::None);
    ShowDefaultPort();
}

// A server given without a port is reached on the port of its security mode.
void Tacc_info::ShowDefaultPort() {
    const char* port = Security() == TSecurity::Tls ? "995" : "110";
    acc_server->setPlaceholderText(QString("host (port %1)").arg(port));
    acc_server->setToolTip(QString("A server, or host:port; without a port: %1").arg(port));
}

bool Tacc_info::LoadCurrent() {
    const TAccount* current = accounts.Current();
    if (!current) return false;
    editMode = TEditMode::Modify;
    OldName = current->Name;
    acc_name->setText(ToQString(current->Name));
    acc_server->setText(ToQString(current->Server));
    acc_security->setCurrentIndex(static_cast<int>(current->Security));
    acc_user->setText(ToQString(current->User));
    rem_pass->setChecked(current->SavePassword);
    tout->setText(QString::number(current->Timeout));
    if (current->SavePassword) acc_pass->setText(ToQString(current->Password));
    return true;
}

void Tacc_info::okClick() {
    AllowClose = true;
    if (acc_name->text().isEmpty()) {
        ShowMessage("You have not specified an account name");
        AllowClose = false;
        return;
    }
    if (editMode == TEditMode::Modify)
        ModifyCurrent();
    else
        AddNew();
}

void Tacc_info::ModifyCurrent() {
    TAccount* current = accounts.Current();
    if (!current) return;
    const std::string name = ToBytes(acc_name->text());
    if (AsciiUpper(OldName) != AsciiUpper(name)) {
        if (accounts.Exists(name)) {
            ShowMessage("You already have an account with this name:\r\n"
                        "please choose a different name");
            return;
        }
        current->Name = name;
    }
    current->Server = ToBytes(acc_server->text());
    current->Security = Security();
    current->User = ToBytes(acc_user->text());
    current->SavePassword = rem_pass->isChecked();
    if (rem_pass->isChecked()) current->Password = ToBytes(acc_pass->text());
    current->Timeout = StrToIntDef(ToBytes(tout->text()), 90);
    if (RefreshAccountNodes) RefreshAccountNodes(OldName, current->Name);
}

void Tacc_info::AddNew() {
    const std::string name = ToBytes(acc_name->text());
    const std::string server = ToBytes(acc_server->text());
    const std::string user = ToBytes(acc_user->text());
    if (!accounts.Add(name, server, user, ToBytes(acc_pass->text()), rem_pass->isChecked())) return;
    // The Timeout field counts here as it does when modifying.
    TAccount& added = accounts.At(accounts.Count() - 1);
    added.Timeout = StrToIntDef(ToBytes(tout->text()), 90);
    added.Security = Security();
    if (accounts.Count() == 1) accounts.Select(0, "");
    if (!accounts.SaveToFile()) {
        ShowMessage("Error saving accounts file");
        return;
    }
    if (AddAccountNode) AddAccountNode(name, server, user);
}

void Tacc_info::cancelClick() {
    AllowClose = true;
    QDialog::reject();
}

// Escape and the Cancel button end the same way.
void Tacc_info::reject() {
    cancelClick();
}

void Tacc_info::closeEvent(QCloseEvent* event) {
    if (!AllowClose) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void Tacc_info::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnScreen(*this);
}
