#include "accounts/key_state.h"

namespace {
constexpr uint32_t mixConstants[4] = {0x6D4C2B19u, 0xA7E31F05u, 0x3B90D6C2u, 0xE15A8F74u};
} // namespace

uint32_t LcgNext(uint32_t x) {
    return x * 1103515245u + 12345u;
}

uint32_t SwapBytes(uint32_t word) {
    return (word >> 24) | ((word >> 8) & 0x0000FF00u) | ((word << 8) & 0x00FF0000u) | (word << 24);
}

void KeyState::Seed(uint32_t seed) {
    w[0] = seed;
    for (int i = 1; i < 4; ++i)
        w[i] = LcgNext(w[i - 1]);
}

void KeyState::Mix() {
    for (int i = 0; i < 4; ++i)
        w[i] = SwapBytes(LcgNext(SwapBytes(w[i])) ^ mixConstants[i]);
}

int32_t KeyState::Draw(int32_t m) const {
    const auto t = static_cast<int32_t>(w[0] + w[1] + w[2] + w[3]);
    // The most negative value has no positive counterpart and is kept as it is.
    if (t < 0 && t != INT32_MIN) return -t % m;
    return t % m;
}
