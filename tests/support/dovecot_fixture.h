#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Access to the POP3 test servers that the CTest fixtures "dovecot", "courier" and "popa3d"
// start (see dovecot.sh, courier.sh, popa3d.sh and vellion_needs_server() in CMakeLists.txt).
// Users: alice/secret (varied messages), bob/secret (empty), bulk/secret (1000 small messages),
// carol/secret (ten messages tests may delete; take RESOURCE_LOCK <server>_carol), dave/secret
// (what a Dovecot test writes with RefillDovecotMailbox; take RESOURCE_LOCK dovecot_dave),
// erin/secret and frank/secret (the same, for tests of several accounts; RESOURCE_LOCK
// dovecot_erin), demo/demo (the demo mailbox), grace/secret (the shapes of real mail).

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
    std::string preview;                  // grace's only: what a preview shows, UTF-8
    std::vector<std::string> attachments; // grace's only: the names of attached files
};

// A server fixture's directory: the build tree's folder of that name ("dovecot", "courier",
// "popa3d").
std::string ServerDir(const std::string& server);
// The port the server listens on at 127.0.0.1, or 0 when it is not running.
uint16_t ServerPort(const std::string& server);
// The messages of one user's mailbox as generated; throws std::runtime_error when the manifest
// cannot be read or has no such user.
std::vector<DovecotMessage> ServerManifest(const std::string& server, const std::string& user);

inline std::string DovecotDir() {
    return ServerDir("dovecot");
}
inline uint16_t DovecotPort() {
    return ServerPort("dovecot");
}
// The port of POP3 over TLS of the Dovecot fixture, or 0. Both ports present the test
// certificate "valid" (test_certs.h); the plain one offers STLS.
uint16_t DovecotTlsPort();
inline std::string DovecotManifestPath() {
    return DovecotDir() + "/manifest.json";
}
inline std::vector<DovecotMessage> DovecotManifest(const std::string& user) {
    return ServerManifest("dovecot", user);
}
// Replaces a user's Dovecot mailbox with these messages (LF line ends), numbered in this order.
// Call it while no session of that user is open. Throws std::runtime_error when a file cannot be
// written.
void RefillDovecotMailbox(const std::string& user, const std::vector<std::string>& messages);
// Delivers one more message (LF line ends) into a user's Dovecot mailbox, after those there: new
// mail as it arrives between two checks. Throws std::runtime_error when it cannot be written.
void DeliverToDovecot(const std::string& user, const std::string& message);

} // namespace test_support
