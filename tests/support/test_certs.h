#pragma once
#include <memory>
#include <string>

// The test certificates that make_certs.sh makes for the CTest fixture "test_certs" (also the
// ones the Dovecot fixture serves): "ca", "valid", "expired", "otherhost", "selfsigned",
// "selfsigned2", "weak". See make_certs.sh for what each one is.

namespace test_support {

std::string CertDir();
std::string CertPath(const std::string& name); // <dir>/<name>.pem
std::string KeyPath(const std::string& name);  // <dir>/<name>.key
// The SHA-256 fingerprint that openssl printed for it ("AB:CD:...").
std::string CertFingerprint(const std::string& name);

// The server end of a TLS connection on memory buffers, presenting one of the certificates.
// The test moves the bytes between it and the client.
class TlsServerEnd {
public:
    // oldTls: speaks only TLS 1.0 and 1.1. Throws std::runtime_error.
    explicit TlsServerEnd(const std::string& certName, bool oldTls = false);
    ~TlsServerEnd();
    TlsServerEnd(const TlsServerEnd&) = delete;
    TlsServerEnd& operator=(const TlsServerEnd&) = delete;

    void Feed(const std::string& bytes);
    std::string TakeOutgoing();
    // True once the handshake is complete; throws std::runtime_error when it failed.
    bool Handshake();
    // The plain text received so far; empties it.
    std::string Read();
    void Write(const std::string& plain);
    void Close();
    // The server name the client asked for ("" when it sent none).
    std::string RequestedName() const;

private:
    struct TState;
    std::unique_ptr<TState> state;
};

} // namespace test_support
