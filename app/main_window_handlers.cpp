// The main window's handlers: the tree selection, the table of the current account, adding,
// modifying and deleting accounts, the table's keys and clicks and the header viewer. The mail
// operations behind the buttons are mail/mail_operations.cpp's.
#include "accounts/account_list.h"
#include "accounts/seen_file.h"
#include "app/desktop_settings.h"
#include "app/main_window.h"
#include "dialogs/account_editor.h"
#include "dialogs/header_viewer.h"
#include "mail/mail_operations.h"
#include "platform/message_box.h"
#include "platform/translated_text.h"
#include "secrets/account_secrets.h"
#include "widgets/account_tree.h"
#include "widgets/body_panels.h"
#include "widgets/message_grid.h"

#include <algorithm>

namespace {
constexpr int NarrowestTreeSide = 80;
} // namespace

void TForm1::treeChange(QTreeWidgetItem* node) {
    if (!node) return; // an emptied tree selects nothing; an empty list has CurrentIndex -1
    const int index = accounts->IndexOf(TAccountTree::AccountName(node));
    if (index != -1 && (index != accounts->CurrentIndex() || accounts->Modified)) {
        accounts->Modified = false;
        accounts->Select(index, "");
        ShowAccountRows(index);
    }
}

void TForm1::ShowAccountRows(int index) {
    const TAccount& account = accounts->At(index);
    SetRefreshed(account.LastRefresh);
    StopPreview();
    grid->ShowRows(account.Rows, account.Headers);
    mail->Watch().Shown();
    MarkRows();
}

void TForm1::UseKeyring(TSecretStore* store) {
    keyring = store;
    mail->UseKeyring(store);
}

void TForm1::add_accClick() {
    auto* editor = new Tacc_info(*accounts, this); // deletes itself when it closes
    editor->UseKeyring(keyring);
    editor->UseBrowser(browser);
    editor->AddAccountNode = [this](const std::string& name, const std::string& server,
                                    const std::string& user) {
        AddAccountNode(name, server, user);
    };
    editor->exec();
}

void TForm1::ModifyAccount1Click() {
    if (tree->NodeCount() < 2 || !tree->currentItem() || accounts->Count() == 0 ||
        accounts->CurrentIndex() == -1 || !accounts->Current())
        return;
    auto* editor = new Tacc_info(*accounts, this); // deletes itself when it closes
    editor->UseKeyring(keyring);
    editor->UseBrowser(browser);
    editor->LoadCurrent();
    editor->RefreshAccountNodes = [this](const std::string& oldName, const std::string& newName) {
        RefreshAccountNodes(oldName, newName);
    };
    editor->exec();
}

void TForm1::del_accClick() {
    // The deletion waiting on the server, or a round of checks, holds this account.
    if (mail->Flags().MailBusy || mail->RoundRunning()) return;
    if (accounts->Count() == 0) {
        ShowMessage(Translated("TForm1", "No accounts exist"));
        return;
    }
    const std::string name = accounts->Current() ? accounts->Current()->Name : std::string();
    if (!Confirm(Filled(Translated("TForm1", "Delete account \"%1\"?"), name))) return;
    if (keyring && accounts->Current()) ForgetSecret(*accounts->Current(), *keyring);
    if (!accounts->Delete(-1, name)) {
        ShowMessage(Translated("TForm1", "Error occured deleting acount"));
        return;
    }
    if (!accounts->SaveToFile()) ShowMessage(Translated("TForm1", "Error saving accounts file"));
    DropUnusedSeen(*accounts);
    MoveAccountSettings(name, "");
    ApplyDesktop();
    tree->RemoveSelectedAccount();
    if (tree->NodeCount() < 3) {
        tree->InsertPlaceholder();
        ClearTable();
    }
}

void TForm1::AddAccountNode(const std::string& name, const std::string& server,
                            const std::string& user) {
    tree->AddAccountNode(name, server, user);
}

void TForm1::RefreshAccountNodes(const std::string& oldName, const std::string& newName) {
    if (accounts->Count() == 0) return;
    QTreeWidgetItem* selected = tree->currentItem();
    if (!tree->RelabelAccounts(*accounts, oldName, newName)) {
        ShowMessage(
            Translated("TForm1", "An error occured refreshing accounts: please restart program"));
        return;
    }
    tree->setCurrentItem(selected);
    if (oldName != newName && MoveAccountSettings(oldName, newName)) ApplyDesktop();
}

void TForm1::smallpanelMouseMove(Qt::MouseButtons shift, int x, int /*y*/) {
    if (!(shift & Qt::LeftButton)) return;
    // The tree fills the tree side, so their widths are one.
    if (body->Panel2Width() <= NarrowestTreeSide && x <= 0) return;
    body->SetPanel2Width(std::max(NarrowestTreeSide, body->Panel2Width() + x));
}

// A check or a deletion has the mailbox to itself: a preview on its way is given up.
void TForm1::Button1Click() {
    StopPreview();
    mail->Button1Click();
}

void TForm1::del_mailClick() {
    StopPreview();
    mail->del_mailClick();
}

void TForm1::gridKeyDown(int key, Qt::KeyboardModifiers /*shift*/) {
    if (key == Qt::Key_Delete) del_mailClick(); // whatever the shift state
}

void TForm1::gridDblClick() {
    if (accounts->Count() == 0 || !headers || !accounts->Current()) return;
    if (headers->isVisible()) {
        if (headers->isMinimized()) headers->showNormal();
        headers->raise();
        headers->activateWindow();
        return;
    }
    const TAccount& current = *accounts->Current();
    if (current.Rows.empty()) return;
    const int message = grid->CurrentMessage();
    if (grid->RowEmpty(message) || message > static_cast<int>(current.Headers.size())) return;
    headers->ShowLines(current.Headers[static_cast<size_t>(message - 1)].Lines());
    headers->show();
}

// The grid hands over the message number of the row, whatever the order shown.
void TForm1::gridSelectCell(int /*column*/, int message) {
    preview->Schedule();
    if (!headers || !headers->isVisible() || !accounts->Current()) return;
    const TAccount& current = *accounts->Current();
    if (message < 1 || message > static_cast<int>(current.Headers.size())) return;
    headers->ShowLines(current.Headers[static_cast<size_t>(message - 1)].Lines());
}
