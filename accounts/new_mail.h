#pragma once
#include "pop3/header_lines.h"

#include <string>
#include <vector>

// Which messages of an account are new. The state lives in the account it belongs to; its
// identifiers (never anything else of the mail) are kept across runs by seen_file.h.

// A message's identifier: the server's UIDL, or where the server gave none, "sha256:" and the
// digest of the header lines as the check kept them (a message's header does not change).
std::string MessageIdentity(const std::string& uid, const THeaderLines& header);

// The identifiers of an account's messages, one per message number: the UIDL where there is
// one, else the digest of the header lines.
std::vector<std::string> MessageIdentities(const std::vector<std::string>& uids,
                                           const std::vector<THeaderLines>& headers);

struct TNewMailState {
    // Present is a baseline: a check of this mailbox ended, in this run or in an earlier one
    // whose seen file was read. Without one, nothing is new (what the user saw is not known).
    bool Checked = false;
    // The mailbox whose seen file this state was read from; empty before the run's first check.
    std::string Mailbox;
    std::vector<std::string> Present;  // the identifiers of the last check, sorted
    std::vector<std::string> Unviewed; // new since the account was last viewed, sorted
};

// Records a completed check of the account with its messages' identifiers (by message number).
// Gives the message numbers (from 1) that arrived since the previous check: none without a
// baseline (Checked clear).
// What arrived joins what was new and not yet viewed; a message no longer there is not new.
std::vector<int> RecordCheck(TNewMailState& state, std::vector<std::string> ids);

// The user has looked at the account: its new messages are no longer new.
void MarkViewed(TNewMailState& state);

bool IsNew(const TNewMailState& state, const std::string& id);
int NewCount(const TNewMailState& state);

// Per message number: whether it is new.
std::vector<bool> NewFlags(const TNewMailState& state, const std::vector<std::string>& ids);
