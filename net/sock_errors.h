#pragma once
#include "platform/exception.h"

#include <string>

class ESockError : public Exception {
public:
    using Exception::Exception;
};

// A wait ended by Cancel.
class EAbortError : public ESockError {
public:
    using ESockError::ESockError;
};

// "10061:Connection refused"; "Unknown Error No. n" for codes outside the table; "" for 0.
std::string SocketErrorText(unsigned code);
