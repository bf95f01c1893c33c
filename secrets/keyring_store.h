#pragma once
#include "secrets/secret_store.h"

// The desktop's keyring (the Secret Service, or KWallet) through QtKeychain, under the service
// name "vellion". Needs a QCoreApplication; each call waits in a local event loop, at most
// `waitMs` (a locked keyring may be showing its unlock prompt meanwhile).
class TKeyringStore : public TSecretStore {
public:
    explicit TKeyringStore(int waitLimitMs = 120000) : waitMs(waitLimitMs) {}
    TResult Write(const std::string& key, const std::string& secret) override;
    TResult Read(const std::string& key, std::string& secret) override;
    TResult Remove(const std::string& key) override;
    // Whether the session has a keyring service running or ready to start: without one, the
    // editor says that the password stays scrambled in the accounts file.
    static bool Available();

private:
    int waitMs;
};
