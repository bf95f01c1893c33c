#include "accounts/hex.h"

namespace {
constexpr char digits[] = "0123456789ABCDEF";

std::string HexOf(uint32_t value, int width) {
    std::string out(static_cast<size_t>(width), '0');
    for (int i = width - 1; i >= 0; --i, value >>= 4)
        out[static_cast<size_t>(i)] = digits[value & 0xF];
    return out;
}

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
} // namespace

std::string HexOfWord(uint32_t word) {
    return HexOf(word, 8);
}

std::string HexOfByte(uint8_t byte) {
    return HexOf(byte, 2);
}

uint32_t HexToInt(const std::string& text) {
    uint32_t value = 0;
    for (char raw : text.substr(0, 8)) {
        const char c = AsciiUpper(raw);
        if (c == ' ' || (c >= 'G' && c <= 'Z')) continue;
        if (c >= '0' && c <= '9')
            value = value * 16 + static_cast<uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F')
            value = value * 16 + static_cast<uint32_t>(c - 'A' + 10);
        else
            break;
    }
    return value;
}
