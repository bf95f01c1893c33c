#pragma once

class TMessageGrid;
struct TAccountMail;

// The table shows the mail of an account's last check: its cached rows, with the sender and
// the subject taken from each message's header lines, in the order the user chose. The lines
// are listed one message at a time, so showing costs no second copy of the headers.
void ShowAccountMail(TMessageGrid& grid, const TAccountMail& mail);
