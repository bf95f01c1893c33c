#include "mail/check_round.h"

#include "accounts/account_list.h"
#include "desktop/mail_watch.h"
#include "platform/translated_text.h"

#include <algorithm>

bool NeedsPassword(const TAccount& account) {
    if (account.SignIn == TSignInMethod::OAuth2) return false; // a token, never a password
    return account.Password.empty() || (!account.SavePassword && !account.PasswordGiven);
}

TCheckRound::TCheckRound(TAccounts& accountList, TMailWatch& mailWatch, TCheck checkOne,
                         TAsk askUser)
    : accounts(accountList), watch(mailWatch), check(std::move(checkOne)), ask(std::move(askUser)) {
}

bool TCheckRound::Begin(bool inBackground,
                        const std::function<bool(const std::string& name)>& only) {
    if (running) return false;
    running = true;
    background = inBackground;
    pending.clear();
    for (int i = accounts.Count() - 1; i >= 0; --i)
        if ((!Takes || Takes(accounts.At(i).Name)) && (!only || only(accounts.At(i).Name)))
            pending.push_back(accounts.At(i).Name);
    Next();
    return true;
}

void TCheckRound::Stop() {
    pending.clear();
}

// Accounts are found by name at their turn: one removed meanwhile is passed over.
void TCheckRound::Next() {
    while (!pending.empty()) {
        const std::string name = pending.back();
        pending.pop_back();
        const int index = accounts.IndexOf(name);
        if (index < 0) continue;
        TAccount& account = accounts.At(index);
        if (!Ready(account)) continue;
        bool started = false;
        try {
            started = check(account, [this, name](const std::string& f) { Ended(name, f); });
        } catch (...) {
            // A check that could not start ends the round; the next one may start afresh.
            pending.clear();
            running = false;
            throw;
        }
        if (started) return;
    }
    running = false;
    if (background) watch.Announce();
    if (OnEnd) OnEnd();
}

bool TCheckRound::Ready(TAccount& account) {
    if (Prepare) {
        const std::string note = Prepare(account);
        if (!note.empty()) {
            watch.Skipped(account, note);
            return false;
        }
    }
    if (!NeedsPassword(account)) return true;
    if (background) {
        watch.Skipped(account, Translated("TCheckRound", NoPasswordNote));
        return false;
    }
    if (ask && ask(account)) return true;
    watch.Skipped(account, Translated("TCheckRound", NoPasswordGiven));
    return false;
}

void TCheckRound::Ended(const std::string& name, const std::string& failure) {
    const int index = accounts.IndexOf(name);
    if (index >= 0) {
        TAccount& account = accounts.At(index);
        if (failure.empty())
            watch.Checked(account, background);
        else
            watch.Failed(account, failure);
    }
    Next();
}
