#include "dialogs/account_editor.h"

#include "accounts/account_list.h"
#include "accounts/ascii_text.h"
#include "dialogs/dialog_placement.h"
#include "dialogs/sign_in_dialog.h"
#include "platform/int_text.h"
#include "platform/message_box.h"
#include "secrets/account_secrets.h"
#include "secrets/keyring_store.h"
#include "signin/account_tokens.h"
#include "signin/browser.h"
#include "widgets/looks.h"
#include "widgets/text_bytes.h"

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
const char* const Presets[] = {"microsoft", "google", "generic"};

const char* const KeyringWords =
    QT_TRANSLATE_NOOP("Tacc_info", "A saved password is kept in the desktop's keyring.");
const char* const NoKeyringWords = QT_TRANSLATE_NOOP(
    "Tacc_info",
    "This desktop has no keyring: a saved password stays in mail.acc, scrambled but readable "
    "to anyone who can read that file.");
} // namespace

Tacc_info::Tacc_info(TAccounts& accountList, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowStaysOnTopHint |
                          Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      accounts(accountList) {
    setAttribute(Qt::WA_DeleteOnClose); // each opening uses a new dialog
    setWindowTitle(tr("Account"));
    CreateControls();
    // The designed size at least, grown to the texts once with every row in place; the height
    // then follows the rows the sign-in method shows.
    fittedWidth = FitToText(*this, QSize(344, 390)).width();
    ShowSignInFields();
}

void Tacc_info::CreateControls() {
    AddLabel(this, "lbl_name", tr("Account Name:"), {16, 12});
    AddLabel(this, "lbl_server", tr("Mail Server :"), {16, 44});
    AddLabel(this, "lbl_user", tr("User Login :"), {16, 76});
    AddLabel(this, "lbl_pass", tr("Password :"), {16, 108});
    AddLabel(this, "lbl_tout", tr("Timeout :"), {144, 136});
    AddLabel(this, "lbl_seconds", "s", {228, 136});
    acc_name = AddEdit(this, "acc_name", {120, 8, 121, 21});
    acc_server = AddEdit(this, "acc_server", {120, 40, 121, 21});
    acc_security = new QComboBox(this);
    acc_security->setObjectName("acc_security");
    acc_security->addItems({"SSL/TLS", "STARTTLS", tr("None")});
    acc_security->setGeometry(248, 40, 88, 21);
    acc_user = AddEdit(this, "acc_user", {120, 72, 121, 21});
    acc_pass = AddEdit(this, "acc_pass", {120, 104, 121, 21});
    acc_pass->setEchoMode(QLineEdit::Password);
    acc_pass->setStyleSheet("lineedit-password-character: 42");
    rem_pass = new QCheckBox(tr("Save password"), this);
    rem_pass->setObjectName("rem_pass");
    rem_pass->setGeometry(16, 136, 97, 17);
    // Below every row until ShowSignInFields puts them under the rows shown.
    ok = AddButton(this, "ok", tr("OK"), QStyle::SP_DialogOkButton, {88, 420, 75, 25});
    ok->setDefault(true);
    cancel =
        AddButton(this, "cancel", tr("Cancel"), QStyle::SP_DialogCancelButton, {168, 420, 75, 25});
    tout = AddEdit(this, "tout", {192, 132, 33, 21});
    tout->setText("90");
    lbl_unprotected = new QLabel(tr("The password travels unprotected"), this);
    lbl_unprotected->setObjectName("lbl_unprotected");
    lbl_unprotected->setWordWrap(true);
    lbl_unprotected->setGeometry(248, 66, 88, 40);
    lbl_unprotected->setStyleSheet("color: #b00000");
    lbl_unprotected->hide();
    AddSignInControls();
    setTabOrder(acc_name, acc_server);
    setTabOrder(acc_server, acc_security);
    setTabOrder(acc_security, acc_user);
    setTabOrder(acc_user, acc_pass);
    setTabOrder(acc_pass, rem_pass);
    setTabOrder(rem_pass, tout); // the visual order, row by row
    setTabOrder(tout, ok);
    setTabOrder(ok, cancel);
    for (const auto& [field, name] :
         {std::pair<QWidget*, const char*>{acc_name, QT_TR_NOOP("Account name")},
          {acc_server, QT_TR_NOOP("Mail server")},
          {acc_security, QT_TR_NOOP("Security")},
          {acc_user, QT_TR_NOOP("User login")},
          {acc_pass, QT_TR_NOOP("Password")},
          {tout, QT_TR_NOOP("Timeout in seconds")},
          {acc_clientid, QT_TR_NOOP("Client id")},
          {acc_authurl, QT_TR_NOOP("Authorization address")},
          {acc_tokenurl, QT_TR_NOOP("Token address")},
          {acc_scope, QT_TR_NOOP("Scope")}})
        field->setAccessibleName(tr(name));
    ShowDefaultPort();
    connect(ok, &QPushButton::clicked, this, [this] {
        okClick();
        if (AllowClose) accept();
    });
    connect(cancel, &QPushButton::clicked, this, [this] { cancelClick(); });
    connect(acc_security, &QComboBox::currentIndexChanged, this, [this] { ShowSecurityWarning(); });
}

// Below the password: how the account signs in, and for OAuth2 the provider and its settings.
void Tacc_info::AddSignInControls() {
    AddLabel(this, "lbl_method", tr("Sign-in :"), {16, 164});
    acc_method = new QComboBox(this);
    acc_method->setObjectName("acc_method");
    acc_method->addItems({tr("Password (USER/PASS)"), tr("Password (PLAIN)"), "OAuth2"});
    acc_method->setGeometry(120, 160, 216, 21);
    AddLabel(this, "lbl_provider", tr("Provider :"), {16, 188});
    acc_provider = new QComboBox(this);
    acc_provider->setObjectName("acc_provider");
    acc_provider->addItems({"Microsoft", "Google", tr("Other")});
    acc_provider->setGeometry(120, 184, 121, 21);
    sign_in = AddButton(this, "sign_in", tr("Sign in..."), QStyle::SP_DialogYesButton,
                        {248, 183, 88, 23});
    AddLabel(this, "lbl_clientid", tr("Client id :"), {16, 212});
    acc_clientid = AddEdit(this, "acc_clientid", {120, 208, 216, 21});
    acc_clientid->setPlaceholderText(tr("this program's own"));
    AddLabel(this, "lbl_authurl", tr("Auth URL :"), {16, 236});
    acc_authurl = AddEdit(this, "acc_authurl", {120, 232, 216, 21});
    AddLabel(this, "lbl_tokenurl", tr("Token URL :"), {16, 260});
    acc_tokenurl = AddEdit(this, "acc_tokenurl", {120, 256, 216, 21});
    AddLabel(this, "lbl_scope", tr("Scope :"), {16, 284});
    acc_scope = AddEdit(this, "acc_scope", {120, 280, 216, 21});
    lbl_signed_in = new QLabel(tr("Not signed in"), this);
    lbl_signed_in->setObjectName("lbl_signed_in");
    lbl_signed_in->setGeometry(16, 304, 320, 17);
    lbl_keyring = new QLabel(this);
    lbl_keyring->setObjectName("lbl_keyring");
    lbl_keyring->setWordWrap(true);
    lbl_keyring->setGeometry(16, 322, 320, 48);
    UseKeyring(nullptr);
    connect(acc_method, &QComboBox::currentIndexChanged, this, [this] { ShowSignInFields(); });
    connect(acc_method, &QComboBox::activated, this, [this] { ChoosePreset(); });
    connect(acc_provider, &QComboBox::activated, this, [this] { ChoosePreset(); });
    connect(acc_provider, &QComboBox::currentIndexChanged, this, [this] { ShowSignInFields(); });
    connect(sign_in, &QPushButton::clicked, this, [this] { SignInClick(); });
}

void Tacc_info::UseKeyring(TSecretStore* store) {
    keyring = store;
    lbl_keyring->setText(tr(store ? KeyringWords : NoKeyringWords));
}

TSignInMethod Tacc_info::SignInMethod() const {
    return static_cast<TSignInMethod>(acc_method->currentIndex());
}

std::string Tacc_info::Provider() const {
    return Presets[std::clamp(acc_provider->currentIndex(), 0, 2)];
}

// OAuth2 shows its provider and Sign in...; only the generic provider takes endpoints.
void Tacc_info::ShowSignInFields() {
    const bool oauth2 = SignInMethod() == TSignInMethod::OAuth2;
    const bool generic = Provider() == std::string("generic");
    for (const char* name :
         {"lbl_provider", "lbl_clientid", "lbl_authurl", "lbl_tokenurl", "lbl_scope"})
        findChild<QLabel*>(name)->setVisible(oauth2);
    for (QWidget* part :
         std::initializer_list<QWidget*>{acc_provider, sign_in, acc_clientid, acc_authurl,
                                         acc_tokenurl, acc_scope, lbl_signed_in})
        part->setVisible(oauth2);
    for (QLineEdit* edit : {acc_authurl, acc_tokenurl, acc_scope})
        edit->setEnabled(generic);
    acc_pass->setEnabled(!oauth2);
    rem_pass->setText(oauth2 ? tr("Stay signed in") : tr("Save password"));
    // The rows below close up over the hidden ones; the buttons stay side by side under them.
    lbl_keyring->move(16, oauth2 ? 322 : 186);
    const int buttons = lbl_keyring->geometry().bottom() + 6;
    ok->move(88, buttons);
    cancel->move(ok->geometry().right() + 6, buttons);
    if (fittedWidth > 0) setFixedSize(fittedWidth, buttons + 33);
}

// A preset brings its POP3 server, over TLS.
void Tacc_info::ChoosePreset() {
    const TOAuthProvider preset = ProviderPreset(Provider());
    if (SignInMethod() != TSignInMethod::OAuth2 || preset.PopHost.empty()) return;
    acc_server->setText(
        QString::fromStdString(preset.PopHost + ":" + std::to_string(preset.PopPort)));
    acc_security->setCurrentIndex(static_cast<int>(TSecurity::Tls));
}

void Tacc_info::SignInClick() {
    TAccount settings;
    TakeSignIn(settings);
    TCommandBrowser desktopBrowser;
    TSignInDialog wait(this);
    const TBrowserSignIn result =
        wait.Run(ProviderOfAccount(settings), browser ? *browser : desktopBrowser,
                 ToBytes(acc_user->text()));
    if (result.Kind == TBrowserSignIn::TKind::Canceled) return;
    if (result.Kind != TBrowserSignIn::TKind::Ok) {
        ShowMessage(ToBytes(tr("The sign-in did not succeed: %1").arg(ToQString(result.Error))));
        return;
    }
    AdoptTokens(tokens, result.Tokens);
    signedIn = true;
    const std::string who =
        result.Tokens.Account.empty() ? ToBytes(acc_user->text()) : result.Tokens.Account;
    lbl_signed_in->setText(tr("Signed in as %1").arg(ToQString(who)));
    if (acc_user->text().isEmpty()) acc_user->setText(ToQString(who));
    rem_pass->setChecked(true);
}

// The sign-in settings as the dialog shows them, and the tokens of a sign-in done in it.
void Tacc_info::TakeSignIn(TAccount& account) const {
    account.SignIn = SignInMethod();
    const bool oauth2 = account.SignIn == TSignInMethod::OAuth2;
    account.Provider = oauth2 ? Provider() : "";
    account.ClientId = oauth2 ? ToBytes(acc_clientid->text()) : "";
    const bool generic = oauth2 && account.Provider == "generic";
    account.AuthorizeUrl = generic ? ToBytes(acc_authurl->text()) : "";
    account.TokenUrl = generic ? ToBytes(acc_tokenurl->text()) : "";
    account.Scope = generic ? ToBytes(acc_scope->text()) : "";
    if (!signedIn) return;
    account.RefreshToken = tokens.RefreshToken;
    account.AccessToken = tokens.AccessToken;
    account.AccessTokenExpiry = tokens.AccessTokenExpiry;
}

// The saved secret goes to the keyring where there is one; a refused keyring leaves it
// scrambled in the file. One no longer to be saved leaves the keyring.
void Tacc_info::KeepSecretOf(TAccount& account) {
    if (!keyring) return;
    const std::string& secret =
        account.SignIn == TSignInMethod::OAuth2 ? account.RefreshToken : account.Password;
    if (account.SavePassword && !secret.empty())
        KeepSecret(account, *keyring);
    else
        ForgetSecret(account, *keyring);
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
    acc_server->setPlaceholderText(tr("host (port %1)").arg(port));
    acc_server->setToolTip(tr("A server, or host:port; without a port: %1").arg(port));
}

bool Tacc_info::LoadCurrent() {
    TAccount* current = accounts.Current();
    if (!current) return false;
    editMode = TEditMode::Modify;
    OldName = current->Name;
    acc_name->setText(ToQString(current->Name));
    acc_server->setText(ToQString(current->Server));
    acc_security->setCurrentIndex(static_cast<int>(current->Security));
    acc_user->setText(ToQString(current->User));
    rem_pass->setChecked(current->SavePassword);
    tout->setText(QString::number(current->Timeout));
    if (keyring) FetchSecret(*current, *keyring);
    if (current->SavePassword) acc_pass->setText(ToQString(current->Password));
    acc_method->setCurrentIndex(static_cast<int>(current->SignIn));
    const auto preset = std::find(std::begin(Presets), std::end(Presets), current->Provider);
    acc_provider->setCurrentIndex(
        preset == std::end(Presets) ? 2 : static_cast<int>(preset - std::begin(Presets)));
    acc_clientid->setText(ToQString(current->ClientId));
    acc_authurl->setText(ToQString(current->AuthorizeUrl));
    acc_tokenurl->setText(ToQString(current->TokenUrl));
    acc_scope->setText(ToQString(current->Scope));
    if (!current->RefreshToken.empty()) lbl_signed_in->setText(tr("Signed in"));
    return true;
}

void Tacc_info::okClick() {
    AllowClose = true;
    if (acc_name->text().isEmpty()) {
        ShowMessage(ToBytes(tr("You have not specified an account name")));
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
            ShowMessage(ToBytes(tr("You already have an account with this name:\r\n"
                                   "please choose a different name")));
            return;
        }
        current->Name = name;
    }
    // The secret is kept under the login and server: the old entry goes, the new one comes.
    if (keyring) ForgetSecret(*current, *keyring);
    current->Server = ToBytes(acc_server->text());
    current->Security = Security();
    current->User = ToBytes(acc_user->text());
    current->SavePassword = rem_pass->isChecked();
    if (rem_pass->isChecked()) current->Password = ToBytes(acc_pass->text());
    current->Timeout = StrToIntDef(ToBytes(tout->text()), 90);
    TakeSignIn(*current);
    KeepSecretOf(*current);
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
    TakeSignIn(added);
    KeepSecretOf(added);
    if (accounts.Count() == 1) accounts.Select(0, "");
    if (!accounts.SaveToFile()) {
        ShowMessage(ToBytes(tr("Error saving accounts file")));
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
