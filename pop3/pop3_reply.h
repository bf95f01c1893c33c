#pragma once
#include "net/nth_word.h"

#include <string>

// A reply is positive when its first field holds "+OK" anywhere, compared byte for byte.
inline bool PositiveReply(const std::string& reply) {
    return NthWord(reply, ' ', 1).find("+OK") != std::string::npos;
}
