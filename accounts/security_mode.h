#pragma once
#include <string>

// How an account reaches its server: TLS from the first byte, plain text upgraded by STLS, or
// plain text throughout (the password then travels unprotected).
enum class TSecurity { Tls, StartTls, None };

// The word of the accounts file's "SECUR:" line: "tls", "starttls" or "none".
std::string SecurityWord(TSecurity security);
// The mode a "SECUR:" word names. An unknown word reads as Tls: a file from a newer program must
// never make the password travel in clear text.
TSecurity SecurityFromWord(const std::string& word);
// The port used when the server is given without one: 995 for Tls, 110 otherwise.
int DefaultPort(TSecurity security);
