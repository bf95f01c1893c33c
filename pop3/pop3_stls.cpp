// The upgrade of a plain connection to TLS (STLS, RFC 2595), before anything else is sent.
#include "net/tls_channel.h"
#include "pop3/pop3_client.h"
#include "pop3/pop3_reply.h"

#include <algorithm>

namespace {

// Capability lines name one capability first, compared without case.
bool NamesStls(std::string line) {
    for (char& c : line)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return line == "STLS" || line.rfind("STLS ", 0) == 0;
}

} // namespace

void TPop3Client::UpgradeToTls() {
    const ETlsError notOffered("The server does not offer STARTTLS", TSockErrorKind::NoStartTls);
    std::string reply;
    Transaction("CAPA", reply);
    // A server without CAPA may still know STLS; one that lists its capabilities must name it.
    if (PositiveReply(reply)) {
        bool offered = false;
        for (;;) {
            std::string line = ReadLn();
            line.resize(line.size() - std::min<size_t>(2, line.size()));
            if (line == ".") break;
            offered = offered || NamesStls(line);
        }
        if (!offered) throw notOffered;
    }
    Transaction("STLS", reply);
    if (!PositiveReply(reply)) throw notOffered;
    StartTls();
}
