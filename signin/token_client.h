#pragma once
#include "signin/provider.h"

#include <cstdint>
#include <string>

// The provider's token endpoint (RFC 6749 sections 4.1.3 and 6), over HTTPS; plain HTTP only
// to this machine's own address. Each call waits in a local event loop.
class TTokenClient {
public:
    enum class TOutcome {
        Ok,
        Refused, // the grant is no longer good (invalid_grant: expired, revoked): sign in again
        Failed,  // no answer, or not one to act on; trying later may help
    };
    struct TReply {
        TOutcome Outcome = TOutcome::Failed;
        std::string AccessToken;
        std::string RefreshToken; // empty when the provider keeps the old one
        int64_t ExpiresAt = 0;    // seconds since the epoch; 0 when the provider did not say
        std::string Account;      // the signed-in address from the ID token, where one came
        std::string Error;        // for the user, when not Ok
    };

    explicit TTokenClient(int timeoutLimitMs = 30000) : timeoutMs(timeoutLimitMs) {}
    TReply ExchangeCode(const TOAuthProvider& provider, const std::string& code,
                        const std::string& verifier, const std::string& redirectUri);
    TReply Refresh(const TOAuthProvider& provider, const std::string& refreshToken);

private:
    TReply Post(const TOAuthProvider& provider, std::string form);
    int timeoutMs;
};

// Whether a token endpoint may be used: HTTPS, or HTTP to 127.0.0.1 or localhost.
bool SafeEndpoint(const std::string& url);
