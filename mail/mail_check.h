#pragma once
#include "accounts/account.h"
#include "mail/check_failure.h"
#include "mail/check_run.h"
#include "mail/check_sign_in.h"
#include "mail/check_worker.h"
#include "mail/mail_parts.h"
#include "platform/message_window.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class TSecretStore;
class TStatus;
struct TAccount;

// Private messages from the worker to the user-interface thread. They share one queue with
// WM_CHECK_READY, so the worker's clearing, status texts and hand-over arrive in order.
constexpr uint32_t WM_CHECK_CLEAR = WM_USER + 29;
constexpr uint32_t WM_CHECK_STATUS = WM_USER + 30;
// The log-in failed: the outcome's text, and 1 in the second parameter to forget the password.
constexpr uint32_t WM_CHECK_FAILED = WM_USER + 31;

// Mail checks, one run at a time: the worker that connects and logs in, the table filling on the
// user-interface thread once it has, and Cancel. Every message from the worker carries the
// number of its attempt; an attempt given up by Cancel can no longer change anything. What one
// attempt holds is its run's; a check the user watches and one in the background differ only in
// what their run is given. It works with the window's parts and its status dialog, never with
// the window itself.
class TMailCheck {
public:
    TMailCheck(const TMailParts& parts, TStatus& status);
    ~TMailCheck();
    TMailCheck(const TMailCheck&) = delete;
    TMailCheck& operator=(const TMailCheck&) = delete;

    void Button1Click();
    // The same check of any account, but quiet: no status dialog, no prompt, no focus taken, the
    // window left as it is; the rows fill a table of its own and are cached in the account. done
    // gets "" after success, else the words of the failure. False when it cannot start now (a
    // check or deletion runs, or the account has no password to use).
    using TDone = std::function<void(const std::string& failure)>;
    bool CheckQuietly(TAccount& account, TDone done);
    bool Quiet() const { return background; }
    // Where saved secrets are read from; none: the accounts file only.
    void UseKeyring(TSecretStore* store) { keyring = store; }
    // Reads the account's secret from the keyring and renews its OAuth2 token where needed;
    // "" when the check may go on, else why not. No other mail operation starts meanwhile.
    std::string ReadySignIn(TAccount& account);
    // Asks for the account's password as a check does; false when none was given.
    bool AskPassword(TAccount& account);
    // A check the user started ended with all its rows.
    std::function<void(TAccount& account)> OnChecked;
    void CancelClick();
    // The status dialog closed, however it was closed.
    void StatusClosed();
    // Handler of WM_CHECK_READY; attempt is the message's first parameter.
    void CheckReady(uint64_t attempt);

    // From the POP3 handlers, on whichever thread they run. On the worker, WM_CHECK_READY goes
    // out once Connect has returned: a refused STAT fires OnConnect too, and is a failure.
    void ShowStatus(const std::string& text);
    void PostCheckReady();
    bool OnWorker() const { return TCheckWorker::OnWorker(); }
    bool WorkerRunning() const { return worker.Running(); }

    // Gives up a worker that still runs (its status dialog closed while it connected), so that
    // the session is free for another operation.
    void AbandonRunningWorker();
    // At the end of the program: no worker outlives the window.
    void Shutdown();

private:
    // A run of the account, shown in the window's table and status dialog, or in none.
    void Launch(TAccount& account, TMessageGrid* table, TStatus* shown, TCheckRun::TEnd end);
    void EndShown(const std::string& failure);
    std::vector<std::string> SelectedIdentities(const TAccount& account) const;
    void ShowKeepingSelection(const TAccount& account, const std::vector<std::string>& chosen);
    int CheckThreadProc(int64_t attempt, const TCheckAttempt& about, bool watched);
    void PostFailure(int64_t attempt, const TCheckAttempt& about, std::exception_ptr error);
    void EndWithOutcome(const TCheckOutcome& outcome);
    void ForgetPassword();
    void KeepSignIn();
    bool FillMessageTable();
    void StampRefresh();
    void FinishCheck();
    void Abandon();
    void DisconnectQuietly();
    void Restore();
    void WndProc(const TMessage& message);

    TPop3Client& pop;
    TAccounts& accounts;
    TMessageGrid& grid;
    TMailFlags& flags;
    TMailView& view;
    TStatus& status;
    TCheckWorker worker;
    std::unique_ptr<TMessageWindow> window; // receives the worker's messages
    int64_t lastAttempt = 0;
    std::atomic<int64_t> workerAttempt{0};
    bool filling = false;
    std::unique_ptr<TCheckRun> run; // the last attempt's, until the next starts
    bool readyPending = false;      // the worker's: OnConnect fired in this Connect
    std::string rejectedAccount;    // whose typed password the server rejected last
    // A check in the background runs: nobody is asked (read from the worker too).
    std::atomic<bool> background{false};
    TSecretStore* keyring = nullptr;
    TTokenClient tokens;
    TAttemptSignIn signIn;
    THandlerEvent windowRefused; // the session's own handler of a refused log-in
};
