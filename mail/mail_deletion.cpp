#include "mail/mail_deletion.h"

#include "accounts/account_list.h"
#include "accounts/cut_field.h"
#include "mail/check_sign_in.h"
#include "mail/header_date.h"
#include "mail/mail_parts.h"
#include "mail/mail_view.h"
#include "net/scoped_flag.h"
#include "platform/message_box.h"
#include "platform/translated_text.h"
#include "pop3/pop3_client.h"
#include "widgets/message_grid.h"

#include <algorithm>

namespace {

const char* const Moved = QT_TRANSLATE_NOOP(
    "TDeletion", "That email has moved in the queue, please re-check this account");
const char* const Gone =
    QT_TRANSLATE_NOOP("TDeletion", "That email no longer seems to exist. Re-check account");
const char* const NotConnected =
    QT_TRANSLATE_NOOP("TDeletion", "An error occured while connecting");
const char* const SomeGone =
    QT_TRANSLATE_NOOP("TDeletion", "One or more of the emails you selected is not longer on the "
                                   "server.\n\rPlease re-check this account and try again");
const char* const RangeWarning = QT_TRANSLATE_NOOP(
    "TDeletion", "You are about to delete multiple emails. Each one is checked first, and\n\rone "
                 "that has moved in the queue is kept. Are you sure you want to continue?");

std::string Said(const char* text) {
    return Translated("TDeletion", text);
}

// One cell of a cached row line.
std::string CachedCell(std::string line, int column) {
    for (int skipped = 0; skipped < column; ++skipped)
        CutField(line, TMessageGrid::Separator);
    return CutField(line, TMessageGrid::Separator);
}

std::string RangeReport(int selected, int deleted, int moved) {
    const std::string report = Filled(
        Translated("TDeletion", "Deleted %1 of the %n emails you selected.", nullptr, selected),
        std::to_string(deleted));
    if (moved == 0) return report;
    return report + "\n\r" +
           (moved == 1 ? Translated("TDeletion", "%n had moved in the queue and was not deleted.",
                                    nullptr, moved)
                       : Translated("TDeletion", "%n had moved in the queue and were not deleted.",
                                    nullptr, moved)) +
           "\n\r" + Said(QT_TRANSLATE_NOOP("TDeletion", "Please re-check this account"));
}

class TDeletion {
public:
    TDeletion(const TMailParts& mailParts, TAccount& deleting)
        : parts(mailParts), pop(mailParts.Pop), account(deleting) {}

    void One(int message);
    // Messages in ascending order, after the question (a warning, Yes or No). Gives the report
    // to show once the session has ended.
    std::string Range(const std::vector<int>& messages, const std::string& question);

private:
    std::string Question(int message) const;
    bool LogIn();
    bool StillTheSame(int message, size_t line);
    void Forget(size_t line);
    void ShowRows();

    const TMailParts& parts;
    TPop3Client& pop;
    TAccount& account;
};

std::string TDeletion::Question(int message) const {
    const TMessageGrid& grid = parts.Grid;
    return Filled(Translated("TDeletion",
                             "Delete email with the following details?\n\r\n\rSubject : "
                             "%1\n\rFrom : %2\n\rDate : %3\n\rSize : %4 KB"),
                  grid.ShownCell(2, message), grid.ShownCell(1, message),
                  grid.ShownCell(0, message), grid.Cell(3, message));
}

// A failed Connect raises its own failure; false only when it returned without a log-in.
bool TDeletion::LogIn() {
    SetServer(pop, account.Server, account.Security);
    if (!pop.Connected()) {
        // The sign-in's handler of a refusal lasts for this log-in only.
        struct TRestore {
            TPop3Client& pop;
            THandlerEvent refused;
            ~TRestore() { pop.OnAuthenticationFailed = refused; }
        } restore{pop, pop.OnAuthenticationFailed};
        TAttemptSignIn signIn;
        signIn.Apply(pop, account, restore.refused);
        pop.Connect();
        signIn.Keep(account);
    }
    if (parts.Flags.LoggedIn) return true;
    ShowMessage(Said(NotConnected));
    return false;
}

// Whether message number `message` on the server is the one the check kept at `line`. Date and
// identifier alone are often empty or shared, so the server's unique identifier decides, or,
// where the server gives none now or gave none at the check, the whole header byte for byte.
bool TDeletion::StillTheSame(int message, size_t line) {
    pop.GetSummary(message);
    const TSummary& now = pop.Summary();
    const std::string& kept = account.Rows.at(line);
    if (CellText(HeaderDate(now.Header)) != CachedCell(kept, 0) ||
        CellText(now.MessageId) != CachedCell(kept, 4))
        return false;
    if (line < account.Uids.size() && !account.Uids[line].empty()) {
        const std::string uid = pop.Uid(message);
        if (!uid.empty()) return uid == account.Uids[line];
    }
    return line < account.Headers.size() && now.Header == account.Headers[line];
}

void TDeletion::Forget(size_t line) {
    const auto at = static_cast<std::ptrdiff_t>(line);
    account.Rows.erase(account.Rows.begin() + at);
    if (line < account.Headers.size()) account.Headers.erase(account.Headers.begin() + at);
    if (line < account.Uids.size()) account.Uids.erase(account.Uids.begin() + at);
}

// The table is redrawn only while it still shows this account.
void TDeletion::ShowRows() {
    if (parts.Accounts.Current() == &account)
        parts.View.ShowAccountRows(parts.Accounts.CurrentIndex());
}

void TDeletion::One(int message) {
    if (!Confirm(Question(message))) return;
    if (!LogIn()) return;
    try {
        if (!StillTheSame(message, static_cast<size_t>(message - 1))) {
            ShowMessage(Said(Moved));
            return;
        }
        pop.DeleteMailMessage(message);
        Forget(static_cast<size_t>(message - 1));
        ShowRows();
    } catch (...) {
        ShowMessage(Said(Gone));
    }
}

// Each message is checked just before its DELE, so one that moved is kept and the others still
// go; this also covers a selection that is not contiguous in message order (a sorted view).
// Message numbers stay fixed within the session while the cache closes up, so the cache line
// of message n is n - 1 less the deletions before it.
std::string TDeletion::Range(const std::vector<int>& messages, const std::string& question) {
    const TMsgRequest warning{TMsgKind::Warning, TMsgButtons::YesNo,
                              Said(QT_TRANSLATE_NOOP("TDeletion", "Warning")), question};
    if (ShowMessageBox(warning) != TMsgResult::Yes) return {};
    if (!LogIn()) return {};
    int deleted = 0;
    int moved = 0;
    try {
        for (const int message : messages) {
            const auto line = static_cast<size_t>(message - 1 - deleted);
            if (!StillTheSame(message, line)) {
                ++moved;
                continue;
            }
            pop.DeleteMailMessage(message);
            Forget(line);
            ++deleted;
        }
    } catch (...) {
        ShowRows(); // so that the table agrees with the cache
        ShowMessage(Said(SomeGone));
        return {};
    }
    ShowRows();
    return RangeReport(static_cast<int>(messages.size()), deleted, moved);
}

void DisconnectIfConnected(TPop3Client& pop) {
    if (pop.Connected()) pop.Disconnect();
}

// After a deletion the row that took the place of the first deleted one is selected, the last
// row when none did, so that the user goes on from where they were.
void SelectRowAfter(TMessageGrid& grid, int viewRow) {
    const int row = std::min(viewRow, grid.RowCount() - 1) - 1;
    if (row < 0) return;
    grid.setCurrentCell(row, 0);
    grid.setRangeSelected({row, 0, row, TMessageGrid::Columns - 1}, true);
}

// The messages of the selected rows (ascending, whatever order the view shows); empty when one
// has no cached line.
std::vector<int> SelectedMessages(const TMessageGrid& grid, int cached) {
    std::vector<int> messages = grid.SelectedMessages();
    for (const int message : messages)
        if (message < 1 || message > cached) return {};
    return messages;
}

// The deletion proper, on the account's cached rows. Without a question of its own a selection:
// one message asked about alone, several after the warning.
void DeleteMessages(const TMailParts& parts, TAccount& account, const std::vector<int>& messages,
                    const std::string& rangeQuestion) {
    const TScopedFlag busy(parts.Flags.MailBusy);
    parts.Pop.TimeOut = TPop3Client::TimeOutFromSeconds(account.Timeout);
    const int cached = static_cast<int>(account.Rows.size());
    int firstRow = parts.Grid.RowCount();
    for (const int message : messages)
        firstRow = std::min(firstRow, parts.Grid.RowOf(message));
    TDeletion deletion(parts, account);
    std::string report;
    try {
        if (rangeQuestion.empty() && messages.size() == 1)
            deletion.One(messages.front());
        else
            report = deletion.Range(messages,
                                    rangeQuestion.empty() ? Said(RangeWarning) : rangeQuestion);
    } catch (...) {
        try {
            DisconnectIfConnected(parts.Pop);
        } catch (...) {
            // The first failure is the one the user sees.
        }
        throw;
    }
    // The QUIT makes the server carry out the deletions; a refused one is shown as a failure.
    DisconnectIfConnected(parts.Pop);
    if (static_cast<int>(account.Rows.size()) < cached && parts.Accounts.Current() == &account)
        SelectRowAfter(parts.Grid, firstRow);
    if (!report.empty()) ShowMessage(report);
}

// The account whose rows the table shows, when no other mail operation holds it; a check still
// connecting is given up.
TAccount* Deletable(const TMailParts& parts) {
    TAccount* account = parts.Accounts.Current();
    if (parts.Accounts.Count() == 0 || !account || parts.Flags.MailBusy) return nullptr;
    parts.View.AbandonRunningCheck();
    parts.Flags.Checking = false;
    return account->Rows.empty() ? nullptr : account;
}

} // namespace

void DeleteSelectedMail(const TMailParts& parts) {
    TAccount* account = Deletable(parts);
    if (!account) return;
    const int cached = static_cast<int>(account->Rows.size());
    const std::vector<int> messages = SelectedMessages(parts.Grid, cached);
    if (messages.empty() || parts.Grid.RowEmpty(messages.front())) return;
    DeleteMessages(parts, *account, messages, {});
}

std::string MarkedQuestion(int count) {
    return (count == 1
                ? Said(QT_TRANSLATE_NOOP("TDeletion",
                                         "Delete the email marked for deletion by your rules?"))
                : Translated("TDeletion", "Delete the %n emails marked for deletion by your rules?",
                             nullptr, count)) +
           "\n\r" +
           Said(QT_TRANSLATE_NOOP(
               "TDeletion",
               "Each one is checked first, and one that has moved in the queue is kept."));
}

void DeleteMarkedMail(const TMailParts& parts, const std::vector<int>& marked) {
    TAccount* account = Deletable(parts);
    if (!account || marked.empty()) return;
    for (const int message : marked)
        if (message < 1 || message > static_cast<int>(account->Rows.size())) return;
    DeleteMessages(parts, *account, marked, MarkedQuestion(static_cast<int>(marked.size())));
}
