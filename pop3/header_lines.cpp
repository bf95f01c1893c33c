#include "pop3/header_lines.h"

#include <stdexcept>

THeaderLines::THeaderLines(std::initializer_list<std::string_view> lines) {
    for (std::string_view line : lines)
        Add(line);
}

THeaderLines::THeaderLines(const std::vector<std::string>& lines) {
    for (const std::string& line : lines)
        Add(line);
}

void THeaderLines::Add(std::string_view line) {
    // An LF inside would split the line in two when it is read back.
    if (line.find('\n') != std::string_view::npos)
        throw std::invalid_argument("A header line holds no line feed");
    bytes.append(line);
    bytes.push_back('\n');
    ++count;
}

void THeaderLines::Clear() {
    bytes.clear();
    count = 0;
}

std::string_view THeaderLines::operator[](size_t index) const {
    if (index >= count) throw std::out_of_range("Header line index out of range");
    auto line = begin();
    for (size_t at = 0; at < index; ++at)
        ++line;
    return *line;
}

std::vector<std::string> THeaderLines::Lines() const {
    std::vector<std::string> lines;
    lines.reserve(count);
    for (std::string_view line : *this)
        lines.emplace_back(line);
    return lines;
}
