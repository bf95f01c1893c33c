#pragma once
#include "secrets/secret_store.h"

#include <map>
#include <string>

// A keyring in memory for the tests; `answer` other than Ok makes every call fail with it.
class MemorySecretStore : public TSecretStore {
public:
    TResult Write(const std::string& key, const std::string& secret) override {
        if (answer == TResult::Ok) secrets[key] = secret;
        return answer;
    }
    TResult Read(const std::string& key, std::string& secret) override {
        ++reads;
        if (answer != TResult::Ok) return answer;
        const auto found = secrets.find(key);
        if (found == secrets.end()) return TResult::NotFound;
        secret = found->second;
        return TResult::Ok;
    }
    TResult Remove(const std::string& key) override {
        if (answer != TResult::Ok) return answer;
        return secrets.erase(key) > 0 ? TResult::Ok : TResult::NotFound;
    }

    std::map<std::string, std::string> secrets;
    TResult answer = TResult::Ok;
    int reads = 0;
};
