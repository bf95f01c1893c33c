#pragma once
#include "platform/exception.h"

#include <string>

// What went wrong, for code that decides on it; the message is the text the user sees.
enum class TSockErrorKind {
    General,
    Library, // a sockets-library call failed; the text names its error number
    LookupFailed,
    LookupTimedOut,
    LookupCanceled,
    NullAddress,
    AlreadyConnected,
    ConnectFailed,
    ConnectTimedOut,
    ConnectCanceled,
    NotConnected,
    ReadTimedOut,
    ReadClosed,
    LineTooLong,
    SendTimedOut,
    SendClosed,
    Aborted,    // a wait ended by Cancel
    TlsFailed,  // the TLS handshake or the TLS stream failed
    OldTls,     // the handshake failed: the server offers only TLS versions before 1.2
    NotTrusted, // the server's certificate was not trusted
    NoStartTls, // the server would not upgrade the connection to TLS
};

class ESockError : public Exception {
public:
    explicit ESockError(const std::string& message, TSockErrorKind what = TSockErrorKind::General)
        : Exception(message), kind(what) {}
    TSockErrorKind Kind() const { return kind; }

private:
    TSockErrorKind kind;
};

// A wait ended by Cancel.
class EAbortError : public ESockError {
public:
    explicit EAbortError(const std::string& message)
        : ESockError(message, TSockErrorKind::Aborted) {}
};

// "10061:Connection refused"; "Unknown Error No. n" for codes outside the table; "" for 0.
std::string SocketErrorText(unsigned code);
