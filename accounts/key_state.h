#pragma once
#include <cstdint>

// One step of the ANSI C sample generator on the full word (no shift, no mask).
uint32_t LcgNext(uint32_t x);

// The word with its four bytes in reverse order.
uint32_t SwapBytes(uint32_t word);

// The keystream generator behind the stored form of a password: four words seeded from one.
// Each conversion uses a fresh state, so nothing carries over between calls.
class KeyState {
public:
    void Seed(uint32_t seed);
    void Mix();
    // A keystream value in 0..m-1 for m > 0; the state is left unchanged.
    int32_t Draw(int32_t m) const;

    uint32_t Word(int index) const { return w[index]; }

private:
    uint32_t w[4] = {0, 0, 0, 0};
};
