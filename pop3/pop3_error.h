#pragma once
#include "platform/exception.h"

#include <cstdint>
#include <string>

// What went wrong in the POP3 dialogue, for code that decides on it, beside the socket
// session's kinds; the message is the text the user sees.
enum class TPop3ErrorKind {
    Refused,     // the server answered no; the text is its reply line
    NotPop3,     // a greeting that is neither +OK nor -ERR; the text is the greeting
    Credentials, // the log-in was refused, or its user name or password cannot be sent
    TooLong,     // a header over the limit
    BadNumber,   // a reply's number is not a number
};

class EPop3Error : public Exception {
public:
    EPop3Error(TPop3ErrorKind what, const std::string& message) : Exception(message), kind(what) {}
    TPop3ErrorKind Kind() const { return kind; }

private:
    TPop3ErrorKind kind;
};

// The failure of a log-in, whatever refused it.
inline EPop3Error AuthenticationFailed() {
    return EPop3Error(TPop3ErrorKind::Credentials, "Authentication failed");
}

inline EPop3Error RefusedBy(const std::string& reply) {
    return EPop3Error(TPop3ErrorKind::Refused, reply);
}

// A number read from a reply, failing as the system's conversion does.
int32_t NumberInReply(const std::string& text);
