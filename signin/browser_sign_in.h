#pragma once
#include "signin/browser.h"
#include "signin/provider.h"
#include "signin/token_client.h"

#include <atomic>
#include <string>

// The authorization code flow of a desktop program (RFC 8252): the browser shows the provider's
// page, the provider sends the browser back to a listener on 127.0.0.1 with a code, and the code
// with the PKCE verifier buys the tokens.

// The authorization request: response_type=code, client_id, redirect_uri, scope, state, the
// S256 code challenge, and login_hint where one is given.
std::string AuthorizationUrl(const TOAuthProvider& provider, const std::string& redirectUri,
                             const std::string& challenge, const std::string& state,
                             const std::string& loginHint);

struct TBrowserSignIn {
    enum class TKind { Ok, Refused, Failed, Canceled } Kind = TKind::Failed;
    TTokenClient::TReply Tokens; // Ok: what the token endpoint gave
    std::string Error;           // otherwise: for the user
};

// Runs the whole flow; waits at most timeoutMs for the user in the browser, less when cancel is
// set (from any thread).
TBrowserSignIn SignInWithBrowser(const TOAuthProvider& provider, TBrowser& browser,
                                 TTokenClient& tokens, const std::string& loginHint,
                                 int timeoutMs = 300000, const std::atomic<bool>* cancel = nullptr);
