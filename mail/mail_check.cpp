#include "mail/mail_check.h"

#include "accounts/account_list.h"
#include "accounts/new_mail.h"
#include "dialogs/status_dialog.h"
#include "mail/check_round.h"
#include "mail/check_sign_in.h"
#include "mail/header_date.h"
#include "mail/mail_view.h"
#include "net/scoped_flag.h"
#include "platform/message_box.h"
#include "platform/translated_text.h"
#include "pop3/pop3_client.h"
#include "widgets/message_grid.h"
#include "widgets/ui_guard.h"

#include <QTime>
#include <algorithm>
#include <exception>

namespace {
// A cancelled worker ends within milliseconds; one that does not is reported, not waited for.
constexpr int StopTimeoutMs = 3000;
// A quiet check whose log-in ended without the server's word either way.
const char* const NoAnswer =
    QT_TRANSLATE_NOOP("TMailCheck", "The server ended the log-in without an answer");

TCheckFailure FailureOf(std::exception_ptr error, TCheckStep step, const TCheckAttempt& about) {
    TCheckFailure failure;
    failure.Kind = KindOf(error);
    // A wait ended while the attempt was still wanted: the session was closed under it, from
    // the other thread, when the server hung up.
    if (failure.Kind == TFailureKind::Canceled) failure.Kind = TFailureKind::Closed;
    failure.Text = TextOf(error);
    failure.Step = step;
    failure.Server = about.Server;
    failure.TimeoutSeconds = about.Timeout;
    failure.SavePassword = about.SavePassword;
    failure.OAuth2 = about.OAuth2;
    return failure;
}
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
    background = false;
    status.Begin(Filled(Translated("TMailCheck", "Connecting to %1"), current->Server));
    status.show();
    view.SetWindowEnabled(false);
    Launch(*current, &grid, &status, [this](const std::string& failure) { EndShown(failure); });
}

bool TMailCheck::CheckQuietly(TAccount& account, TDone done) {
    // A worker whose attempt has ended is only returning; Launch joins it.
    if (flags.MailBusy || flags.ThreadHandle != 0 || NeedsPassword(account)) return false;
    flags.Checking = true;
    background = true;
    Launch(account, nullptr, nullptr, [this, done = std::move(done)](const std::string& failure) {
        background = false;
        if (done) done(failure);
    });
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
void TMailCheck::Launch(TAccount& account, TMessageGrid* table, TStatus* shown,
                        TCheckRun::TEnd end) {
    run = std::make_unique<TCheckRun>(accounts, account, table, shown, std::move(end));
    pop.TimeOut = TPop3Client::TimeOutFromSeconds(account.Timeout);
    pop.PreviewLines = flags.PreviewLines;
    SetServer(pop, account.Server, account.Security);
    signIn.Apply(pop, account, windowRefused);
    const int64_t attempt = ++lastAttempt;
    flags.ThreadHandle = attempt;
    workerAttempt = attempt;
    worker.Start([this, attempt, about = run->Attempt(), watched = run->Status() != nullptr] {
        CheckThreadProc(attempt, about, watched);
    });
}

// The end of a check the user watched: the dialog says how it ended, or closes with the rows.
void TMailCheck::EndShown(const std::string& failure) {
    if (failure.empty()) {
        if (status.isVisible()) status.close();
        TAccount* account = run->Target();
        if (account && OnChecked) OnChecked(*account);
        return;
    }
    status.End(failure);
    view.SetWindowEnabled(true);
}

// The worker: log-in only. The table and the account are cleared on the user-interface thread,
// in order with whatever the worker reports after.
int TMailCheck::CheckThreadProc(int64_t attempt, const TCheckAttempt& about, bool watched) {
    readyPending = false;
    try {
        flags.ListedCount = 0;
        PostMessage(window->Handle(), WM_CHECK_CLEAR, static_cast<uint64_t>(attempt));
        if (!pop.Connected()) pop.Connect();
    } catch (...) {
        PostFailure(attempt, about, std::current_exception());
        return 0;
    }
    if (readyPending)
        PostMessage(status.Handle(), WM_CHECK_READY, static_cast<uint64_t>(attempt), 0);
    else if (!watched) // nobody would see the attempt stop
        PostMessage(window->Handle(), WM_CHECK_FAILED, static_cast<uint64_t>(attempt), 0,
                    Translated("TMailCheck", NoAnswer));
    return 0;
}

// On the worker, which still owns the session: its refusal is read here. An attempt given up
// meanwhile ignores what this posts.
void TMailCheck::PostFailure(int64_t attempt, const TCheckAttempt& about,
                             std::exception_ptr error) {
    TCheckFailure failure = FailureOf(error, TCheckStep::LogIn, about);
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

// The attempt is over: its run ends with the words, and the window is the user's again.
void TMailCheck::EndWithOutcome(const TCheckOutcome& outcome) {
    flags.ThreadHandle = 0;
    if (outcome.ForgetPassword) ForgetPassword();
    run->End(outcome.Text);
}

// A typed password the server rejected is not offered again: the next check asks anew.
void TMailCheck::ForgetPassword() {
    const int index = accounts.IndexOf(run->Attempt().Account);
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
    TAccount* account = run->Target();
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
    if (message.Msg == WM_CHECK_CLEAR) run->Clear();
}

void TMailCheck::CheckReady(uint64_t attempt) {
    // Given up by Cancel, or no check started.
    if (static_cast<int64_t>(attempt) != flags.ThreadHandle || !run) return;
    KeepSignIn();
    if (TStatus* shown = run->Status())
        shown->SetText(Translated("TMailCheck", "Checking mail account..."));
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
                run->Fill(pop, flags.ListedCount);
                StampRefresh();
                completed = true;
            } catch (...) {
                failure = std::current_exception();
            }
        }
        if (TMessageGrid* table = run->Table()) table->Sort(); // the rows came in message order
        if (run->Status()) view.SetWindowEnabled(true);        // the watched check disabled it
        DisconnectQuietly();
        pop.PreviewLines = 0; // a deletion reads headers alone
    }
    if (flags.ThreadHandle != attempt) {
        Restore();
        return false;
    }
    if (completed) flags.ThreadHandle = 0;
    if (!failure && !completed && !run->Status()) { // nobody would see the attempt stop
        flags.ThreadHandle = 0;
        run->End(Translated("TMailCheck", NoAnswer));
    }
    if (!failure) return completed;
    TCheckFailure words = FailureOf(failure, run->Step(), run->Attempt());
    words.Message = run->Message();
    words.Listed = flags.ListedCount;
    EndWithOutcome(DescribeFailure(words));
    return false;
}

// The refresh time shows where the table shows this check's rows.
void TMailCheck::StampRefresh() {
    const std::string time = QTime::currentTime().toString("hh:mm:ss").toStdString();
    TAccount* account = run->Target();
    if (account) account->LastRefresh = time;
    if (run->Table() || account == accounts.Current()) view.SetRefreshed(time);
}

// The table follows a check in the background of the account it shows only when the rows
// changed, so that the user's selection stays.
void TMailCheck::FinishCheck() {
    DisconnectQuietly();
    TAccount* account = run->Target();
    const bool follow = account && account == accounts.Current() && run->Changes();
    const std::vector<std::string> chosen =
        follow ? SelectedIdentities(*account) : std::vector<std::string>();
    run->Commit();
    if (follow) ShowKeepingSelection(*account, chosen);
    run->End("");
}

// The identities of the rows the user has selected, read before the account's rows change.
std::vector<std::string> TMailCheck::SelectedIdentities(const TAccount& account) const {
    const std::vector<std::string> before = MessageIdentities(account.Uids, account.Headers);
    std::vector<std::string> chosen;
    if (grid.selectionModel()->hasSelection())
        for (const int message : grid.SelectedMessages())
            if (message >= 1 && message <= static_cast<int>(before.size()))
                chosen.push_back(before[static_cast<size_t>(message - 1)]);
    return chosen;
}

// The rows the user had selected stay selected where they still are; none is put in their place.
void TMailCheck::ShowKeepingSelection(const TAccount& account,
                                      const std::vector<std::string>& chosen) {
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
        ShowError(Translated("TMailCheck", "Error destroying connection thread"));
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
    Restore();
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

void TMailCheck::Restore() {
    if (!run) return;
    const int index = run->Restore();
    if (index >= 0 && index == accounts.CurrentIndex() && run->Table()) view.ShowAccountRows(index);
}
