#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Access to the Dovecot test server that the CTest fixture "dovecot" starts (see dovecot.sh and
// vellion_needs_dovecot() in CMakeLists.txt). Users: alice/secret (varied messages), bob/secret
// (empty), bulk/secret (1000 small messages), carol/secret (five messages tests may delete; take
// RESOURCE_LOCK dovecot_carol), dave/secret (what a test writes with RefillDovecotMailbox; take
// RESOURCE_LOCK dovecot_dave), demo/demo (the demo mailbox).

namespace test_support {

// One message as make_mailbox.py generated it. Texts are bytes, exactly as on the wire.
struct DovecotMessage {
    int number = 0;                       // POP3 message number, from 1
    long long size = 0;                   // what LIST reports: the size with CR LF line ends
    std::vector<std::string> headerLines; // without line ends, folded lines separate
    std::string subjectLine; // first physical line of the first Subject field ("" when none)
    std::string fromLine;    // the same for From, Date and Message-ID (names in any case)
    std::string dateLine;
    std::string messageIdLine;
};

// The fixture's directory (the build tree's "dovecot").
std::string DovecotDir();
// The port of plain POP3 (offering STLS) at 127.0.0.1, or 0 when the server is not running.
uint16_t DovecotPort();
// The port of POP3 over TLS, or 0. Both present the test certificate "valid" (test_certs.h).
uint16_t DovecotTlsPort();
std::string DovecotManifestPath();
// The messages of one user's mailbox as generated; throws std::runtime_error when the manifest
// cannot be read or has no such user.
std::vector<DovecotMessage> DovecotManifest(const std::string& user);
// Replaces a user's mailbox with these messages (LF line ends), numbered in this order. Call it
// while no session of that user is open. Throws std::runtime_error when a file cannot be written.
void RefillDovecotMailbox(const std::string& user, const std::vector<std::string>& messages);

} // namespace test_support
