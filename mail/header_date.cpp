#include "mail/header_date.h"

#include "widgets/message_grid.h"

#include <algorithm>
#include <cctype>

std::string HeaderDate(const THeaderLines& header) {
    static const std::string_view Name = "DATE:";
    for (const std::string_view line : header) {
        if (line.size() < Name.size()) continue;
        const bool match = std::equal(Name.begin(), Name.end(), line.begin(), [](char a, char b) {
            return a == std::toupper(static_cast<unsigned char>(b));
        });
        if (match) return std::string(line.substr(Name.size()));
    }
    return {};
}

std::string SizeInKB(int32_t bytes) {
    // Halves go up; the shift is a floor division, so a (never seen) negative count rounds alike.
    const int64_t kb = (static_cast<int64_t>(bytes) + 512) >> 10;
    return std::to_string(kb);
}

std::string CellText(std::string text) {
    std::replace(text.begin(), text.end(), TMessageGrid::Separator, ' ');
    return text;
}
