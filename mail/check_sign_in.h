#pragma once
#include "accounts/security_mode.h"
#include "net/socket_session.h"
#include "signin/token_client.h"
#include <QtGlobal>

#include <memory>
#include <string>

class TPop3Client;
class TSecretStore;
struct TAccount;

// Points the session at an account's server: "host" on the security mode's default port (995
// for TLS, else 110), or "host:port" with a port from 1 to 65535, which wins. Anything else
// after a colon is left in the host name (and fails its lookup). The session takes the mode too.
void SetServer(TSocketSession& session, const std::string& server, TSecurity security);

// What a check or a deletion needs of an account's sign-in before the session connects, on the
// user-interface thread: the saved secret from the keyring (read once per run, so a locked
// keyring asks at the first check and not at start), and for OAuth2 an access token that is
// still good. Either may wait in a local event loop.
// "" when the account may go on (a password may still have to be asked), else why not.
std::string ReadySignIn(TAccount& account, TSecretStore* keyring, TTokenClient& tokens);

// A refresh token the provider replaced goes to the keyring where the old one was; one kept in
// the file is written with the accounts file.
void KeepRenewedSecret(TAccount& account, TSecretStore* keyring);

// The sign-in of one attempt, handed to the session: for OAuth2 a copy of the account's tokens
// that the worker may renew once after a refusal, so that the account itself is only touched on
// the user-interface thread, by Keep.
class TAttemptSignIn {
public:
    // Sets the session's user, password or token and method from the account, and refused as
    // its handler of a refused log-in; for OAuth2 that runs when the renewal did not help. The
    // account is as before when it returns: its mail is set aside meanwhile, never copied.
    void Apply(TPop3Client& pop, TAccount& account, const THandlerEvent& refused);
    // Gives the account what the worker renewed; true when that is a new refresh token.
    bool Keep(TAccount& account) const;

private:
    struct TShared;
    std::shared_ptr<TShared> shared; // with the session's handler
    std::string accessBefore;
};

// The words of a sign-in the provider no longer accepts.
constexpr const char* SignInAgainText = QT_TRANSLATE_NOOP(
    "TAttemptSignIn",
    "The provider no longer accepts this account's sign-in: use Sign in... in the account editor");
