#include "mail/mail_check.h"

#include "accounts/account_list.h"
#include "accounts/new_mail.h"
#include "dialogs/status_dialog.h"
#include "mail/check_round.h"
#include "mail/header_date.h"
#include "mail/mail_view.h"
#include "mail/server_address.h"
#include "net/scoped_flag.h"
#include "platform/message_box.h"
#include "pop3/pop3_client.h"
#include "widgets/batched_repaint.h"
#include "widgets/message_grid.h"
#include "widgets/ui_guard.h"

#include <QTime>
#include <algorithm>
#include <exception>

namespace {
// A cancelled worker ends within milliseconds; one that does not is reported, not waited for.
constexpr int StopTimeoutMs = 3000;
// A quiet check whose log-in ended without the server's word either way.
const char* const NoAnswer = "The server ended the log-in without an answer";
} // namespace

TMailCheck::TMailCheck(const TMailParts& parts, TStatus& statusDialog)
    : pop(parts.Pop), accounts(parts.Accounts), grid(parts.Grid), flags(parts.Flags),
      view(parts.View), status(statusDialog),
      window(std::make_unique<TMessageWindow>(
          [this](const TMessage& m) { RunGuarded([&] { WndProc(m); }); })),
      windowRefused(parts.Pop.OnAuthenticationFailed) {}

TMailCheck::~TMailCheck() {
    Shutdown();
}

void TMailCheck::Button1Click() {
    TAccount* current = accounts.Current();
    if (accounts.Count() == 0 || !current || flags.MailBusy) return;
    flags.Checking = true;
    const std::string notReady = ReadySignIn(*current);
    if (!notReady.empty()) {
        ShowMessage(notReady);
        return;
    }
    if (NeedsPassword(*current) && !AskPassword(*current)) return;
    AbandonRunningWorker();
    quiet = false;
    quietDone = nullptr;
    status.Begin("Connecting to " + current->Server);
    status.show();
    view.SetWindowEnabled(false);
    Launch(*current);
}

bool TMailCheck::CheckQuietly(TAccount& account, TDone done) {
    // A worker whose attempt has ended is only returning; Launch joins it.
    if (flags.MailBusy || flags.ThreadHandle != 0 || NeedsPassword(account)) return false;
    if (!quietGrid) quietGrid = std::make_unique<TMessageGrid>();
    flags.Checking = true;
    quiet = true;
    quietDone = std::move(done);
    Launch(account);
    return true;
}

std::string TMailCheck::ReadySignIn(TAccount& account) {
    const TScopedFlag busy(flags.MailBusy); // the keyring or the provider may take a while
    tokens = TTokenClient(account.Timeout * 1000);
    return ::ReadySignIn(account, keyring, tokens);
}

bool TMailCheck::AskPassword(TAccount& account) {
    std::string password;
    if (!view.AskPassword(password, account.Name == rejectedAccount)) return false;
    account.Password = password;
    account.PasswordGiven = true;
    rejectedAccount.clear();
    return true;
}

// The session's settings are written before the worker starts, so it only reads them.
void TMailCheck::Launch(TAccount& account) {
    target = &account;
    attemptOf = {account.Name, account.Server, account.Timeout, account.SavePassword,
                 account.SignIn == TSignInMethod::OAuth2};
    TakeSnapshot();
    pop.TimeOut = TPop3Client::TimeOutFromSeconds(account.Timeout);
    SetServer(pop, account.Server, account.Security);
    signIn.Apply(pop, account, windowRefused);
    const int64_t attempt = ++lastAttempt;
    flags.ThreadHandle = attempt;
    workerAttempt = attempt;
    worker.Start([this, attempt] { CheckThreadProc(attempt); });
}

// The account the check is about: found again by name, in case it was removed meanwhile.
TAccount* TMailCheck::Target() const {
    const int index = accounts.IndexOf(attemptOf.account);
    if (index < 0) return nullptr;
    TAccount* account = &accounts.At(index);
    return account == target ? account : nullptr;
}

// Where the rows go: the account itself, or for a quiet check a copy that replaces the account's
// rows only once it is complete, so that the table and the cache never part.
TAccount* TMailCheck::Store() {
    TAccount* account = Target();
    if (!account || !quiet) return account;
    if (!staged) staged = std::make_unique<TAccount>();
    return staged.get();
}

TMessageGrid& TMailCheck::FillGrid() {
    return quiet ? *quietGrid : grid;
}

// The worker: log-in only. The table and the account are cleared on the user-interface thread,
// in order with whatever the worker reports after.
int TMailCheck::CheckThreadProc(int64_t attempt) {
    readyPending = false;
    try {
        flags.ListedCount = 0;
        PostMessage(window->Handle(), WM_CHECK_CLEAR, static_cast<uint64_t>(attempt));
        if (!pop.Connected()) pop.Connect();
    } catch (...) {
        PostFailure(attempt, std::current_exception());
        return 0;
    }
    if (readyPending)
        PostMessage(status.Handle(), WM_CHECK_READY, static_cast<uint64_t>(attempt), 0);
    else if (quiet)
        PostMessage(window->Handle(), WM_CHECK_FAILED, static_cast<uint64_t>(attempt), 0, NoAnswer);
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
    failure.OAuth2 = attemptOf.oauth2;
    return failure;
}

// The attempt is over: the dialog says how it ended, and the window is the user's again.
void TMailCheck::EndWithOutcome(const TCheckOutcome& outcome) {
    flags.ThreadHandle = 0;
    if (outcome.ForgetPassword) ForgetPassword();
    if (quiet) {
        EndQuietly(outcome.Text);
        return;
    }
    status.End(outcome.Text);
    view.SetWindowEnabled(true);
}

void TMailCheck::EndQuietly(const std::string& failure) {
    quiet = false;
    staged.reset(); // taken by the account, or dropped with the failure
    TDone done = std::move(quietDone);
    quietDone = nullptr;
    if (done) done(failure);
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

// The log-in is over, the worker is done with the sign-in: a token it renewed goes to the
// account, and the session's handler is the window's again.
void TMailCheck::KeepSignIn() {
    pop.OnAuthenticationFailed = windowRefused;
    TAccount* account = Target();
    if (account && signIn.Keep(*account)) KeepRenewedSecret(*account, keyring);
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
    if (message.Msg == WM_CHECK_FAILED) {
        KeepSignIn();
        EndWithOutcome({message.Data, message.LParam != 0});
    }
    if (message.Msg != WM_CHECK_CLEAR) return;
    FillGrid().ClearTable();
    if (TAccount* account = Store()) {
        account->Rows.clear();
        account->Headers.clear();
        account->Uids.clear();
    }
}

void TMailCheck::CheckReady(uint64_t attempt) {
    if (static_cast<int64_t>(attempt) != flags.ThreadHandle) return; // given up by Cancel
    KeepSignIn();
    if (!quiet) status.SetText("Checking mail account...");
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
        FillGrid().Sort(); // the rows came in message order
        if (!quiet) view.SetWindowEnabled(true);
        DisconnectQuietly();
    }
    if (flags.ThreadHandle != attempt) {
        RestoreSnapshot();
        return false;
    }
    if (completed) flags.ThreadHandle = 0;
    if (!failure && !completed && quiet) {
        flags.ThreadHandle = 0;
        EndQuietly(NoAnswer);
    }
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
    TAccount* account = Store();
    if (count > 0 && account) account->Uids = pop.ListUids(count); // the deletion's check
    fillStep = TCheckStep::Summary;
    pop.PlanSummaries(1, count);
    TBatchedRepaint batches(FillGrid());
    for (fillMessage = 1; fillMessage <= count; ++fillMessage) {
        AddRow(fillMessage);
        batches.Changed();
    }
}

void TMailCheck::AddRow(int32_t row) {
    TMessageGrid& rows = FillGrid();
    std::vector<std::string> header;
    rows.SetRowCount(row + 1);
    pop.GetSummary(row);
    const TSummary& summary = pop.Summary();
    std::string size = SizeInKB(summary.Bytes);
    if (size == "0") size[0] = '1'; // a message is never shown as empty
    rows.SetCell(0, row, CellText(HeaderDate(summary.Header.Lines())));
    rows.SetCell(1, row, CellText(summary.From));
    rows.SetCell(2, row, CellText(summary.Subject));
    rows.SetCell(3, row, size);
    rows.SetCell(4, row, CellText(summary.MessageId));
    std::string line = rows.Cell(0, row);
    for (int column = 1; column < TMessageGrid::Columns; ++column) {
        line.push_back(TMessageGrid::Separator);
        line += rows.Cell(column, row);
    }
    header = summary.Header.Lines();
    rows.ShowHeader(row, header);
    TAccount* account = Store();
    if (!account) return;
    account->Rows.push_back(line);
    account->Headers.push_back(std::move(header));
}

void TMailCheck::StampRefresh() {
    const std::string time = QTime::currentTime().toString("hh:mm:ss").toStdString();
    TAccount* account = Target();
    if (account) account->LastRefresh = time;
    if (!quiet || account == accounts.Current()) view.SetRefreshed(time);
}

void TMailCheck::FinishCheck() {
    if (!quiet && status.isVisible()) status.close();
    DisconnectQuietly();
    TAccount* account = Target();
    if (!quiet) {
        if (account && OnChecked) OnChecked(*account);
        return;
    }
    if (account && staged) {
        account->Rows = std::move(staged->Rows);
        account->Headers = std::move(staged->Headers);
        account->Uids = std::move(staged->Uids);
    }
    // The table follows a quiet check of the account it shows only when the rows changed, so
    // that the user's selection stays.
    if (account && account == accounts.Current() && account->Rows != snapshot.rows)
        ShowKeepingSelection(*account);
    EndQuietly("");
}

// The rows the user had selected stay selected where they still are; none is put in their place.
void TMailCheck::ShowKeepingSelection(const TAccount& account) {
    const std::vector<std::string> before = MessageIdentities(snapshot.uids, snapshot.headers);
    std::vector<std::string> chosen;
    if (grid.selectionModel()->hasSelection())
        for (const int message : grid.SelectedMessages())
            if (message >= 1 && message <= static_cast<int>(before.size()))
                chosen.push_back(before[static_cast<size_t>(message - 1)]);
    view.ShowAccountRows(accounts.CurrentIndex());
    grid.clearSelection();
    grid.setCurrentCell(-1, -1);
    const std::vector<std::string> after = MessageIdentities(account.Uids, account.Headers);
    for (size_t i = 0; i < after.size(); ++i)
        if (std::find(chosen.begin(), chosen.end(), after[i]) != chosen.end()) {
            const int row = grid.RowOf(static_cast<int>(i) + 1) - 1;
            grid.setRangeSelected({row, 0, row, TMessageGrid::Columns - 1}, true);
        }
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
    const TAccount& account = *target;
    snapshot = {account.Name, account.Rows, account.Headers, account.Uids, account.LastRefresh};
}

void TMailCheck::RestoreSnapshot() {
    const int index = accounts.IndexOf(snapshot.account);
    if (index < 0) return;
    TAccount& account = accounts.At(index);
    account.Rows = snapshot.rows;
    account.Headers = snapshot.headers;
    account.Uids = snapshot.uids;
    account.LastRefresh = snapshot.lastRefresh;
    if (index == accounts.CurrentIndex() && !quiet) view.ShowAccountRows(index);
}
