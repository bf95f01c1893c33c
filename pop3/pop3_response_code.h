#pragma once
#include <string>

// The response codes a server may put in brackets after "-ERR" (RFC 2449, RFC 3206), so that
// a client can tell a wrong password from a mailbox that is busy or a server in trouble.
enum class TResponseCode {
    None,       // no code: the reply says nothing beyond its text
    InUse,      // [IN-USE]: the mailbox is locked by another session
    LoginDelay, // [LOGIN-DELAY]: logged in too soon after the last log-in
    SysTemp,    // [SYS/TEMP]: a passing fault of the server
    SysPerm,    // [SYS/PERM]: a lasting fault of the server
    Auth,       // [AUTH]: the credentials are wrong
    Other,      // a code this client does not know
};

struct TNegativeReply {
    TResponseCode Code = TResponseCode::None;
    std::string Text; // what follows the indicator and the code, without the line end
};

// Reads a reply line such as "-ERR [IN-USE] Mailbox locked\r\n". Codes are compared without
// regard to case, and a code's further levels ("SYS/TEMP/DISK") do not hide it. A line without
// the "-ERR" indicator gives its whole text.
TNegativeReply ReadNegativeReply(const std::string& reply);

// Whether a refused log-in may be a wrong password: no code, [AUTH], or a code this client does
// not know (which counts as none).
inline bool CredentialsInDoubt(TResponseCode code) {
    return code == TResponseCode::None || code == TResponseCode::Auth ||
           code == TResponseCode::Other;
}
