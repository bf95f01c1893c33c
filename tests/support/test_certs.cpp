#include "tests/support/test_certs.h"

#include <fstream>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <stdexcept>

namespace test_support {

std::string CertDir() {
    return VELLION_CERT_DIR;
}

std::string CertPath(const std::string& name) {
    return CertDir() + "/" + name + ".pem";
}

std::string KeyPath(const std::string& name) {
    return CertDir() + "/" + name + ".key";
}

std::string CertFingerprint(const std::string& name) {
    std::ifstream file(CertDir() + "/" + name + ".sha256");
    std::string line;
    if (!std::getline(file, line)) throw std::runtime_error("no fingerprint of " + name);
    return line;
}

struct TlsServerEnd::TState {
    SSL_CTX* context = nullptr;
    SSL* ssl = nullptr;
    BIO* incoming = nullptr;
    BIO* outgoing = nullptr;
    ~TState() {
        if (ssl) SSL_free(ssl);
        if (context) SSL_CTX_free(context);
    }
};

TlsServerEnd::TlsServerEnd(const std::string& certName, bool oldTls)
    : state(std::make_unique<TState>()) {
    state->context = SSL_CTX_new(TLS_server_method());
    // Level 0 lets the server present a weak certificate and speak the old versions at all.
    if (state->context) SSL_CTX_set_security_level(state->context, 0);
    if (state->context && oldTls) SSL_CTX_set_max_proto_version(state->context, TLS1_1_VERSION);
    if (!state->context ||
        SSL_CTX_use_certificate_file(state->context, CertPath(certName).c_str(),
                                     SSL_FILETYPE_PEM) != 1 ||
        SSL_CTX_use_PrivateKey_file(state->context, KeyPath(certName).c_str(), SSL_FILETYPE_PEM) !=
            1)
        throw std::runtime_error("cannot load the certificate " + certName);
    state->ssl = SSL_new(state->context);
    state->incoming = BIO_new(BIO_s_mem());
    state->outgoing = BIO_new(BIO_s_mem());
    BIO_set_mem_eof_return(state->incoming, -1);
    SSL_set_bio(state->ssl, state->incoming, state->outgoing);
    SSL_set_accept_state(state->ssl);
}

TlsServerEnd::~TlsServerEnd() = default;

void TlsServerEnd::Feed(const std::string& bytes) {
    BIO_write(state->incoming, bytes.data(), static_cast<int>(bytes.size()));
}

std::string TlsServerEnd::TakeOutgoing() {
    std::string bytes(BIO_ctrl_pending(state->outgoing), '\0');
    const int read = BIO_read(state->outgoing, bytes.data(), static_cast<int>(bytes.size()));
    bytes.resize(read > 0 ? static_cast<size_t>(read) : 0);
    return bytes;
}

bool TlsServerEnd::Handshake() {
    const int result = SSL_do_handshake(state->ssl);
    if (result == 1) return true;
    const int error = SSL_get_error(state->ssl, result);
    if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) return false;
    ERR_clear_error();
    throw std::runtime_error("server handshake failed: " + std::to_string(error));
}

std::string TlsServerEnd::Read() {
    std::string plain;
    char buffer[4096];
    int read = 0;
    while ((read = SSL_read(state->ssl, buffer, sizeof buffer)) > 0)
        plain.append(buffer, static_cast<size_t>(read));
    ERR_clear_error();
    return plain;
}

void TlsServerEnd::Write(const std::string& plain) {
    if (SSL_write(state->ssl, plain.data(), static_cast<int>(plain.size())) <= 0)
        throw std::runtime_error("server write failed");
}

void TlsServerEnd::Close() {
    SSL_shutdown(state->ssl);
}

std::string TlsServerEnd::RequestedName() const {
    const char* name = SSL_get_servername(state->ssl, TLSEXT_NAMETYPE_host_name);
    return name ? name : "";
}

} // namespace test_support
