#pragma once
#include <cstdint>
#include <string>

// Exactly 8 uppercase hex digits.
std::string HexOfWord(uint32_t word);

// Exactly 2 uppercase hex digits.
std::string HexOfByte(uint8_t byte);

// Lenient reading of up to 8 hex digits that never fails: spaces and the letters G to Z are
// skipped, any other non-digit ends the reading, and no digit at all gives 0.
uint32_t HexToInt(const std::string& text);
