#include "signin/account_tokens.h"

#include "platform/translated_text.h"
#include "pop3/pop3_response_code.h"

namespace {
constexpr int64_t ExpiryMargin = 60; // seconds: a token about to expire would die on the way
} // namespace

TOAuthProvider ProviderOfAccount(const TAccount& account) {
    return AccountProvider(account.Provider, account.ClientId, account.AuthorizeUrl,
                           account.TokenUrl, account.Scope);
}

void AdoptTokens(TAccount& account, const TTokenClient::TReply& reply) {
    account.AccessToken = reply.AccessToken;
    account.AccessTokenExpiry = reply.ExpiresAt;
    if (!reply.RefreshToken.empty()) account.RefreshToken = reply.RefreshToken;
}

TTokenClient::TReply RenewAccessToken(TAccount& account, TTokenClient& tokens) {
    if (account.RefreshToken.empty()) {
        TTokenClient::TReply none;
        none.Outcome = TTokenClient::TOutcome::Refused;
        none.Error = Translated("TAccountTokens", "Sign in again");
        return none;
    }
    const TTokenClient::TReply reply =
        tokens.Refresh(ProviderOfAccount(account), account.RefreshToken);
    if (reply.Outcome == TTokenClient::TOutcome::Ok) AdoptTokens(account, reply);
    // A refused grant is worth nothing: the next check must not send it again.
    if (reply.Outcome == TTokenClient::TOutcome::Refused) account.AccessToken.clear();
    return reply;
}

TTokenClient::TReply EnsureAccessToken(TAccount& account, TTokenClient& tokens, int64_t now) {
    const bool fresh =
        !account.AccessToken.empty() &&
        (account.AccessTokenExpiry == 0 || account.AccessTokenExpiry > now + ExpiryMargin);
    if (!fresh) return RenewAccessToken(account, tokens);
    TTokenClient::TReply good;
    good.Outcome = TTokenClient::TOutcome::Ok;
    good.AccessToken = account.AccessToken;
    return good;
}

void PrepareSignIn(TPop3Client& client, TAccount& account, TTokenClient& tokens) {
    client.UserID = account.User;
    switch (account.SignIn) {
    case TSignInMethod::Password:
        client.SignIn = TSignIn::UserPass;
        client.Password = account.Password;
        return;
    case TSignInMethod::Plain:
        client.SignIn = TSignIn::Plain;
        client.Password = account.Password;
        return;
    case TSignInMethod::OAuth2:
        break;
    }
    client.SignIn = TSignIn::OAuth2;
    client.Password = account.AccessToken;
    client.OnAuthenticationFailed = [&client, &account, &tokens](bool& handled) {
        // A busy mailbox or a server in trouble says nothing against the token.
        const TResponseCode code = ReadNegativeReply(client.LogInRefusal().Reply).Code;
        handled = CredentialsInDoubt(code) &&
                  RenewAccessToken(account, tokens).Outcome == TTokenClient::TOutcome::Ok;
        client.Password = account.AccessToken;
    };
}
