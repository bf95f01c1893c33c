#pragma once
#include <cstdint>
#include <optional>
#include <string>

// The system's reading of a decimal integer: leading blanks, an optional sign, digits, and
// nothing after them, within 32 bits.
std::optional<int32_t> TryStrToInt(const std::string& text);

// As TryStrToInt, failing with "'text' is not a valid integer value".
int32_t StrToInt(const std::string& text);

// As TryStrToInt, with the fallback for any other text.
int32_t StrToIntDef(const std::string& text, int32_t fallback);
