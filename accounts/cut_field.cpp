#include "accounts/cut_field.h"

#include <utility>

std::string CutField(std::string& text, char delimiter) {
    const size_t p = text.find(delimiter);
    if (p == std::string::npos) return std::exchange(text, std::string());
    std::string field = text.substr(0, p);
    text.erase(0, p + 1);
    return field;
}
