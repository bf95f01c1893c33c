#include "mail/mail_operations.h"

#include "accounts/account_list.h"
#include "dialogs/status_dialog.h"
#include "mail/certificate_trust.h"
#include "mail/check_round.h"
#include "mail/check_schedule.h"
#include "mail/mail_check.h"
#include "mail/mail_deletion.h"
#include "platform/translated_text.h"
#include "pop3/pop3_client.h"
#include "widgets/account_tree.h"

#include <QApplication>
#include <QTimer>
#include <utility>

TMailOperations::TMailOperations(TAccounts& accountList, TAccountTree& accountTree,
                                 TMessageGrid& table, TMailView& mailView)
    : pop(std::make_unique<TPop3Client>()), accounts(accountList), tree(accountTree), grid(table),
      view(mailView), schedule(new TCheckSchedule(this)) {
    pop->setObjectName("pop");
    pop->Port = 110;
    pop->TimeOut = 90000;
    pop->ReportLevel = 0;
    pop->DeleteOnRead = false;
    schedule->OnTick = [this] { PeriodicTick(); };
    schedule->OnAccountTick = [this](const std::string& account) { return PeriodicTick(account); };
    BindPop();
}

// No check worker outlives the window, nor the session it uses.
TMailOperations::~TMailOperations() {
    schedule->Start(0);
    schedule->StartOwn({});
    Shutdown();
}

void TMailOperations::Shutdown() {
    if (check) check->Shutdown();
}

void TMailOperations::AttachStatus(TStatus& dialog) {
    status = &dialog;
    check = std::make_unique<TMailCheck>(Parts(), dialog);
    check->UseKeyring(keyring);
    dialog.OnCancelClick = [this] { check->CancelClick(); };
    dialog.OnClose = [this] { check->StatusClosed(); };
    dialog.OnCheckReady = [this](uint64_t attempt) { check->CheckReady(attempt); };
    check->OnChecked = [this](TAccount& account) {
        watch->Checked(account, false);
        if (OnChecked) OnChecked(account);
    };
}

void TMailOperations::UseNotifier(TNewMailNotifier& notifier, const TMailWatch::TWindow& window) {
    watch = std::make_unique<TMailWatch>(accounts, tree, grid, notifier, window);
    round = std::make_unique<TCheckRound>(
        accounts, *watch,
        [this](TAccount& account, TCheckRound::TDone done) {
            return check && check->CheckQuietly(account, std::move(done));
        },
        // The prompt names no account: the tree shows which one it is for.
        [this](TAccount& account) {
            if (QTreeWidgetItem* node = tree.AccountNode(account.Name)) tree.setCurrentItem(node);
            return check && check->AskPassword(account);
        });
    round->Takes = [this](const std::string& name) { return !InRounds || InRounds(name); };
    round->Prepare = [this](TAccount& account) {
        return check ? check->ReadySignIn(account) : std::string();
    };
    // From the end of the round's last check, which has still to unwind: the check waits a turn.
    round->OnEnd = [this] {
        if (std::exchange(checkAfterRound, false))
            QTimer::singleShot(0, this, [this] { Button1Click(); });
    };
}

void TMailOperations::UseKeyring(TSecretStore* store) {
    keyring = store;
    if (check) check->UseKeyring(store);
}

TMailParts TMailOperations::Parts() {
    return {*pop, accounts, grid, flags, view};
}

void TMailOperations::Button1Click() {
    // The user's check comes first: the round ends after the account it is checking, and the
    // check follows.
    if (round->Running()) {
        round->Stop();
        checkAfterRound = true;
        return;
    }
    if (check) check->Button1Click();
}

void TMailOperations::CheckAllClick() {
    if (flags.MailBusy || flags.ThreadHandle != 0 || round->Running()) return;
    round->Begin(false);
}

bool TMailOperations::RoundRunning() const {
    return round->Running();
}

// A tick that finds the user busy (a check, a deletion, a dialog or menu open) is let pass:
// the next one comes soon enough.
bool TMailOperations::PeriodicTick(const std::string& account) {
    if (flags.MailBusy || flags.ThreadHandle != 0 || round->Running() ||
        (status && status->isVisible()) || QApplication::activeModalWidget() ||
        QApplication::activePopupWidget())
        return false;
    if (account.empty())
        round->Begin(true,
                     [this](const std::string& name) { return schedule->InGlobalRound(name); });
    else
        round->Begin(true, [&account](const std::string& name) { return name == account; });
    return true;
}

void TMailOperations::del_mailClick() {
    if (round->Running()) return;
    DeleteSelectedMail(Parts());
    if (TAccount* current = accounts.Current()) {
        watch->RowsChanged(*current);
        watch->Shown();
    }
}

void TMailOperations::DeleteMarkedClick(const std::vector<int>& marked) {
    if (round->Running()) return;
    DeleteMarkedMail(Parts(), marked);
    if (TAccount* current = accounts.Current()) {
        watch->RowsChanged(*current);
        watch->Shown();
    }
}

void TMailOperations::AbandonRunningCheck() {
    if (check) check->AbandonRunningWorker();
}

void TMailOperations::StopRounds() {
    schedule->Start(0);
    schedule->StartOwn({});
    round->Stop();
}

void TMailOperations::EndSession() {
    Shutdown();
    // A deletion or filling waiting on the server is ended through its wait, not beside it.
    if (flags.MailBusy)
        pop->Cancel();
    else if (pop->Connected())
        pop->Disconnect();
}

void TMailOperations::BindPop() {
    pop->OnConnect = [this](QObject* sender) { popConnect(sender); };
    pop->OnConnectionFailed = [this](QObject* sender) { popConnectionFailed(sender); };
    pop->OnInvalidHost = [this](bool& handled) { popInvalidHost(handled); };
    pop->OnAuthenticationFailed = [this](bool& handled) { popAuthenticationFailed(handled); };
    pop->OnFailure = [this](QObject* sender) { popFailure(sender); };
    pop->OnList = [this](int32_t msg, int32_t size) { popList(msg, size); };
    pop->OnDisconnect = [this](QObject* sender) { popDisconnect(sender); };
    // Asked on the user-interface thread also from the check's worker; Cancel gives it up.
    // A check in the background asks nobody: only a pinned certificate passes.
    pop->OnUntrustedCertificate = [this](const TCertificateReport& certificate) {
        const std::string server = pop->Host + ":" + std::to_string(pop->Port);
        if (check && check->Quiet()) return CertificatePinned(server, certificate);
        return TrustCertificate(server, certificate, [this] { return pop->Canceled(); });
    };
}

void TMailOperations::popConnect(QObject* /*sender*/) {
    flags.LoggedIn = true;
    if (flags.Checking) check->PostCheckReady();
}

void TMailOperations::popConnectionFailed(QObject* /*sender*/) {
    flags.LoggedIn = false;
    if (status)
        check->ShowStatus(
            Translated("TMailOperations", "Error connecting to server: check your settings"));
}

void TMailOperations::popInvalidHost(bool& /*handled*/) {
    flags.LoggedIn = false;
    if (status)
        check->ShowStatus(
            Translated("TMailOperations", "Invalid host specified: check your settings"));
}

void TMailOperations::popAuthenticationFailed(bool& /*handled*/) {
    flags.LoggedIn = false;
    if (status)
        check->ShowStatus(
            Translated("TMailOperations", "Error authenticating: check your user details"));
}

void TMailOperations::popFailure(QObject* /*sender*/) {
    if (status) check->ShowStatus(Translated("TMailOperations", "Error occured"));
}

void TMailOperations::popList(int32_t /*msg*/, int32_t /*size*/) {
    ++flags.ListedCount;
}

// Nothing is terminated here: a worker still waiting in its log-in is cancelled and ends by
// itself. On the worker, a failed log-in closing its own session needs nothing.
void TMailOperations::popDisconnect(QObject* /*sender*/) {
    if (flags.ThreadHandle == 0 || flags.ThreadHandle == -1) return;
    if (!check->OnWorker() && check->WorkerRunning()) pop->Cancel();
}
