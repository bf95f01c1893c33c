#include "ui/mail_deletion.h"

#include "accounts/account_list.h"
#include "platform/message_box.h"
#include "pop3/pop3_client.h"
#include "ui/header_date.h"
#include "ui/main_window.h"
#include "ui/message_grid.h"
#include "ui/server_address.h"

namespace {

const char* const Moved = "That email has moved in the queue, please re-check this account";
const char* const Gone = "That email no longer seems to exist. Re-check account";
const char* const NotConnected = "An error occured while connecting";
const char* const SomeGone = "One or more of the emails you selected is not longer on the "
                             "server.\n\rPlease re-check this account and try again";

class TDeletion {
public:
    TDeletion(TForm1& form, TAccount& account) : form(form), pop(form.Pop()), account(account) {}

    void One(int row);
    void Range(int first, int last);

private:
    std::string Question(int row) const;
    bool LogIn();
    void Forget(int row);
    void ShowRows();

    TForm1& form;
    TPop3Client& pop;
    TAccount& account;
};

std::string TDeletion::Question(int row) const {
    const TMessageGrid& grid = form.Grid();
    return "Delete email with the following details?\n\r\n\rSubject : " + grid.Cell(2, row) +
           "\n\rFrom : " + grid.Cell(1, row) + "\n\rDate : " + grid.Cell(0, row) +
           "\n\rSize : " + grid.Cell(3, row) + " KB";
}

// A failed Connect raises its own failure; false only when it returned without a log-in.
bool TDeletion::LogIn() {
    SetServer(pop, account.Server);
    pop.UserID = account.User;
    pop.Password = account.Password;
    if (!pop.Connected()) pop.Connect();
    if (form.LoggedIn) return true;
    ShowMessage(NotConnected);
    return false;
}

void TDeletion::Forget(int row) {
    const auto at = static_cast<std::ptrdiff_t>(row - 1);
    account.Rows.erase(account.Rows.begin() + at);
    account.Headers.erase(account.Headers.begin() + at);
}

// The table is redrawn only while it still shows this account.
void TDeletion::ShowRows() {
    if (form.Accounts().Current() == &account) form.ShowAccountRows(form.Accounts().CurrentIndex());
}

void TDeletion::One(int row) {
    const TMessageGrid& grid = form.Grid();
    const std::string date = grid.Cell(0, row);
    const std::string id = grid.Cell(4, row);
    if (!Confirm(Question(row))) return;
    if (!LogIn()) return;
    try {
        pop.GetSummary(row);
        const TSummary& now = pop.Summary();
        if (CellText(HeaderDate(now.Header.Lines())) != date || CellText(now.MessageId) != id) {
            ShowMessage(Moved);
            return;
        }
        pop.DeleteMailMessage(row);
        Forget(row);
        ShowRows();
    } catch (...) {
        ShowMessage(Gone);
    }
}

// Message numbers stay fixed within the session while the cache closes up, so the cache line
// of every deleted message is at first - 1 in turn.
void TDeletion::Range(int first, int last) {
    const TMsgRequest warning{
        TMsgKind::Warning, TMsgButtons::YesNo, "Warning",
        "You are about to delete multiple emails, with no safety\n\rchecks. Are you sure you "
        "want to continue?"};
    if (ShowMessageBox(warning) != TMsgResult::Yes) return;
    if (!LogIn()) return;
    try {
        for (int n = first; n <= last; ++n) {
            pop.DeleteMailMessage(n);
            Forget(first);
        }
    } catch (...) {
        ShowMessage(SomeGone);
    }
    ShowRows(); // after a failure too, so that the table agrees with the cache
}

void DisconnectIfConnected(TPop3Client& pop) {
    if (pop.Connected()) pop.Disconnect();
}

} // namespace

void DeleteSelectedMail(TForm1& form) {
    TAccount* account = form.Accounts().Current();
    if (form.Accounts().Count() == 0 || !account || form.MailBusy) return;
    form.AbandonRunningCheck();
    form.Checking = false;
    const auto [first, last] = form.Grid().SelectedRange();
    const int cached = static_cast<int>(account->Rows.size());
    if (cached == 0 || form.Grid().RowEmpty(first) || first > cached || last > cached) return;
    form.MailBusy = true;
    struct TRelease {
        bool& flag;
        ~TRelease() { flag = false; }
    } release{form.MailBusy};
    form.Pop().TimeOut = TPop3Client::TimeOutFromSeconds(account->Timeout);
    TDeletion deletion(form, *account);
    try {
        if (first == last)
            deletion.One(first);
        else
            deletion.Range(first, last);
    } catch (...) {
        try {
            DisconnectIfConnected(form.Pop());
        } catch (...) {
            // The first failure is the one the user sees.
        }
        throw;
    }
    // The QUIT makes the server carry out the deletions; a refused one is shown as a failure.
    DisconnectIfConnected(form.Pop());
}
