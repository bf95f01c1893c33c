#pragma once
#include <map>
#include <string>

// The server certificates a user chose to trust although they failed verification: one
// SHA-256 fingerprint per server ("host:port"), kept in "mail.pin" beside "mail.acc", one
// "server fingerprint" line each. User-interface thread only.
class TPinStore {
public:
    enum class TPin {
        None,   // nothing trusted for this server
        Same,   // this very certificate was trusted
        Changed // another certificate was trusted for this server
    };

    // Reads "mail.pin" of the working directory; a missing file is an empty store. False when
    // the file exists but cannot be read. Lines that are not "server fingerprint" are skipped.
    bool Load();
    // Rewrites the file whole, owner-readable only, replacing the old one only once the new one
    // is complete.
    bool Save() const;

    TPin Check(const std::string& server, const std::string& fingerprint) const;
    // Trusts this certificate for the server, instead of any other trusted before.
    void Trust(const std::string& server, const std::string& fingerprint);

    // Full path of "mail.pin" in the working directory at the moment of the call.
    static std::string FilePath();

private:
    std::map<std::string, std::string> pins; // server -> fingerprint
};
