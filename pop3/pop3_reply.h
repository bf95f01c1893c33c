#pragma once
#include "net/nth_word.h"

#include <string>

// The reply rules of the POP3 client, side by side.

// A reply is positive when its first field holds "+OK" anywhere, compared byte for byte.
inline bool PositiveReply(const std::string& reply) {
    return NthWord(reply, ' ', 1).find("+OK") != std::string::npos;
}

// DELE is stricter: the first field must be "+OK" itself. "+OK" alone on its line counts too:
// servers answer so, and mark the message all the same.
inline bool PositiveDeleReply(const std::string& reply) {
    std::string first = NthWord(reply, ' ', 1);
    if (!first.empty() && first.back() == '\n') first.pop_back();
    if (!first.empty() && first.back() == '\r') first.pop_back();
    return first == "+OK";
}

// A capability line (without its line end) names PIPELINING, in any letter case.
bool NamesPipelining(const std::string& line);
