#pragma once
#include "accounts/new_mail.h"
#include "accounts/security_mode.h"
#include "accounts/sign_in_method.h"
#include "pop3/header_lines.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

// What an account holds of its mailbox after a check. A check moves it, never copies it: at
// 20,000 messages it is tens of megabytes.
struct TAccountMail {
    // Table rows of the last check: date, sender, subject, size, id joined by the byte 0x01.
    std::vector<std::string> Rows;
    // Header lines of each message of the last check, one entry per row of Rows.
    std::vector<THeaderLines> Headers;
    // The server's unique identifier (UIDL) of each message of the last check, by message
    // number; empty when the server has none. Never stored in the file.
    std::vector<std::string> Uids;
    // The first body lines of each message, by its identifier, where the last check read them
    // with the headers ("preview while checking"); memory only.
    std::map<std::string, std::vector<std::string>> Previews;
};

// One mail account and the mail of its last check. Only Name, Server, User, Password (scrambled),
// Timeout, SavePassword, Security and the sign-in fields reach the accounts file; the rest lives
// while the program runs.
struct TAccount : TAccountMail {
    std::string Name;
    std::string Server;
    std::string User;
    std::string Password; // clear text, memory only
    bool SavePassword = false;
    bool PasswordGiven = false; // typed into the password prompt during this run
    // Which messages are new, by their identifiers; memory only.
    TNewMailState NewMail;
    int32_t Timeout = 90; // seconds
    std::string LastRefresh = "(none)";
    // None for a record written before the mode existed; the editor offers Tls for new ones.
    TSecurity Security = TSecurity::None;

    TSignInMethod SignIn = TSignInMethod::Password;
    // OAuth2: the provider preset ("microsoft", "google", "generic"), the client id registered
    // with it (empty: the build's own), and for the generic preset its endpoints and scope.
    std::string Provider;
    std::string ClientId;
    std::string AuthorizeUrl;
    std::string TokenUrl;
    std::string Scope;
    std::string RefreshToken;      // clear text, memory only, like Password
    std::string AccessToken;       // never stored
    int64_t AccessTokenExpiry = 0; // seconds since the epoch; 0 when unknown
    // Where the saved secret lives. With the keyring, the file's PASS: field holds no password
    // and the secret is read from the keyring when a check first needs it.
    TSecretPlace SecretPlace = TSecretPlace::File;
    bool SecretFetched = false; // the keyring was asked in this run (a locked one asks once)
};

// The account's mail, taken out of it: the account is left with none.
inline TAccountMail TakeMail(TAccount& account) {
    return std::exchange(static_cast<TAccountMail&>(account), TAccountMail());
}
inline void PutMail(TAccount& account, TAccountMail&& mail) {
    static_cast<TAccountMail&>(account) = std::move(mail);
}
