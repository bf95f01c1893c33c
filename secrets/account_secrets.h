#pragma once
#include "accounts/account_list.h"
#include "secrets/secret_store.h"

#include <string>

// Moving an account's saved secret between the accounts file and the keyring. The secret is the
// password, or for an OAuth2 account its refresh token.

// The key of the account's secret in the store: what it is, for which login on which server.
std::string SecretKey(const TAccount& account);

// Puts the account's secret into the store and, when that worked, marks it as kept there (the
// file then holds no password). Any other answer leaves the account as it was: the scrambled
// field stays.
TSecretStore::TResult KeepSecret(TAccount& account, TSecretStore& store);

// Takes the account's secret out of the store (the user no longer wants it saved, or the account
// is deleted): the account then keeps its secret in the file again, where SavePassword decides.
// Nothing stored under the key counts as done.
TSecretStore::TResult ForgetSecret(TAccount& account, TSecretStore& store);

// Reads the secret of an account whose secret is in the keyring, once per run: an answer other
// than Ok (a locked keyring the user left locked) is not asked again until the next run. Ok
// without asking where there is nothing to read.
TSecretStore::TResult FetchSecret(TAccount& account, TSecretStore& store);

// Whether some account still keeps a saved secret scrambled in the file: the program then asks
// the user whether to move them.
bool HasSecretsInFile(const TAccounts& accounts);

// Moves every secret still in the file to the store, after the user agreed; the caller saves
// the file after. Stops at the first account the store does not take (no keyring, a locked
// one). Gives the number of accounts moved.
int MoveSecretsToKeyring(TAccounts& accounts, TSecretStore& store);
