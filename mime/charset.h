#pragma once
#include <optional>
#include <string>
#include <string_view>

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates).
bool IsUtf8(std::string_view bytes);

// Header bytes as UTF-8: kept when they are UTF-8 already, else read as Windows-1252, the
// charset that unlabelled 8-bit mail nearly always is.
std::string EightBitToUtf8(std::string_view bytes);

// The bytes in the named charset as UTF-8, through the system's converters; nothing when the
// charset is unknown or the bytes are not valid in it.
std::optional<std::string> CharsetToUtf8(std::string_view bytes, std::string_view charset);
