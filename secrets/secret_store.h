#pragma once
#include <string>

// A place for secrets outside the accounts file: the desktop's keyring in the program, a stand-in
// in tests. Every call blocks until the store has answered.
class TSecretStore {
public:
    enum class TResult {
        Ok,
        NotFound,    // nothing is stored under the key
        Unavailable, // there is no keyring on this desktop
        Refused,     // the keyring is locked and stayed so, or the user said no
        Failed,      // anything else
    };
    virtual ~TSecretStore() = default;
    virtual TResult Write(const std::string& key, const std::string& secret) = 0;
    virtual TResult Read(const std::string& key, std::string& secret) = 0;
    virtual TResult Remove(const std::string& key) = 0;
};
