#pragma once
#include <string>
#include <vector>

// Which messages of an account are new. Nothing of it is stored on disk: it lives while the
// program runs, in the account it belongs to.

// A message's identifier: the server's UIDL, or where the server gave none, "sha256:" and the
// digest of the header lines as the check kept them (a message's header does not change).
std::string MessageIdentity(const std::string& uid, const std::vector<std::string>& header);

// The identifiers of an account's messages, one per message number: the UIDL where there is
// one, else the digest of the header lines.
std::vector<std::string> MessageIdentities(const std::vector<std::string>& uids,
                                           const std::vector<std::vector<std::string>>& headers);

struct TNewMailState {
    // A check of this account ended in this run: its messages are the baseline. Before that,
    // nothing is new (what the user saw in an earlier run is not known).
    bool Checked = false;
    std::vector<std::string> Present;  // the identifiers of the last check, sorted
    std::vector<std::string> Unviewed; // new since the account was last viewed, sorted
};

// Records a completed check of the account with its messages' identifiers (by message number).
// Gives the message numbers (from 1) that arrived since the previous check: none at the first.
// What arrived joins what was new and not yet viewed; a message no longer there is not new.
std::vector<int> RecordCheck(TNewMailState& state, const std::vector<std::string>& ids);

// The user has looked at the account: its new messages are no longer new.
void MarkViewed(TNewMailState& state);

bool IsNew(const TNewMailState& state, const std::string& id);
int NewCount(const TNewMailState& state);

// Per message number: whether it is new.
std::vector<bool> NewFlags(const TNewMailState& state, const std::vector<std::string>& ids);
