#pragma once
#include <QtGlobal>
#include <functional>
#include <string>
#include <vector>

struct TAccount;
class TAccounts;
class TMailWatch;

// A round of checks over every account, one after the other: Check All Accounts, or the
// periodic check in the background. Each account is checked as a single check does, but
// quietly: a failure goes to the account's node and the round goes on with the next.
class TCheckRound {
public:
    // Starts the quiet check of an account; it calls done once with "" after success, else
    // with the words of the failure. False when it could not start (done is then not called).
    using TDone = std::function<void(const std::string& failure)>;
    using TCheck = std::function<bool(TAccount& account, TDone done)>;
    // Asks the user for an account's password; false when none was given.
    using TAsk = std::function<bool(TAccount& account)>;

    TCheckRound(TAccounts& accounts, TMailWatch& watch, TCheck check, TAsk ask);

    // Every account in list order (only those `only` takes, where given). In the background
    // nobody is asked for a password: an account without one is left out with a note. False
    // when a round is already running.
    bool Begin(bool background, const std::function<bool(const std::string& name)>& only = {});
    bool Running() const { return running; }
    // The round ends after the account being checked.
    void Stop();
    // Made ready before each account is checked: "" to go on, else the note of why it is left
    // out. Skipped when empty.
    std::function<std::string(TAccount& account)> Prepare;
    // Called each time a round has ended.
    std::function<void()> OnEnd;
    // Whether rounds take an account, by name; unset: every account.
    std::function<bool(const std::string& name)> Takes;

    // Why an account was left out of a round in the background.
    static constexpr const char* NoPasswordNote = QT_TRANSLATE_NOOP(
        "TCheckRound",
        "Not checked in the background: its password is not saved. Check it yourself, or save "
        "the password in the account editor.");
    static constexpr const char* NoPasswordGiven =
        QT_TRANSLATE_NOOP("TCheckRound", "Not checked: no password was given.");

private:
    void Next();
    void Ended(const std::string& name, const std::string& failure);
    bool Ready(TAccount& account);

    TAccounts& accounts;
    TMailWatch& watch;
    TCheck check;
    TAsk ask;
    std::vector<std::string> pending; // names of the accounts still to check, last first
    bool running = false;
    bool background = false;
};

// Whether an account's password must be asked before a check.
bool NeedsPassword(const TAccount& account);
