#include "mime/transfer_encoding.h"

#include "mime/header_text.h"

namespace {
int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+' || c == '-') return 62; // the URL-safe alphabet as well, as some senders use
    if (c == '/' || c == '_') return 63;
    return -1;
}

std::string_view WithoutTrailingBlanks(std::string_view line) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t' || line.back() == '\r'))
        line.remove_suffix(1);
    return line;
}
} // namespace

std::string DecodeBase64Lines(const std::vector<std::string>& lines) {
    std::string out;
    unsigned bits = 0;
    int count = 0;
    for (const std::string& line : lines) {
        for (const char c : line) {
            if (c == '=') { // padding ends a group; some senders go on with another
                bits = 0;
                count = 0;
                continue;
            }
            const int value = Base64Value(c);
            if (value < 0) continue;
            bits = (bits << 6) | static_cast<unsigned>(value);
            count += 6;
            if (count >= 8) {
                count -= 8;
                out.push_back(static_cast<char>((bits >> count) & 0xFF));
            }
        }
    }
    return out;
}

std::string DecodeQuotedPrintableLines(const std::vector<std::string>& lines) {
    std::string out;
    for (size_t n = 0; n < lines.size(); ++n) {
        const std::string_view line = WithoutTrailingBlanks(lines[n]);
        bool soft = false;
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] != '=') {
                out.push_back(line[i]);
                continue;
            }
            if (i + 1 == line.size()) {
                soft = true;
                break;
            }
            const int high = i + 2 < line.size() ? HexValue(line[i + 1]) : -1;
            const int low = high >= 0 ? HexValue(line[i + 2]) : -1;
            if (low < 0) {
                out.push_back('='); // not an escape: kept as written
                continue;
            }
            out.push_back(static_cast<char>(high * 16 + low));
            i += 2;
        }
        if (!soft && n + 1 < lines.size()) out.push_back('\n');
    }
    return out;
}

std::string UnflowText(std::string_view text, bool delSp) {
    std::string out;
    std::string_view pendingQuote; // the quote marks of the paragraph being joined
    bool joining = false;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        const size_t depth = line.find_first_not_of('>');
        const std::string_view quote =
            line.substr(0, depth == std::string_view::npos ? line.size() : depth);
        line.remove_prefix(quote.size());
        if (!line.empty() && line[0] == ' ') line.remove_prefix(1); // space-stuffing
        if (joining && quote != pendingQuote)
            out.push_back('\n'); // a flowed line may not cross depths
        if (!joining || quote != pendingQuote)
            out += std::string(quote) + (quote.empty() ? "" : " ");
        const bool flowed = !line.empty() && line.back() == ' ' && line != "-- ";
        if (flowed && delSp) line.remove_suffix(1);
        out += line;
        joining = flowed;
        pendingQuote = quote;
        if (!flowed && end < text.size()) out.push_back('\n');
        start = end + 1;
    }
    return out;
}
