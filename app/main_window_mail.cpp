// The main window's part in the mail operations: the table's keys and clicks, the header
// viewer, and the POP3 events. The check lives in mail_check.cpp, the deletion in
// mail_deletion.cpp.
#include "accounts/account_list.h"
#include "app/main_window.h"
#include "dialogs/header_viewer.h"
#include "dialogs/status_dialog.h"
#include "mail/check_round.h"
#include "mail/mail_check.h"
#include "mail/mail_deletion.h"
#include "mail/mail_watch.h"
#include "pop3/pop3_client.h"
#include "widgets/message_grid.h"

#include <QApplication>

void TForm1::Button1Click() {
    // The user's check comes first: the round ends after the account it is checking, and the
    // check follows.
    if (round->Running()) {
        round->Stop();
        checkAfterRound = true;
        return;
    }
    if (mailCheck) mailCheck->Button1Click();
}

void TForm1::CheckAllClick() {
    if (flags.MailBusy || flags.ThreadHandle != 0 || round->Running()) return;
    round->Begin(false);
}

bool TForm1::RoundRunning() const {
    return round->Running();
}

// A tick that finds the user busy (a check, a deletion, a dialog or menu open) is let pass:
// the next one comes soon enough.
void TForm1::PeriodicTick() {
    if (flags.MailBusy || flags.ThreadHandle != 0 || round->Running() ||
        (status && status->isVisible()) || QApplication::activeModalWidget() ||
        QApplication::activePopupWidget())
        return;
    round->Begin(true);
}

void TForm1::del_mailClick() {
    if (round->Running()) return;
    DeleteSelectedMail(MailParts());
    if (TAccount* current = accounts->Current()) {
        watch->RowsChanged(*current);
        watch->Shown();
    }
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
    headers->ShowLines(current.Headers[static_cast<size_t>(message - 1)]);
    headers->show();
}

// The grid hands over the message number of the row, whatever the order shown.
void TForm1::gridSelectCell(int /*column*/, int message) {
    if (!headers || !headers->isVisible() || !accounts->Current()) return;
    const TAccount& current = *accounts->Current();
    if (message < 1 || message > static_cast<int>(current.Headers.size())) return;
    headers->ShowLines(current.Headers[static_cast<size_t>(message - 1)]);
}

void TForm1::popConnect(QObject* /*sender*/) {
    flags.LoggedIn = true;
    if (flags.Checking) mailCheck->PostCheckReady();
}

void TForm1::popConnectionFailed(QObject* /*sender*/) {
    flags.LoggedIn = false;
    if (status) mailCheck->ShowStatus("Error connecting to server: check your settings");
}

void TForm1::popInvalidHost(bool& /*handled*/) {
    flags.LoggedIn = false;
    if (status) mailCheck->ShowStatus("Invalid host specified: check your settings");
}

void TForm1::popAuthenticationFailed(bool& /*handled*/) {
    flags.LoggedIn = false;
    if (status) mailCheck->ShowStatus("Error authenticating: check your user details");
}

void TForm1::popFailure(QObject* /*sender*/) {
    if (status) mailCheck->ShowStatus("Error occured");
}

void TForm1::popList(int32_t /*msg*/, int32_t /*size*/) {
    ++flags.ListedCount;
}

// Nothing is terminated here: a worker still waiting in its log-in is cancelled and ends by
// itself. On the worker, a failed log-in closing its own session needs nothing.
void TForm1::popDisconnect(QObject* /*sender*/) {
    if (flags.ThreadHandle == 0 || flags.ThreadHandle == -1) return;
    if (!mailCheck->OnWorker() && mailCheck->WorkerRunning()) pop->Cancel();
}
