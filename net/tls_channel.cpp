#include "net/tls_channel.h"

#include <algorithm>
#include <arpa/inet.h>
#include <ctime>
#include <mutex>
#include <openssl/err.h>
#include <openssl/ssl.h>
#include <openssl/x509v3.h>
#include <vector>

namespace {
std::mutex authorityMutex;
std::string extraAuthority; // guarded by authorityMutex

std::string Authority() {
    std::lock_guard lock(authorityMutex);
    return extraAuthority;
}

bool IsAddress(const std::string& host) {
    unsigned char buffer[sizeof(in6_addr)];
    return inet_pton(AF_INET, host.c_str(), buffer) == 1 ||
           inet_pton(AF_INET6, host.c_str(), buffer) == 1;
}

// The oldest error of this thread's queue in words, or "" when the queue is empty. Empties it.
// The failures a user meets most are said plainly; others keep the library's words. A protocol
// version the server cannot agree on sets kind to OldTls.
std::string LibraryError(TSockErrorKind& kind) {
    const unsigned long code = ERR_get_error();
    ERR_clear_error();
    if (code == 0) return {};
    if (ERR_GET_LIB(code) == ERR_LIB_SSL) {
        switch (ERR_GET_REASON(code)) {
        case SSL_R_UNEXPECTED_EOF_WHILE_READING:
            return "the server closed the connection";
        case SSL_R_WRONG_VERSION_NUMBER:
        case SSL_R_PACKET_LENGTH_TOO_LONG:
            return "the server does not speak TLS on this port";
        case SSL_R_UNSUPPORTED_PROTOCOL:
        case SSL_R_NO_PROTOCOLS_AVAILABLE:
        case SSL_R_TLSV1_ALERT_PROTOCOL_VERSION: // the server's answer to a hello for 1.2+
        case SSL_R_VERSION_TOO_LOW:
            kind = TSockErrorKind::OldTls;
            return OldTlsReason;
        default:
            break;
        }
    }
    const char* reason = ERR_reason_error_string(code);
    return reason ? reason : "error " + std::to_string(ERR_GET_REASON(code));
}

std::string LibraryError() {
    TSockErrorKind kind = TSockErrorKind::TlsFailed;
    return LibraryError(kind);
}

std::string NameText(const X509_NAME* name) {
    BIO* out = BIO_new(BIO_s_mem());
    if (!out) return {};
    X509_NAME_print_ex(out, name, 0, XN_FLAG_RFC2253 & ~ASN1_STRFLGS_ESC_MSB);
    char* data = nullptr;
    const long size = BIO_get_mem_data(out, &data);
    std::string text(data, static_cast<size_t>(size > 0 ? size : 0));
    BIO_free(out);
    return text;
}

std::string TimeText(const ASN1_TIME* time) {
    tm parts{};
    if (!time || ASN1_TIME_to_tm(time, &parts) != 1) return "(unknown)";
    char text[32];
    strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S UTC", &parts);
    return text;
}

std::string Sha256Fingerprint(const X509* cert) {
    unsigned char digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (X509_digest(cert, EVP_sha256(), digest, &length) != 1) return {};
    static const char hex[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned int i = 0; i < length; ++i) {
        if (i > 0) text.push_back(':');
        text.push_back(hex[digest[i] >> 4]);
        text.push_back(hex[digest[i] & 15]);
    }
    return text;
}

// What makes a certificate weak whatever the library's security level lets pass: a small RSA key,
// a signature made with SHA-1 or MD5. Empty when nothing does. The verification error codes it
// already says in more words are added to told.
std::string Weakness(const X509* cert, std::vector<int>& told) {
    std::string weak;
    const EVP_PKEY* key = X509_get0_pubkey(cert);
    if (key && EVP_PKEY_get_base_id(key) == EVP_PKEY_RSA && EVP_PKEY_get_bits(key) < 2048) {
        weak = "the certificate's key is weak (RSA of " + std::to_string(EVP_PKEY_get_bits(key)) +
               " bits, where 2048 are needed)";
        told.push_back(X509_V_ERR_EE_KEY_TOO_SMALL);
    }
    int digest = NID_undef;
    if (OBJ_find_sigid_algs(X509_get_signature_nid(cert), &digest, nullptr) == 1 &&
        (digest == NID_sha1 || digest == NID_md5 || digest == NID_md5_sha1)) {
        weak += std::string(weak.empty() ? "" : "; ") +
                "the certificate is signed with a weak method (" +
                (digest == NID_sha1 ? "SHA-1" : "MD5") + ")";
        told.push_back(X509_V_ERR_CA_MD_TOO_WEAK);
    }
    return weak;
}

// One code for the codes that CertificateProblem says in the same words, so each is said once.
int SameProblem(int verifyError) {
    switch (verifyError) {
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
        return X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT;
    case X509_V_ERR_IP_ADDRESS_MISMATCH:
        return X509_V_ERR_HOSTNAME_MISMATCH;
    default:
        return verifyError;
    }
}

int ChannelIndex() {
    static const int index = SSL_get_ex_new_index(0, nullptr, nullptr, nullptr, nullptr);
    return index;
}
} // namespace

struct TTlsChannel::TLibrary {
    SSL_CTX* context = nullptr;
    SSL* ssl = nullptr;
    BIO* incoming = nullptr; // owned by ssl once attached
    BIO* outgoing = nullptr;
    std::vector<int> verifyErrors;

    ~TLibrary() {
        if (ssl) SSL_free(ssl); // frees the two buffers as well
        if (context) SSL_CTX_free(context);
    }

    // Every problem is noted and the handshake goes on: the owner decides once it is done.
    static int Verify(int /*preverified*/, X509_STORE_CTX* store) {
        const int error = X509_STORE_CTX_get_error(store);
        auto* ssl = static_cast<SSL*>(
            X509_STORE_CTX_get_ex_data(store, SSL_get_ex_data_X509_STORE_CTX_idx()));
        auto* self = ssl ? static_cast<TLibrary*>(SSL_get_ex_data(ssl, ChannelIndex())) : nullptr;
        if (self && error != X509_V_OK) {
            auto& errors = self->verifyErrors;
            if (std::find(errors.begin(), errors.end(), error) == errors.end())
                errors.push_back(error);
        }
        return 1;
    }
};

TTlsChannel::TTlsChannel(const std::string& serverName)
    : host(serverName), library(std::make_unique<TLibrary>()) {
    auto fail = [](const std::string& what) {
        throw ETlsError("TLS handshake failed: " + what + " (" + LibraryError() + ")");
    };
    TLibrary& lib = *library;
    lib.context = SSL_CTX_new(TLS_client_method());
    if (!lib.context) fail("the TLS library cannot be set up");
    SSL_CTX_set_min_proto_version(lib.context, TLS1_2_VERSION);
    SSL_CTX_set_default_verify_paths(lib.context);
    const std::string authority = Authority();
    if (!authority.empty() &&
        SSL_CTX_load_verify_locations(lib.context, authority.c_str(), nullptr) != 1)
        fail("cannot read the authority file " + authority);
    SSL_CTX_set_verify(lib.context, SSL_VERIFY_PEER, &TLibrary::Verify);
    lib.ssl = SSL_new(lib.context);
    lib.incoming = BIO_new(BIO_s_mem());
    lib.outgoing = BIO_new(BIO_s_mem());
    if (!lib.ssl || !lib.incoming || !lib.outgoing) {
        BIO_free(lib.incoming);
        BIO_free(lib.outgoing);
        fail("the TLS library cannot be set up");
    }
    // An empty incoming buffer means "more to come", not the end of the stream.
    BIO_set_mem_eof_return(lib.incoming, -1);
    SSL_set_bio(lib.ssl, lib.incoming, lib.outgoing);
    SSL_set_ex_data(lib.ssl, ChannelIndex(), &lib);
    SSL_set_connect_state(lib.ssl);
    bool named = false;
    if (IsAddress(host))
        named = X509_VERIFY_PARAM_set1_ip_asc(SSL_get0_param(lib.ssl), host.c_str()) == 1;
    else
        named = SSL_set_tlsext_host_name(lib.ssl, host.c_str()) == 1 &&
                SSL_set1_host(lib.ssl, host.c_str()) == 1;
    if (!named) fail("the host name \"" + host + "\" cannot be checked");
}

TTlsChannel::~TTlsChannel() = default;

void TTlsChannel::Feed(const char* bytes, size_t size) {
    while (size > 0) {
        const int piece = static_cast<int>(std::min<size_t>(size, 1 << 30));
        BIO_write(library->incoming, bytes, piece);
        bytes += piece;
        size -= static_cast<size_t>(piece);
    }
}

void TTlsChannel::FeedEnd() {
    BIO_set_mem_eof_return(library->incoming, 0);
}

std::string TTlsChannel::TakeOutgoing() {
    std::string bytes(BIO_ctrl_pending(library->outgoing), '\0');
    if (bytes.empty()) return bytes;
    const int read = BIO_read(library->outgoing, bytes.data(), static_cast<int>(bytes.size()));
    bytes.resize(read > 0 ? static_cast<size_t>(read) : 0);
    return bytes;
}

bool TTlsChannel::Handshake() {
    if (established) return true;
    ERR_clear_error();
    const int result = SSL_do_handshake(library->ssl);
    if (result == 1) {
        if (!SSL_get0_peer_certificate(library->ssl))
            throw ETlsError("TLS handshake failed: the server sent no certificate");
        ReadCertificate();
        established = true;
        return true;
    }
    const int error = SSL_get_error(library->ssl, result);
    if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) return false;
    TSockErrorKind kind = TSockErrorKind::TlsFailed;
    const std::string reason = FailureReason(result, error, kind);
    throw ETlsError("TLS handshake failed: " + reason, kind);
}

std::string TTlsChannel::FailureReason(int sslResult, int error, TSockErrorKind& kind) const {
    std::string reason = LibraryError(kind);
    if (!reason.empty()) return reason;
    if (error == SSL_ERROR_ZERO_RETURN || (error == SSL_ERROR_SYSCALL && sslResult == 0))
        return "the server closed the connection";
    return "error " + std::to_string(error);
}

void TTlsChannel::ReadCertificate() {
    const X509* cert = SSL_get0_peer_certificate(library->ssl);
    certificate.Subject = NameText(X509_get_subject_name(cert));
    certificate.Issuer = NameText(X509_get_issuer_name(cert));
    certificate.ValidFrom = TimeText(X509_get0_notBefore(cert));
    certificate.ValidUntil = TimeText(X509_get0_notAfter(cert));
    certificate.Fingerprint = Sha256Fingerprint(cert);
    std::vector<int> errors = library->verifyErrors;
    const long result = SSL_get_verify_result(library->ssl);
    if (result != X509_V_OK && std::find(errors.begin(), errors.end(), result) == errors.end())
        errors.push_back(static_cast<int>(result));
    std::vector<int> told;
    certificate.Reason = Weakness(cert, told);
    for (int code : errors) {
        const int problem = SameProblem(code);
        if (std::find(told.begin(), told.end(), problem) != told.end()) continue;
        told.push_back(problem);
        if (!certificate.Reason.empty()) certificate.Reason += "; ";
        certificate.Reason += CertificateProblem(code);
    }
}

bool TTlsChannel::Verified() const {
    return established && certificate.Reason.empty();
}

size_t TTlsChannel::Read(std::string& plain) {
    size_t added = 0;
    char buffer[16384];
    while (!peerClosed) {
        ERR_clear_error();
        const int result = SSL_read(library->ssl, buffer, sizeof buffer);
        if (result > 0) {
            plain.append(buffer, static_cast<size_t>(result));
            added += static_cast<size_t>(result);
            continue;
        }
        const int error = SSL_get_error(library->ssl, result);
        if (error == SSL_ERROR_WANT_READ || error == SSL_ERROR_WANT_WRITE) break;
        if (error == SSL_ERROR_ZERO_RETURN) {
            peerClosed = true;
            break;
        }
        TSockErrorKind kind = TSockErrorKind::TlsFailed;
        throw ETlsError("TLS connection failed: " + FailureReason(result, error, kind), kind);
    }
    return added;
}

void TTlsChannel::Write(const std::string& plain) {
    size_t done = 0;
    while (done < plain.size()) {
        ERR_clear_error();
        const int piece = static_cast<int>(std::min<size_t>(plain.size() - done, 1 << 30));
        const int result = SSL_write(library->ssl, plain.data() + done, piece);
        if (result <= 0) {
            TSockErrorKind kind = TSockErrorKind::TlsFailed;
            const int error = SSL_get_error(library->ssl, result);
            throw ETlsError("TLS connection failed: " + FailureReason(result, error, kind), kind);
        }
        done += static_cast<size_t>(result);
    }
}

void TTlsChannel::Close() {
    if (established) SSL_shutdown(library->ssl);
    ERR_clear_error();
}

void TTlsChannel::TrustAlsoAuthority(const std::string& pemFile) {
    std::lock_guard lock(authorityMutex);
    extraAuthority = pemFile;
}

std::string CertificateProblem(int verifyError) {
    switch (verifyError) {
    case X509_V_ERR_EE_KEY_TOO_SMALL:
        return "the certificate's key is weak";
    case X509_V_ERR_CA_KEY_TOO_SMALL:
        return "the key of the certificate's issuer is weak";
    case X509_V_ERR_CA_MD_TOO_WEAK:
        return "the certificate is signed with a weak method";
    case X509_V_ERR_CERT_HAS_EXPIRED:
        return "the certificate has expired";
    case X509_V_ERR_CERT_NOT_YET_VALID:
        return "the certificate is not valid yet";
    case X509_V_ERR_DEPTH_ZERO_SELF_SIGNED_CERT:
        return "the certificate is self-signed";
    case X509_V_ERR_SELF_SIGNED_CERT_IN_CHAIN:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT:
    case X509_V_ERR_UNABLE_TO_GET_ISSUER_CERT_LOCALLY:
    case X509_V_ERR_UNABLE_TO_VERIFY_LEAF_SIGNATURE:
        return "the certificate was issued by an unknown authority";
    case X509_V_ERR_HOSTNAME_MISMATCH:
    case X509_V_ERR_IP_ADDRESS_MISMATCH:
        return "the certificate was issued for another host name";
    case X509_V_ERR_CERT_REVOKED:
        return "the certificate has been revoked";
    case X509_V_ERR_INVALID_PURPOSE:
        return "the certificate is not meant for a server";
    case X509_V_ERR_CERT_SIGNATURE_FAILURE:
        return "the certificate's signature is not valid";
    default:
        return X509_verify_cert_error_string(verifyError);
    }
}
