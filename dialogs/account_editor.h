#pragma once
#include "accounts/account.h"
#include "accounts/security_mode.h"

#include <QDialog>
#include <functional>
#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class TAccounts;
class TBrowser;
class TSecretStore;

// The account editor. In add mode (the default) it creates an account and saves the file; in
// modify mode (after LoadCurrent) it changes the current account in memory only. It deletes
// itself when closed, so open it with `new` and exec() and do not touch it afterwards.
class Tacc_info : public QDialog {
    Q_OBJECT
public:
    enum class TEditMode { Add, Modify };

    explicit Tacc_info(TAccounts& accounts, QWidget* parent = nullptr);

    // Modify mode, filled from the current account. False, and still add mode, without one.
    bool LoadCurrent();
    TEditMode EditMode() const { return editMode; }
    // The connection's security as chosen (SSL/TLS for a new account).
    TSecurity Security() const;
    TSignInMethod SignInMethod() const;
    // The preset chosen for OAuth2: "microsoft", "google" or "generic".
    std::string Provider() const;

    // Where a saved secret goes: the desktop's keyring, or none (the scrambled field of
    // mail.acc). Give it before LoadCurrent, which reads the secret from there.
    void UseKeyring(TSecretStore* store);
    // What opens the provider's page for Sign in...; the desktop's browser unless given.
    void UseBrowser(TBrowser* given) { browser = given; }
    // Runs the browser sign-in and keeps its tokens for OK (Sign in...).
    void SignInClick();

    // Tree updates of the main window; skipped when empty.
    std::function<void(const std::string& name, const std::string& server, const std::string& user)>
        AddAccountNode;
    std::function<void(const std::string& oldName, const std::string& newName)> RefreshAccountNodes;

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateControls();
    void okClick();
    void cancelClick();
    void ModifyCurrent();
    void AddNew();
    void ShowSecurityWarning();
    void ShowDefaultPort();
    void ShowSignInFields();
    void ChoosePreset();
    void TakeSignIn(TAccount& account) const;
    void KeepSecretOf(TAccount& account);
    void AddSignInControls();

    TAccounts& accounts;
    TEditMode editMode = TEditMode::Add;
    std::string OldName;
    bool AllowClose = true;

    QLineEdit* acc_name = nullptr;
    QLineEdit* acc_server = nullptr;
    QComboBox* acc_security = nullptr; // items in the order of TSecurity
    QLabel* lbl_unprotected = nullptr;
    QLineEdit* acc_user = nullptr;
    QLineEdit* acc_pass = nullptr;
    QCheckBox* rem_pass = nullptr;
    QPushButton* ok = nullptr;
    QPushButton* cancel = nullptr;
    QLineEdit* tout = nullptr;
    QComboBox* acc_method = nullptr;   // items in the order of TSignInMethod
    QComboBox* acc_provider = nullptr; // Microsoft, Google, Other
    QPushButton* sign_in = nullptr;
    QLineEdit* acc_clientid = nullptr;
    QLineEdit* acc_authurl = nullptr;
    QLineEdit* acc_tokenurl = nullptr;
    QLineEdit* acc_scope = nullptr;
    QLabel* lbl_signed_in = nullptr;
    QLabel* lbl_keyring = nullptr;
    TSecretStore* keyring = nullptr;
    TBrowser* browser = nullptr;
    TAccount tokens;       // the sign-in's tokens, taken by OK
    bool signedIn = false; // Sign in... succeeded in this dialog
    int fittedWidth = 0;   // the designed width, grown to the texts
};
