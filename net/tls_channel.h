#pragma once
#include "net/sock_errors.h"

#include <memory>
#include <string>

// A TLS failure. Its text is for the user ("TLS handshake failed: ..."); a failed handshake is
// TlsFailed, or OldTls where the library found the server's protocol versions too old.
class ETlsError : public ESockError {
public:
    using ESockError::ESockError;
};

// Why a handshake failed with a server that speaks only TLS versions before 1.2.
inline constexpr const char* OldTlsReason =
    "the server offers only TLS versions older than 1.2, which are no longer safe";

// What a user needs to decide whether to trust a server's certificate. Texts are UTF-8.
struct TCertificateReport {
    std::string Reason;      // why it is not trusted, in plain words; empty when it verified
    std::string Subject;     // "CN=mail.example.com, O=Example"
    std::string Issuer;      // the same for the issuer
    std::string ValidFrom;   // "2026-01-31 12:00:00 UTC"
    std::string ValidUntil;  // the same
    std::string Fingerprint; // SHA-256 of the certificate, "AB:CD:..." (95 characters)
};

// The client end of one TLS connection, on memory buffers: the owner moves the ciphertext
// between it and the socket, so the socket, its notifications and the waits stay as they are.
//
//   channel.Feed(received); channel.Handshake();  // until it gives true
//   send(channel.TakeOutgoing())                   // after every call
//   channel.Write(plain); channel.Read(plain);
//
// The peer's certificate is checked against the system's trust store and the host name, and a
// failed check does not stop the handshake: the owner looks at Verified() and decides (a user
// may trust the certificate) before it sends anything. Not thread-safe: one owner at a time.
class TTlsChannel {
public:
    // host is the name or address the user gave: it is verified and, when it is a name, sent
    // as the server name. Throws ETlsError when the library cannot be set up.
    explicit TTlsChannel(const std::string& host);
    ~TTlsChannel();
    TTlsChannel(const TTlsChannel&) = delete;
    TTlsChannel& operator=(const TTlsChannel&) = delete;

    // Ciphertext received from the peer.
    void Feed(const char* bytes, size_t size);
    void Feed(const std::string& bytes) { Feed(bytes.data(), bytes.size()); }
    // The peer closed the connection: nothing more will be fed. A handshake waiting for more
    // then fails, and Read reports what the fed bytes still held.
    void FeedEnd();
    // Ciphertext waiting to be sent (the handshake's, Write's, Close's); empties it.
    std::string TakeOutgoing();

    // Moves the handshake on with what was fed. True once it is complete; false while it needs
    // more from the peer. Throws ETlsError "TLS handshake failed: <reason>" (kind OldTls when
    // the server offers only versions before 1.2).
    bool Handshake();
    bool Established() const { return established; }

    // After the handshake: whether the certificate passed every check, and what it says.
    bool Verified() const;
    const TCertificateReport& Certificate() const { return certificate; }

    // Appends the plain text that the fed ciphertext holds; gives the number of bytes added.
    // Throws ETlsError when the peer sends something that is not valid TLS.
    size_t Read(std::string& plain);
    // True once the peer has closed the TLS connection (close_notify).
    bool PeerClosed() const { return peerClosed; }
    // Encrypts plain text for sending (after the handshake).
    void Write(const std::string& plain);
    // Queues the closing alert.
    void Close();

    // An authority file (PEM) trusted besides the system's store by channels made afterwards.
    // Only the tests set it; empty for none.
    static void TrustAlsoAuthority(const std::string& pemFile);

private:
    struct TLibrary;
    void ReadCertificate();
    std::string FailureReason(int sslResult, int error, TSockErrorKind& kind) const;

    std::string host;
    std::unique_ptr<TLibrary> library; // also holds the problems the verification found
    TCertificateReport certificate;
    bool established = false;
    bool peerClosed = false;
};

// The reason for a verification error code in plain words.
std::string CertificateProblem(int verifyError);
