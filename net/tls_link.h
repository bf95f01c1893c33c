#pragma once
#include "net/tls_channel.h"

#include <functional>
#include <memory>
#include <mutex>
#include <string>

// The TLS layer between a session's buffers and its socket. While it is off every call passes
// the bytes through; once Begin has run, received ciphertext is deciphered and sent plain text
// enciphered. Its calls come from the thread that handles the socket's notifications and from
// the thread that waits for the handshake, so each one holds the link's own lock.
class TTlsLink {
public:
    // The raw transfer of the socket: the library's recv and send, with their results.
    using TRawReceive = std::function<int(char* into, int most)>;
    using TRawSend = std::function<int(const char* from, int count)>;

    // Established: the handshake is complete and the owner is deciding on the certificate;
    // plain text is held back until Open.
    enum class TState { Off, Handshaking, Established, Up, Failed };

    // Starts the handshake with host: the first message waits in the outgoing ciphertext.
    void Begin(const std::string& host);
    // Back to plain text (a new connection).
    void Reset();
    TState State() const;
    bool Active() const { return State() != TState::Off; }
    // Why the link failed ("TLS handshake failed: ..."); empty while it has not.
    std::string Failure() const;
    // Its kind: TlsFailed, or OldTls when the server offers only versions before 1.2.
    TSockErrorKind FailureKind() const;
    // After the handshake: whether the certificate passed every check, and what it says.
    bool Verified() const;
    TCertificateReport Certificate() const;
    // The user's decision has been taken: plain text may flow from now on.
    void Open();

    // Takes ciphertext from the socket until plain text is available or the socket has nothing
    // more, and gives up to most bytes of plain text. Results as recv's: bytes, 0 at the end,
    // SOCKET_ERROR when nothing is there now (the library's error then says why).
    int Receive(char* into, int most, const TRawReceive& receive, const TRawSend& send);
    // Enciphers count plain bytes (when nothing enciphered is still waiting) and sends what is
    // waiting. Gives count once all of it is sent, else SOCKET_ERROR (the socket's error).
    // With count 0 it only sends what waits.
    int Send(const char* from, int count, const TRawSend& send);
    bool HasOutgoing() const;
    // Sends the closing alert, as far as the socket takes it at once.
    void Close(const TRawSend& send);

private:
    int FlushLocked(const TRawSend& send);
    void FailLocked(const ETlsError& error);

    mutable std::mutex mutex;
    std::unique_ptr<TTlsChannel> channel;
    TState state = TState::Off;
    std::string failure;
    TSockErrorKind failureKind = TSockErrorKind::TlsFailed;
    std::string plain;    // deciphered, not yet given
    std::string outgoing; // enciphered, not yet sent
    int committed = 0;    // plain bytes that outgoing stands for
    bool ended = false;   // the socket gave its end
};
