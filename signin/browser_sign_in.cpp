#include "signin/browser_sign_in.h"

#include "platform/translated_text.h"
#include "signin/loopback_listener.h"
#include "signin/pkce.h"

#include <QUrl>
#include <QUrlQuery>

std::string AuthorizationUrl(const TOAuthProvider& provider, const std::string& redirectUri,
                             const std::string& challenge, const std::string& state,
                             const std::string& loginHint) {
    QUrl url(QString::fromStdString(provider.AuthorizeUrl));
    QUrlQuery query(url);
    const auto add = [&](const char* name, const std::string& value) {
        // Percent-encoded here: QUrlQuery would leave "+" and "&" of a value as they are.
        query.addQueryItem(
            name, QString::fromLatin1(QUrl::toPercentEncoding(QString::fromStdString(value))));
    };
    add("response_type", "code");
    add("client_id", provider.ClientId);
    add("redirect_uri", redirectUri);
    add("scope", provider.Scope);
    add("state", state);
    add("code_challenge", challenge);
    add("code_challenge_method", "S256");
    if (!loginHint.empty()) add("login_hint", loginHint);
    url.setQuery(query);
    return url.toString(QUrl::FullyEncoded).toStdString();
}

TBrowserSignIn SignInWithBrowser(const TOAuthProvider& provider, TBrowser& browser,
                                 TTokenClient& tokens, const std::string& loginHint, int timeoutMs,
                                 const std::atomic<bool>* cancel) {
    using TKind = TBrowserSignIn::TKind;
    if (provider.ClientId.empty())
        return {TKind::Failed,
                {},
                Translated("TBrowserSignIn", "No client id is set for this provider")};
    if (!SafeEndpoint(provider.AuthorizeUrl) || !SafeEndpoint(provider.TokenUrl))
        return {TKind::Failed,
                {},
                Translated("TBrowserSignIn", "The provider's addresses must begin with https://")};
    const TPkce pkce = MakePkce();
    const std::string state = RandomState();
    TLoopbackListener listener(state);
    if (!browser.Open(
            AuthorizationUrl(provider, listener.RedirectUri(), pkce.Challenge, state, loginHint)))
        return {TKind::Failed, {}, Translated("TBrowserSignIn", "The browser could not be opened")};
    const auto redirect = listener.Wait(timeoutMs, cancel);
    using TRedirect = TLoopbackListener::TRedirect;
    switch (redirect.Kind) {
    case TRedirect::TKind::Code:
        break;
    case TRedirect::TKind::Refused:
        return {
            TKind::Refused,
            {},
            Filled(Translated("TBrowserSignIn", "The sign-in was refused: %1"), redirect.Error)};
    case TRedirect::TKind::WrongState:
        return {TKind::Failed,
                {},
                Translated("TBrowserSignIn",
                           "The browser came back with an answer to another request")};
    case TRedirect::TKind::TimedOut:
        return {TKind::Failed,
                {},
                Translated("TBrowserSignIn", "No answer came from the browser in time")};
    case TRedirect::TKind::Canceled:
        return {TKind::Canceled, {}, Translated("TBrowserSignIn", "Canceled")};
    }
    TBrowserSignIn result;
    result.Tokens =
        tokens.ExchangeCode(provider, redirect.Code, pkce.Verifier, listener.RedirectUri());
    result.Kind = result.Tokens.Outcome == TTokenClient::TOutcome::Ok        ? TKind::Ok
                  : result.Tokens.Outcome == TTokenClient::TOutcome::Refused ? TKind::Refused
                                                                             : TKind::Failed;
    result.Error = result.Tokens.Error;
    return result;
}
