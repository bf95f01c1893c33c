#include "ui/mail_check.h"

#include "accounts/account_list.h"
#include "net/scoped_flag.h"
#include "pop3/pop3_client.h"
#include "ui/batched_repaint.h"
#include "ui/header_date.h"
#include "ui/mail_view.h"
#include "ui/message_grid.h"
#include "ui/server_address.h"
#include "ui/status_dialog.h"
#include "ui/ui_guard.h"

#include <QTime>
#include <exception>

namespace {
// A cancelled worker ends within milliseconds; one that does not is reported, not waited for.
constexpr int StopTimeoutMs = 3000;

bool NeedsPassword(const TAccount& account) {
    return account.Password.empty() || (!account.SavePassword && !account.PasswordGiven);
}
} // namespace

TMailCheck::TMailCheck(const TMailParts& parts, TStatus& status)
    : pop(parts.Pop), accounts(parts.Accounts), grid(parts.Grid), flags(parts.Flags),
      view(parts.View), status(status),
      window(std::make_unique<TMessageWindow>(
          [this](const TMessage& m) { RunGuarded([&] { WndProc(m); }); })) {}

TMailCheck::~TMailCheck() {
    Shutdown();
}

void TMailCheck::Button1Click() {
    TAccount* current = accounts.Current();
    if (accounts.Count() == 0 || !current || flags.MailBusy) return;
    flags.Checking = true;
    pop.TimeOut = TPop3Client::TimeOutFromSeconds(current->Timeout);
    if (NeedsPassword(*current)) {
        std::string password;
        if (!view.AskPassword(password, current->Name == rejectedAccount)) return;
        current->Password = password;
        current->PasswordGiven = true;
        rejectedAccount.clear();
    }
    AbandonRunningWorker();
    attemptOf = {current->Name, current->Server, current->Timeout, current->SavePassword};
    status.Begin("Connecting to " + current->Server);
    status.show();
    view.SetWindowEnabled(false);
    TakeSnapshot();
    // The session's settings are written before the worker starts, so it only reads them.
    SetServer(pop, current->Server, current->Security);
    pop.UserID = current->User;
    pop.Password = current->Password;
    const int64_t attempt = ++lastAttempt;
    flags.ThreadHandle = attempt;
    workerAttempt = attempt;
    worker.Start([this, attempt] { CheckThreadProc(attempt); });
}

// The worker: log-in only. The table and the account are cleared on the user-interface thread,
// in order with whatever the worker reports after.
int TMailCheck::CheckThreadProc(int64_t attempt) {
    readyPending = false;
    try {
        flags.ListedCount = 0;
        PostMessage(window->Handle(), WM_CHECK_CLEAR, static_cast<uint64_t>(attempt));
        if (!pop.Connected()) pop.Connect();
    } catch (const ETlsError& failure) {
        // No handler tells these: the status says why the check stopped.
        ShowStatus(failure.what());
    } catch (...) {
        PostFailure(attempt, std::current_exception());
        return 0;
    }
    if (readyPending)
        PostMessage(status.Handle(), WM_CHECK_READY, static_cast<uint64_t>(attempt), 0);
    return 0;
}

// On the worker, which still owns the session: its refusal is read here. An attempt given up
// meanwhile ignores what this posts.
void TMailCheck::PostFailure(int64_t attempt, std::exception_ptr error) {
    TCheckFailure failure = FailureOf(error, TCheckStep::LogIn);
    failure.LoggedIn = readyPending;
    failure.RefusedCommand = pop.LogInRefusal().Command;
    failure.RefusedReply = pop.LogInRefusal().Reply;
    // The refusal came first, whatever the closing of the session raised after it.
    if (!failure.RefusedReply.empty()) failure.Kind = TFailureKind::Credentials;
    failure.UserEmpty = pop.UserID.empty();
    failure.PasswordEmpty = pop.Password.empty();
    const TCheckOutcome outcome = DescribeFailure(failure);
    PostMessage(window->Handle(), WM_CHECK_FAILED, static_cast<uint64_t>(attempt),
                outcome.ForgetPassword ? 1 : 0, outcome.Text);
}

TCheckFailure TMailCheck::FailureOf(std::exception_ptr error, TCheckStep step) const {
    TCheckFailure failure;
    failure.Kind = KindOf(error);
    // A wait ended while the attempt was still wanted: the session was closed under it, from
    // the other thread, when the server hung up.
    if (failure.Kind == TFailureKind::Canceled) failure.Kind = TFailureKind::Closed;
    failure.Text = TextOf(error);
    failure.Step = step;
    failure.Server = attemptOf.server;
    failure.TimeoutSeconds = attemptOf.timeout;
    failure.SavePassword = attemptOf.savePassword;
    return failure;
}

// The attempt is over: the dialog says how it ended, and the window is the user's again.
void TMailCheck::EndWithOutcome(const TCheckOutcome& outcome) {
    flags.ThreadHandle = 0;
    if (outcome.ForgetPassword) ForgetPassword();
    status.End(outcome.Text);
    view.SetWindowEnabled(true);
}

// A typed password the server rejected is not offered again: the next check asks anew.
void TMailCheck::ForgetPassword() {
    const int index = accounts.IndexOf(attemptOf.account);
    if (index < 0) return;
    TAccount& account = accounts.At(index);
    if (account.SavePassword) return; // a saved password is the editor's to change
    account.Password.clear();
    account.PasswordGiven = false;
    rejectedAccount = account.Name;
}

void TMailCheck::ShowStatus(const std::string& text) {
    if (!OnWorker()) {
        status.SetTextIfVisible(text);
        return;
    }
    PostMessage(window->Handle(), WM_CHECK_STATUS, static_cast<uint64_t>(workerAttempt.load()), 0,
                text);
}

void TMailCheck::PostCheckReady() {
    if (OnWorker()) {
        readyPending = true;
        return;
    }
    PostMessage(status.Handle(), WM_CHECK_READY, 0, 0);
}

void TMailCheck::WndProc(const TMessage& message) {
    if (static_cast<int64_t>(message.WParam) != flags.ThreadHandle) return; // given up
    if (message.Msg == WM_CHECK_STATUS) status.SetTextIfVisible(message.Data);
    if (message.Msg == WM_CHECK_FAILED) EndWithOutcome({message.Data, message.LParam != 0});
    if (message.Msg != WM_CHECK_CLEAR) return;
    grid.ClearTable();
    if (TAccount* current = accounts.Current()) {
        current->Rows.clear();
        current->Headers.clear();
        current->Uids.clear();
    }
}

void TMailCheck::CheckReady(uint64_t attempt) {
    if (static_cast<int64_t>(attempt) != flags.ThreadHandle) return; // given up by Cancel
    status.SetText("Checking mail account...");
    if (FillMessageTable()) FinishCheck();
}

// False when it failed, or when Cancel gave the check up meanwhile (the account and the table
// are then as before). A failure keeps the rows read so far and ends in the status dialog.
bool TMailCheck::FillMessageTable() {
    const int64_t attempt = flags.ThreadHandle;
    std::exception_ptr failure;
    bool completed = false;
    {
        const TScopedFlag busy(flags.MailBusy);
        const TScopedFlag filled(filling);
        if (flags.LoggedIn) {
            try {
                FillRows();
                StampRefresh();
                completed = true;
            } catch (...) {
                failure = std::current_exception();
            }
        }
        grid.Sort(); // the rows came in message order
        view.SetWindowEnabled(true);
        DisconnectQuietly();
    }
    if (flags.ThreadHandle != attempt) {
        RestoreSnapshot();
        return false;
    }
    if (completed) flags.ThreadHandle = 0;
    if (!failure) return completed;
    TCheckFailure words = FailureOf(failure, fillStep);
    words.Message = fillMessage;
    words.Listed = flags.ListedCount;
    EndWithOutcome(DescribeFailure(words));
    return false;
}

void TMailCheck::FillRows() {
    fillStep = TCheckStep::List; // the listing and its identifiers
    pop.List();
    const int32_t count = flags.ListedCount;
    TAccount* current = accounts.Current();
    if (count > 0 && current) current->Uids = pop.ListUids(count); // the deletion's check
    fillStep = TCheckStep::Summary;
    pop.PlanSummaries(1, count);
    TBatchedRepaint batches(grid);
    for (fillMessage = 1; fillMessage <= count; ++fillMessage) {
        AddRow(fillMessage);
        batches.Changed();
    }
}

void TMailCheck::AddRow(int32_t row) {
    std::vector<std::string> header;
    grid.SetRowCount(row + 1);
    pop.GetSummary(row);
    const TSummary& summary = pop.Summary();
    std::string size = SizeInKB(summary.Bytes);
    if (size == "0") size[0] = '1'; // a message is never shown as empty
    grid.SetCell(0, row, CellText(HeaderDate(summary.Header.Lines())));
    grid.SetCell(1, row, CellText(summary.From));
    grid.SetCell(2, row, CellText(summary.Subject));
    grid.SetCell(3, row, size);
    grid.SetCell(4, row, CellText(summary.MessageId));
    std::string line = grid.Cell(0, row);
    for (int column = 1; column < TMessageGrid::Columns; ++column) {
        line.push_back(TMessageGrid::Separator);
        line += grid.Cell(column, row);
    }
    header = summary.Header.Lines();
    grid.ShowHeader(row, header);
    TAccount* current = accounts.Current();
    if (!current) return;
    current->Rows.push_back(line);
    current->Headers.push_back(std::move(header));
}

void TMailCheck::StampRefresh() {
    const std::string time = QTime::currentTime().toString("hh:mm:ss").toStdString();
    if (TAccount* current = accounts.Current()) current->LastRefresh = time;
    view.SetRefreshed(time);
}

void TMailCheck::FinishCheck() {
    if (status.isVisible()) status.close();
    DisconnectQuietly();
}

void TMailCheck::StatusClosed() {
    view.SetWindowEnabled(true);
}

void TMailCheck::CancelClick() {
    if (flags.ThreadHandle != 0) Abandon();
    status.close();
}

// Gives the current attempt up: its worker is stopped, its messages are ignored from now on,
// and the account and the table get back what they held before it.
void TMailCheck::Abandon() {
    flags.ThreadHandle = -1;
    if (!worker.Stop([this] { pop.Cancel(); }, StopTimeoutMs)) {
        ShowError("Error destroying connection thread");
        return; // the session is still the worker's
    }
    if (filling) {
        pop.Cancel(); // the filling's pending wait ends; the filling restores as it unwinds
        return;
    }
    // Also renews a socket that a cancelled connect left half open.
    try {
        pop.Disconnect();
    } catch (...) {
        // Nothing of an abandoned session is worth a message.
    }
    RestoreSnapshot();
}

void TMailCheck::AbandonRunningWorker() {
    // A worker whose attempt has ended is only returning; starting the next one joins it.
    if (worker.Running() && flags.ThreadHandle != 0) Abandon();
}

void TMailCheck::Shutdown() {
    if (!worker.Running()) return;
    flags.ThreadHandle = -1;
    worker.Stop([this] { pop.Cancel(); }, StopTimeoutMs);
}

void TMailCheck::DisconnectQuietly() {
    if (!pop.Connected()) return;
    try {
        pop.Disconnect();
    } catch (...) {
        // The check is over either way.
    }
}

void TMailCheck::TakeSnapshot() {
    const TAccount& current = *accounts.Current();
    snapshot = {current.Name, current.Rows, current.Headers, current.Uids, current.LastRefresh};
}

void TMailCheck::RestoreSnapshot() {
    const int index = accounts.IndexOf(snapshot.account);
    if (index < 0) return;
    TAccount& account = accounts.At(index);
    account.Rows = snapshot.rows;
    account.Headers = snapshot.headers;
    account.Uids = snapshot.uids;
    account.LastRefresh = snapshot.lastRefresh;
    if (index == accounts.CurrentIndex()) view.ShowAccountRows(index);
}
