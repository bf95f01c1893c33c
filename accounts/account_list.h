#pragma once
#include "accounts/account.h"

#include <memory>
#include <string>
#include <vector>

// The ordered list of accounts (from 0) and which one is current. It owns its accounts, so
// the address of an account stays valid until the account is deleted. User-interface thread
// only; the check worker touches the current account while the main window is disabled.
class TAccounts {
public:
    // Set by Delete; the tree-selection handler re-selects while it is set, and clears it.
    bool Modified = false;

    int Count() const { return static_cast<int>(items.size()); }
    // Throws Exception when index is out of range.
    TAccount& At(int index);
    const TAccount& At(int index) const;

    TAccount* Current() const { return current; } // nullptr when none
    int CurrentIndex() const { return currentIndex; }

    // Position of the first account named exactly name, or -1.
    int IndexOf(const std::string& name) const;
    // Whether some account has this name, ignoring ASCII letter case.
    bool Exists(const std::string& name) const;

    // Appends a new account; an existing name (any case) shows "An account with that name
    // already exists" and gives false. Never changes Current, CurrentIndex or Modified.
    bool Add(const std::string& name, const std::string& server, const std::string& user,
             const std::string& password, bool savePassword);
    // By position, or by exact name when index is -1. Leaves Current and CurrentIndex alone
    // unless the list becomes empty (or Current itself was deleted): call Select afterwards.
    bool Delete(int index, const std::string& name);
    // By position, or by exact name when index is -1.
    bool Select(int index, const std::string& name);

    // Appends the accounts of "mail.acc" in the working directory. False only when there is
    // no such file; a bad "REMEM" line throws Exception (the accounts read so far stay, and
    // the file is kept as a backup whose path the message names). A file that held more than
    // its accounts (an unclosed last record, a field given twice in one record, bytes that gave
    // no account) loads the same, is kept as a backup and is reported in one message. A file
    // that is not a regular file throws and is neither read nor replaced.
    bool LoadFromFile();
    // Rewrites "mail.acc" whole, owner-readable only, replacing the old file only once the new
    // one is complete. Erases the in-memory password of accounts without SavePassword first.
    bool SaveToFile();

private:
    std::vector<std::unique_ptr<TAccount>> items;
    TAccount* current = nullptr;
    int currentIndex = -1;
    // Set when a load stopped early and no backup of the file could be made yet.
    bool backupPending = false;

    void MakeCurrent(int index);
    bool KeepUnreadableFile(std::string& backupPath);
    // Keeps a copy of the file as it is and gives the sentence that says where.
    std::string KeepCopy();
};
