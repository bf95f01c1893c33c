#include "mime/mime_parameters.h"

#include "mime/charset.h"
#include "mime/header_text.h"

#include <cctype>
#include <vector>

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

std::string Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1));
}

// The pieces between semicolons, a semicolon inside quotes or a comment not counting; quoted
// strings are kept with their quotes for the caller, comments dropped.
std::vector<std::string> Pieces(std::string_view value) {
    std::vector<std::string> pieces(1);
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '"') {
            pieces.back().push_back(c);
            for (++i; i < value.size() && value[i] != '"'; ++i) {
                if (value[i] == '\\' && i + 1 < value.size()) pieces.back().push_back(value[i++]);
                pieces.back().push_back(value[i]);
            }
            pieces.back().push_back('"');
        } else if (c == '(') {
            int depth = 1;
            for (++i; i < value.size() && depth > 0; ++i) {
                if (value[i] == '\\')
                    ++i;
                else if (value[i] == '(')
                    ++depth;
                else if (value[i] == ')')
                    --depth;
            }
            --i;
        } else if (c == ';') {
            pieces.emplace_back();
        } else {
            pieces.back().push_back(c);
        }
    }
    return pieces;
}

std::string Unquoted(const std::string& text) {
    if (text.size() < 2 || text.front() != '"') return text;
    std::string out;
    for (size_t i = 1; i + 1 < text.size(); ++i) {
        if (text[i] == '\\' && i + 2 < text.size()) ++i;
        out.push_back(text[i]);
    }
    return out;
}

std::string PercentDecoded(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out.push_back(static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2])));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

// One parameter's pieces in the order of their numbers.
struct TSegments {
    std::map<int, std::pair<std::string, bool>> Parts; // number -> text, percent-encoded
};

std::string Joined(const TSegments& segments) {
    std::string charset;
    std::string bytes;
    bool encoded = false;
    auto parts = segments.Parts;
    if (parts.size() > 1) parts.erase(-1); // numbered pieces say it all
    for (const auto& [number, part] : parts) {
        std::string text = part.first;
        if (part.second) {
            if (!encoded) { // the first encoded piece names its charset: charset'language'text
                const size_t first = text.find('\'');
                const size_t second =
                    first == std::string::npos ? first : text.find('\'', first + 1);
                if (second != std::string::npos) {
                    charset = text.substr(0, first);
                    text = text.substr(second + 1);
                }
            }
            encoded = true;
            bytes += PercentDecoded(text);
        } else {
            bytes += text;
        }
    }
    if (encoded && !charset.empty())
        if (auto utf8 = CharsetToUtf8(bytes, charset)) return *utf8;
    return DecodeHeaderText(bytes); // also reads encoded words and plain 8-bit bytes
}

} // namespace

TParameterized ParseParameterized(std::string_view value) {
    const std::vector<std::string> pieces = Pieces(value);
    TParameterized out;
    out.Value = Lower(Trimmed(pieces[0]));
    std::map<std::string, TSegments> params;
    for (size_t k = 1; k < pieces.size(); ++k) {
        const size_t equals = pieces[k].find('=');
        if (equals == std::string::npos) continue;
        std::string name = Lower(Trimmed(std::string_view(pieces[k]).substr(0, equals)));
        const std::string text = Unquoted(Trimmed(std::string_view(pieces[k]).substr(equals + 1)));
        bool encoded = false;
        if (!name.empty() && name.back() == '*') {
            encoded = true;
            name.pop_back();
        }
        int number = -1; // an unnumbered parameter comes before any numbered piece
        const size_t star = name.find('*');
        if (star != std::string::npos) {
            const std::string digits = name.substr(star + 1);
            if (digits.empty() || digits.size() > 4 ||
                digits.find_first_not_of("0123456789") != std::string::npos)
                continue;
            number = std::stoi(digits);
            name.resize(star);
        }
        if (name.empty()) continue;
        // "name*" (RFC 2231) wins over a plain "name" given for older readers.
        auto& parts = params[name].Parts;
        if (encoded || !parts.count(number)) parts[number] = {text, encoded};
    }
    for (const auto& [name, segments] : params)
        out.Params[name] = Joined(segments);
    return out;
}
