#pragma once
#include <cstdint>
#include <functional>

// Milliseconds since system start, wrapping at 2^32.
uint32_t GetTickCount();

// Tests fix the tick count to get repeatable output; an empty source restores the clock.
void SetTickSource(std::function<uint32_t()> source);
