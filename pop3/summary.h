#pragma once
#include "pop3/ex_string_list.h"

#include <cstdint>
#include <string>

// What GetSummary learns of one message from its header and its LIST size.
struct TSummary {
    std::string Subject;
    std::string From;
    int32_t Bytes = 0;
    std::string MessageId; // keeps the line end as received
    TExStringList Header;  // the header lines without line ends, ending with "" and "."
};
