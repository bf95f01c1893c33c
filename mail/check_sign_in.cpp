#include "mail/check_sign_in.h"

#include "accounts/account.h"
#include "platform/translated_text.h"
#include "pop3/pop3_client.h"
#include "secrets/account_secrets.h"
#include "signin/account_tokens.h"

#include <QDateTime>
#include <optional>

namespace {
std::optional<int> PortNumber(const std::string& text) {
    if (text.empty() || text.size() > 5) return std::nullopt;
    int port = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        port = port * 10 + (c - '0');
    }
    if (port < 1 || port > 65535) return std::nullopt;
    return port;
}
} // namespace

void SetServer(TSocketSession& session, const std::string& server, TSecurity security) {
    session.Host = server;
    session.Port = DefaultPort(security);
    session.Security = security == TSecurity::Tls        ? TTransportSecurity::Tls
                       : security == TSecurity::StartTls ? TTransportSecurity::StartTls
                                                         : TTransportSecurity::None;
    const size_t colon = server.rfind(':');
    if (colon == std::string::npos) return;
    if (const std::optional<int> port = PortNumber(server.substr(colon + 1))) {
        session.Host = server.substr(0, colon);
        session.Port = *port;
    }
}

struct TAttemptSignIn::TShared {
    TAccount Account;
    TTokenClient Tokens;
};

void KeepRenewedSecret(TAccount& account, TSecretStore* keyring) {
    if (keyring && account.SecretPlace == TSecretPlace::Keyring) KeepSecret(account, *keyring);
}

std::string ReadySignIn(TAccount& account, TSecretStore* keyring, TTokenClient& tokens) {
    // A keyring that stays locked or is gone leaves the secret empty: a password is then asked,
    // an OAuth2 account has to sign in again.
    if (keyring) FetchSecret(account, *keyring);
    if (account.SignIn != TSignInMethod::OAuth2) return "";
    const std::string refreshBefore = account.RefreshToken;
    const TTokenClient::TReply reply =
        EnsureAccessToken(account, tokens, QDateTime::currentSecsSinceEpoch());
    if (account.RefreshToken != refreshBefore) KeepRenewedSecret(account, keyring);
    switch (reply.Outcome) {
    case TTokenClient::TOutcome::Ok:
        return "";
    case TTokenClient::TOutcome::Refused:
        return Translated("TAttemptSignIn", SignInAgainText);
    case TTokenClient::TOutcome::Failed:
        break;
    }
    const std::string failed =
        Translated("TAttemptSignIn", "The access token could not be renewed");
    return reply.Error.empty()
               ? failed
               : Filled(Translated("TAttemptSignIn", "%1: %2"), failed, reply.Error);
}

void TAttemptSignIn::Apply(TPop3Client& pop, TAccount& account, const THandlerEvent& refused) {
    pop.OnAuthenticationFailed = refused;
    shared = std::make_shared<TShared>();
    TAccountMail mail = TakeMail(account); // the sign-in needs none of the mail
    shared->Account = account;
    PutMail(account, std::move(mail));
    accessBefore = account.AccessToken;
    PrepareSignIn(pop, shared->Account, shared->Tokens);
    if (account.SignIn != TSignInMethod::OAuth2) return;
    // The renewal first; the window hears of a refusal only when it did not help.
    pop.OnAuthenticationFailed = [renew = pop.OnAuthenticationFailed, refused,
                                  keep = shared](bool& handled) {
        renew(handled);
        if (!handled && refused) refused(handled);
    };
}

bool TAttemptSignIn::Keep(TAccount& account) const {
    if (!shared || account.SignIn != TSignInMethod::OAuth2) return false;
    if (shared->Account.AccessToken == accessBefore) return false;
    const bool newRefresh = shared->Account.RefreshToken != account.RefreshToken;
    account.AccessToken = shared->Account.AccessToken;
    account.AccessTokenExpiry = shared->Account.AccessTokenExpiry;
    account.RefreshToken = shared->Account.RefreshToken;
    return newRefresh;
}
