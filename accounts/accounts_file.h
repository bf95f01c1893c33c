#pragma once
#include "accounts/account.h"

#include <string>
#include <vector>

// The record format of "mail.acc": CR LF lines per account, the last one the byte 0x0B. Lines
// that a loader does not know are skipped, so "SECUR:" (the connection's security) and the
// sign-in lines (written before the end line: "SIGNIN:", "PROVIDER:", "CLIENTID:", "AUTHURL:",
// "TOKENURL:", "SCOPE:", "REFRESH:" with the refresh token scrambled as a password, and
// "SECRET:keyring" where the keyring holds the secret) leave a record readable by programs that
// predate them. A line is written only where its field holds something.

// Full path of "mail.acc" in the current working directory at the moment of the call.
std::string AccountsFilePath();

// The lines of one account, each ending in CR LF, with the password scrambled.
std::string AccountRecord(const TAccount& account);

// Splits at CR LF, a lone CR or a lone LF; a final line end adds no empty line.
std::vector<std::string> SplitLines(const std::string& text);

// The field a line sets ("NAME:", "SERVE", "USER:", "PASS:", "TOUT:", "REMEM", or a sign-in
// line's first five characters), or "" for the end-of-record line and lines the loader ignores.
std::string FieldOfLine(const std::string& line);

// Applies one file line to the account under construction. True when the line closes the
// record. A "REMEM" line without a digit as its 7th character throws Exception.
bool ApplyAccountLine(const std::string& line, TAccount& account);
