#pragma once
#include "desktop/mail_watch.h"
#include "mail/mail_parts.h"

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class QObject;
class TAccountTree;
class TCheckRound;
class TCheckSchedule;
class TMailCheck;
class TNewMailNotifier;
class TSecretStore;
class TStatus;

// The mail operations of the main window in one place: the session and its events, the check
// the user starts, rounds over every account (by hand or by the clock), the deletion, and what
// a certificate that failed verification is worth. The window forwards its buttons and keys
// here and is the view; user-interface thread only, but for the session's events.
class TMailOperations : public QObject {
public:
    TMailOperations(TAccounts& accounts, TAccountTree& tree, TMessageGrid& grid, TMailView& view);
    ~TMailOperations() override;

    // The status dialog is made after the window: the check exists once it is given.
    void AttachStatus(TStatus& status);
    // Where new mail is told (the desktop's, or a test's): a new watch, and rounds that use it.
    void UseNotifier(TNewMailNotifier& notifier, const TMailWatch::TWindow& window);

    // Where saved secrets are read from: the desktop's keyring, or none (nullptr).
    void UseKeyring(TSecretStore* store);
    TSecretStore* Keyring() const { return keyring; }

    void Button1Click();
    void CheckAllClick();
    // The periodic check's tick: a round in the background over the accounts of the global
    // clock, or over the one account whose own clock ticked, unless the user is busy. False
    // when it let the tick pass.
    bool PeriodicTick(const std::string& account = {});
    bool RoundRunning() const;
    void del_mailClick();
    // "Delete marked": the messages the rules marked, by number.
    void DeleteMarkedClick(const std::vector<int>& marked);
    // A check the user started ended with all its rows (after the new mail was recorded).
    std::function<void(TAccount& account)> OnChecked;
    // Gives up a check still connecting, so that the session is free.
    void AbandonRunningCheck();
    // The window closes: first no round goes on, then no worker outlives it and the session ends.
    void StopRounds();
    void EndSession();

    // The POP3 session's events.
    void popConnect(QObject* sender);
    void popConnectionFailed(QObject* sender);
    void popInvalidHost(bool& handled);
    void popAuthenticationFailed(bool& handled);
    void popFailure(QObject* sender);
    void popList(int32_t msg, int32_t size);
    void popDisconnect(QObject* sender);

    TPop3Client& Pop() { return *pop; }
    // Shared with the check, its worker and the deletion.
    TMailFlags& Flags() { return flags; }
    TMailCheck& Check() { return *check; }
    TMailWatch& Watch() { return *watch; }
    TCheckSchedule& Schedule() { return *schedule; }
    // Whether Check All and the periodic check take an account, by name; unset: every account.
    std::function<bool(const std::string& name)> InRounds;

private:
    void BindPop();
    TMailParts Parts();
    void Shutdown();

    std::unique_ptr<TPop3Client> pop; // first made, last gone: everything here uses it
    TAccounts& accounts;
    TAccountTree& tree;
    TMessageGrid& grid;
    TMailView& view;
    TMailFlags flags;
    TStatus* status = nullptr;
    std::unique_ptr<TMailCheck> check;
    TCheckSchedule* schedule; // a child of this
    std::unique_ptr<TMailWatch> watch;
    std::unique_ptr<TCheckRound> round;
    TSecretStore* keyring = nullptr;
    bool checkAfterRound = false; // Check was pressed while a round ran
};
