#pragma once
#include "pop3/header_lines.h"

#include <cstdint>
#include <string>
#include <vector>

// What GetSummary learns of one message from its header and its LIST size.
struct TSummary {
    std::string Subject;
    std::string From;
    int32_t Bytes = 0;
    std::string MessageId; // keeps the line end as received
    THeaderLines Header;   // the header lines without line ends, ending with "" and "."
    // With the client's PreviewLines: the body lines after the header's empty line, as sent
    // (dot-stuffed, line ends removed, the terminator left out); otherwise empty.
    std::vector<std::string> Body;
};
