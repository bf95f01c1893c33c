#pragma once
#include <cstdint>
#include <exception>
#include <string>

// What a failed check tells its user: the failure sorted by what went wrong, where the check
// was, and the words for it. No widget here; the check hands the words to the status dialog.

enum class TFailureKind {
    Refused,        // the server answered no; the failure's text is its reply line
    NotPop3,        // the greeting was not a POP3 server's; the text is the greeting
    Credentials,    // the log-in was refused, or could not be sent
    LookupFailed,   // no address for the server's name
    LookupTimedOut, // the name lookup did not end in time
    ConnectFailed,  // no TCP connection
    ConnectTimedOut,
    TimedOut,   // a read or a send made no progress in time
    Closed,     // the connection ended under a read, a send or a command
    TooLong,    // a reply line over the limit
    Unreadable, // a reply whose numbers are not numbers
    Canceled,   // the user gave the attempt up: nothing to say
    NotTrusted, // the server's certificate was not trusted; nothing was sent
    TlsFailed,  // no secure connection could be made; the failure's text says why
    OldTls,     // no secure connection: the server offers only TLS versions before 1.2
    NoStartTls, // the server would not turn on TLS
    Other,
};

TFailureKind KindOf(std::exception_ptr failure);
std::string TextOf(std::exception_ptr failure);

enum class TCheckStep { LogIn, List, Summary };

// What the check knew when it failed.
struct TCheckFailure {
    TFailureKind Kind = TFailureKind::Other;
    std::string Text; // the failure's own text
    TCheckStep Step = TCheckStep::LogIn;
    std::string Server;          // as the account gives it
    int32_t TimeoutSeconds = 90; // the account's time-out
    bool LoggedIn = false;       // log-in done, STAT pending
    std::string RefusedCommand;  // "USER" or "PASS" when the log-in was refused
    std::string RefusedReply;    // the reply that refused it
    bool UserEmpty = false;
    bool PasswordEmpty = false;
    bool SavePassword = false;
    bool OAuth2 = false; // signed in with a provider's token, not a password
    int32_t Message = 0; // the message whose summary was being read
    int32_t Listed = 0;  // messages the listing counted
};

struct TCheckOutcome {
    std::string Text; // lines joined by LF: the documented text first where there is one
    bool ForgetPassword = false;
};

TCheckOutcome DescribeFailure(const TCheckFailure& failure);

// A server's text as the dialog shows it: without its line end, control characters as blanks,
// at most MaxShownReply bytes and then "...".
constexpr size_t MaxShownReply = 160;
std::string ShownReply(const std::string& text);
