#pragma once
#include <algorithm>
#include <string>

// Account names compare without regard to case for ASCII letters only; other bytes stay as
// they are.
inline std::string AsciiUpper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
    return text;
}
