#pragma once
#include "accounts/new_mail.h"
#include "accounts/security_mode.h"

#include <cstdint>
#include <string>
#include <vector>

// One mail account. Only Name, Server, User, Password (scrambled), Timeout, SavePassword and
// Security reach the accounts file; the rest lives while the program runs.
struct TAccount {
    std::string Name;
    std::string Server;
    std::string User;
    std::string Password; // clear text, memory only
    bool SavePassword = false;
    bool PasswordGiven = false; // typed into the password prompt during this run
    // Table rows of the last check: date, sender, subject, size, id joined by the byte 0x01.
    std::vector<std::string> Rows;
    // Header lines of each message of the last check, one entry per row of Rows.
    std::vector<std::vector<std::string>> Headers;
    // The server's unique identifier (UIDL) of each message of the last check, by message
    // number; empty when the server has none. Never stored in the file.
    std::vector<std::string> Uids;
    // Which messages are new, by their identifiers; memory only.
    TNewMailState NewMail;
    int32_t Timeout = 90; // seconds
    std::string LastRefresh = "(none)";
    // None for a record written before the mode existed; the editor offers Tls for new ones.
    TSecurity Security = TSecurity::None;
};
