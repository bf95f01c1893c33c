#pragma once
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
};
