#pragma once
#include <string>
#include <string_view>
#include <vector>

// One mailbox of an address field. Name is the display name as UTF-8 (encoded words decoded,
// quoted strings unescaped, comments left out; for a bare address its comment, the old
// "user@host (Full Name)" form); Address is the bare local@domain as written; Group names the group
// the mailbox was listed in, if any.
struct TMailbox {
    std::string Name;
    std::string Address;
    std::string Group;
};

// The mailboxes of an address field's value (From, To, Cc, ...), per RFC 5322 with its
// obsolete forms: display names, quoted and escaped strings, comments, routes and groups. An
// empty group yields one entry with only Group set. Text that is no address is skipped.
std::vector<TMailbox> ParseAddressList(std::string_view value);

// A sender as the table shows it: the display name, or the address where there is none, and
// for a tooltip the whole list as "Name <address>".
struct TSenderText {
    std::string Shown;   // UTF-8
    std::string Address; // of the first mailbox; empty without one
    std::string Tooltip; // UTF-8
};

TSenderText ShownSender(std::string_view fromValue);
