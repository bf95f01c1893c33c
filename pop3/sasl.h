#pragma once
#include <optional>
#include <string>
#include <vector>

// What the account asks the client to sign in with: USER and PASS (RFC 1939), or POP3 AUTH
// (RFC 5034) with SASL PLAIN, or with an OAuth2 access token in place of the password, either
// through the mechanism the server lists (OAuth2) or through one named mechanism.
enum class TSignIn { UserPass, Plain, OAuth2, XOAuth2, OAuthBearer };

enum class TSaslMechanism { Plain, XOAuth2, OAuthBearer };

// The name on the wire: "PLAIN", "XOAUTH2", "OAUTHBEARER".
std::string SaslName(TSaslMechanism mechanism);

// The mechanism to use. `offered` is the server's CAPA SASL list, or nothing when the server
// lists none (no CAPA, or no SASL line): AUTH is then tried with the mechanism asked for, and
// OAuth2 takes XOAUTH2, the one that the big providers know. OAuth2 prefers the standard
// OAUTHBEARER where both are listed. Nothing when a listing server does not name it.
std::optional<TSaslMechanism> ChooseSasl(TSignIn wanted,
                                         const std::optional<std::vector<std::string>>& offered);

// The mechanisms of a CAPA line "SASL PLAIN XOAUTH2", upper-cased; nothing for another line.
std::optional<std::vector<std::string>> SaslListOfCapability(const std::string& line);

// The client's first message, unencoded. PLAIN: "\0user\0password" (RFC 4616); XOAUTH2:
// "user=...\1auth=Bearer token\1\1"; OAUTHBEARER: the GS2 header with the user, then host,
// port and token (RFC 7628).
std::string SaslInitialResponse(TSaslMechanism mechanism, const std::string& user,
                                const std::string& secret, const std::string& host, int port);

// False when the user or secret holds a byte that would end a field of the mechanism's message
// (NUL for PLAIN, 0x01 for the OAuth2 ones), or a line break or NUL in a token.
bool SaslCanCarry(TSaslMechanism mechanism, const std::string& user, const std::string& secret);

std::string Base64Encode(const std::string& bytes);
// Lenient: characters outside the alphabet are skipped.
std::string Base64Decode(const std::string& text);
