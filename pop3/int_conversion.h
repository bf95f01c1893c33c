#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The strict conversion: leading blanks, an optional sign, digits, and nothing after them.
std::optional<int32_t> TryStrToInt(const std::string& text);

// As TryStrToInt, failing with "'text' is not a valid integer value".
int32_t StrToInt(const std::string& text);

// The text without blanks and control characters at either end.
std::string Trim(const std::string& text);
