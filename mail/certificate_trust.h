#pragma once
#include "net/tls_channel.h"

#include <functional>
#include <string>

// Decides whether to go on with a server whose certificate failed verification. A certificate
// pinned for this server ("host:port") is accepted silently; otherwise the user is asked (and
// told when the server's certificate changed since they trusted one), and a certificate they
// trust is pinned in "mail.pin". Callable from any thread: the question is asked on the
// user-interface thread while the caller waits, and the wait ends with false once abandoned()
// says so (Cancel); a question not yet shown then never is.
bool TrustCertificate(const std::string& server, const TCertificateReport& report,
                      const std::function<bool()>& abandoned = {});

// Whether this certificate is pinned for the server; asks nobody (a check in the background).
// Callable from any thread.
bool CertificatePinned(const std::string& server, const TCertificateReport& report);

// Who answers the question; the default shows TCertificateDialog. Tests answer it themselves.
using TCertificateQuestion =
    std::function<bool(const std::string& server, const TCertificateReport& report, bool changed)>;
void SetCertificateQuestion(TCertificateQuestion question);
