#pragma once
#include "accounts/account.h"
#include "pop3/pop3_client.h"
#include "signin/provider.h"
#include "signin/token_client.h"

#include <cstdint>

// An OAuth2 account's tokens around a check: a fresh access token before AUTH, one renewal after
// the server refused it, and the sign-in to be run again only when renewing is refused.

// The account's provider, its own settings over the preset's.
TOAuthProvider ProviderOfAccount(const TAccount& account);

// Takes what the token endpoint gave: the access token and its expiry, and the refresh token
// where a new one came (providers may keep the old one).
void AdoptTokens(TAccount& account, const TTokenClient::TReply& reply);

// Renews the access token with the refresh token when there is none, or when it expires within
// a minute of `now` (seconds since the epoch). Ok without asking when it is good. Refused: the
// user must sign in again (no refresh token, or the provider refused it).
TTokenClient::TReply EnsureAccessToken(TAccount& account, TTokenClient& tokens, int64_t now);

// Renews the access token whatever its expiry: the server refused it.
TTokenClient::TReply RenewAccessToken(TAccount& account, TTokenClient& tokens);

// Sets the client's sign-in from the account: USER/PASS, PLAIN, or OAuth2 with the access token
// in place of the password; for OAuth2, a refused token is renewed once and tried again (not
// for a refusal whose response code blames the mailbox or the server, [IN-USE], [SYS/TEMP]). The
// account and the token client must outlive the client's Connect.
void PrepareSignIn(TPop3Client& client, TAccount& account, TTokenClient& tokens);
