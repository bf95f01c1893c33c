#include "accounts/int_text.h"

int32_t ReadInt32(const std::string& text, int32_t fallback) {
    size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos) return fallback;
    const bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+') ++i;
    if (i == text.size()) return fallback;
    int64_t value = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return fallback;
        value = value * 10 + (text[i] - '0');
        if (value > int64_t{INT32_MAX} + 1) return fallback;
    }
    if (negative) value = -value;
    if (value > INT32_MAX) return fallback;
    return static_cast<int32_t>(value);
}
