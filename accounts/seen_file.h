#pragma once
#include "accounts/account.h"

#include <string>
#include <vector>

class TAccounts;

// What was seen of each mailbox, kept across runs so that the first check after a start tells
// what arrived while the program was closed. One file per mailbox (server and login, so that a
// renamed account keeps it) beside "mail.acc": "mail-<16 hex digits>.seen", owner-only. It holds
// the message identifiers and nothing else of the mail:
//
//     Vellion seen 1
//     =uidl:0000abcd        one line per message of the last check: "=" viewed, "+" new
//     +sha256:2ce95c...     and not yet viewed; bytes outside '!'..'~' and '%' as %XX
//     end 2                 the number of identifiers, so that a cut file is known as one
//
// A missing, damaged or cut file gives no baseline: that check only learns what is there, so
// it costs one check's news and never floods. A file of a later version is neither read nor
// replaced.

enum class TSeenRead { Read, Damaged, Newer };

std::string SeenText(const TNewMailState& state);
// Fills state's Checked, Present and Unviewed from the text, or leaves them without a baseline.
TSeenRead ParseSeen(const std::string& text, TNewMailState& state);

// The mailbox an account reads, and the name of its seen file in the working directory.
std::string MailboxOf(const TAccount& account);
std::string SeenFileName(const std::string& mailbox);

// Records a completed check like RecordCheck. The first check of a mailbox in a run (or since
// the account was pointed at another one) starts from its seen file; every check rewrites it.
std::vector<int> RecordCheckKept(TAccount& account, std::vector<std::string> ids);
// MarkViewed, kept on disk.
void MarkViewedKept(TAccount& account);
// Writes the account's state to the file of the mailbox it was read for; false before the
// first check, when it could not be written, or when a later version's file is there.
bool SaveSeen(const TAccount& account);
// Removes the seen files in the working directory that no account of the list reads.
void DropUnusedSeen(const TAccounts& accounts);
