// The session's TLS handshake and the decision on the server's certificate.
#include "net/socket_session.h"

#include "platform/polling.h"

void TSocketSession::StartTls() {
    StatusMessage(8, "TLS Handshake");
    // Connect begins it before the connection is made when TLS comes first, so that no byte
    // of the server's is read as plain text.
    if (tls.State() == TTlsLink::TState::Off) {
        try {
            tls.Begin(Host);
        } catch (const ETlsError&) {
            DropConnection();
            throw;
        }
    }
    PostMessage(window->Handle(), SendRequestMessage); // the first message
    using TState = TTlsLink::TState;
    StartTimer();
    WaitUntil(
        [this] {
            const TState state = tls.State();
            return state == TState::Established || state == TState::Failed || timedOut ||
                   canceled || !connected;
        },
        false);
    StopTimer();
    const TState state = tls.State();
    // The time-out also cancels (Abort): it is told first.
    if (canceled && !timedOut && state != TState::Failed) {
        DropConnection();
        throw ESockError("Connection Canceled", TSockErrorKind::ConnectCanceled);
    }
    if (state != TState::Established) {
        std::string failure = tls.Failure();
        const TSockErrorKind kind = failure.empty() ? TSockErrorKind::TlsFailed : tls.FailureKind();
        if (failure.empty())
            failure = timedOut ? "TLS handshake failed: the server did not answer in time"
                               : "TLS handshake failed: the server closed the connection";
        DropConnection();
        throw ETlsError(failure, kind);
    }
    if (!tls.Verified()) {
        const TCertificateReport report = tls.Certificate();
        // Nothing has been sent inside TLS yet: the user decides first.
        const bool trusted = OnUntrustedCertificate && OnUntrustedCertificate(report);
        if (canceled) {
            DropConnection();
            throw ESockError("Connection Canceled", TSockErrorKind::ConnectCanceled);
        }
        if (!trusted) {
            DropConnection();
            throw ETlsError("Certificate not trusted: " + report.Reason,
                            TSockErrorKind::NotTrusted);
        }
    }
    // Plain text that arrived before TLS was up (a server's injection) is never read.
    ClearReceiveBuffer();
    tls.Open();
    StatusMessage(4, "TLS Established");
    // Plain text that came with the handshake's last messages.
    PostMessage(window->Handle(), ReadRequestMessage);
}
