#include "secrets/account_secrets.h"

namespace {

std::string& SecretOf(TAccount& account) {
    return account.SignIn == TSignInMethod::OAuth2 ? account.RefreshToken : account.Password;
}

bool KeepsSecretInFile(const TAccount& account) {
    const std::string& secret =
        account.SignIn == TSignInMethod::OAuth2 ? account.RefreshToken : account.Password;
    return account.SecretPlace == TSecretPlace::File && account.SavePassword && !secret.empty();
}

} // namespace

std::string SecretKey(const TAccount& account) {
    const char* kind = account.SignIn == TSignInMethod::OAuth2 ? "refresh token " : "password ";
    return kind + account.User + "@" + account.Server;
}

TSecretStore::TResult KeepSecret(TAccount& account, TSecretStore& store) {
    const auto result = store.Write(SecretKey(account), SecretOf(account));
    if (result == TSecretStore::TResult::Ok) {
        account.SecretPlace = TSecretPlace::Keyring;
        account.SecretFetched = true; // what memory holds is what the keyring holds
    }
    return result;
}

TSecretStore::TResult ForgetSecret(TAccount& account, TSecretStore& store) {
    if (account.SecretPlace != TSecretPlace::Keyring) return TSecretStore::TResult::Ok;
    auto result = store.Remove(SecretKey(account));
    if (result == TSecretStore::TResult::NotFound) result = TSecretStore::TResult::Ok;
    if (result == TSecretStore::TResult::Ok) account.SecretPlace = TSecretPlace::File;
    return result;
}

TSecretStore::TResult FetchSecret(TAccount& account, TSecretStore& store) {
    if (account.SecretPlace != TSecretPlace::Keyring || account.SecretFetched)
        return TSecretStore::TResult::Ok;
    account.SecretFetched = true;
    std::string secret;
    const auto result = store.Read(SecretKey(account), secret);
    if (result == TSecretStore::TResult::Ok) SecretOf(account) = secret;
    return result;
}

bool HasSecretsInFile(const TAccounts& accounts) {
    for (int i = 0; i < accounts.Count(); ++i)
        if (KeepsSecretInFile(accounts.At(i))) return true;
    return false;
}

int MoveSecretsToKeyring(TAccounts& accounts, TSecretStore& store) {
    int moved = 0;
    for (int i = 0; i < accounts.Count(); ++i) {
        TAccount& account = accounts.At(i);
        if (!KeepsSecretInFile(account)) continue;
        if (KeepSecret(account, store) != TSecretStore::TResult::Ok) break;
        ++moved;
    }
    return moved;
}
