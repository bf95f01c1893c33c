#pragma once
#include <cstdint>
#include <string>

// A signed 32-bit decimal integer with optional leading spaces and sign, nothing after it;
// any other text, or a value out of range, gives the fallback.
int32_t ReadInt32(const std::string& text, int32_t fallback);
