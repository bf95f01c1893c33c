#include "platform/int_text.h"

#include "platform/exception.h"

std::optional<int32_t> TryStrToInt(const std::string& text) {
    size_t at = text.find_first_not_of(' ');
    if (at == std::string::npos) return std::nullopt;
    const bool negative = text[at] == '-';
    if (text[at] == '-' || text[at] == '+') ++at;
    if (at == text.size()) return std::nullopt;
    int64_t value = 0;
    for (; at < text.size(); ++at) {
        if (text[at] < '0' || text[at] > '9') return std::nullopt;
        value = value * 10 + (text[at] - '0');
        if (value > int64_t{INT32_MAX} + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<int32_t>(value);
}

int32_t StrToInt(const std::string& text) {
    if (auto value = TryStrToInt(text)) return *value;
    throw Exception("'" + text + "' is not a valid integer value");
}

int32_t StrToIntDef(const std::string& text, int32_t fallback) {
    return TryStrToInt(text).value_or(fallback);
}
