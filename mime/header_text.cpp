#include "mime/header_text.h"

#include "mime/charset.h"

#include <cctype>
#include <optional>

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Unfold(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') continue; // folds and stray line ends alike
        out.push_back(text[i]);
    }
    return out;
}

std::optional<std::string> DecodeQ(std::string_view text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '_') {
            out.push_back(' ');
        } else if (text[i] == '=') {
            if (i + 2 >= text.size()) return std::nullopt;
            const int high = HexValue(text[i + 1]);
            const int low = HexValue(text[i + 2]);
            if (high < 0 || low < 0) return std::nullopt;
            out.push_back(static_cast<char>(high * 16 + low));
            i += 2;
        } else {
            out.push_back(text[i]);
        }
    }
    return out;
}

int Base64Value(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '+') return 62;
    if (c == '/') return 63;
    return -1;
}

// Missing padding is forgiven, as senders often drop it; any other stray byte is not.
std::optional<std::string> DecodeB(std::string_view text) {
    while (!text.empty() && text.back() == '=')
        text.remove_suffix(1);
    if (text.size() % 4 == 1) return std::nullopt;
    std::string out;
    unsigned bits = 0;
    int count = 0;
    for (const char c : text) {
        const int value = Base64Value(c);
        if (value < 0) return std::nullopt;
        bits = (bits << 6) | static_cast<unsigned>(value);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out.push_back(static_cast<char>((bits >> count) & 0xFF));
        }
    }
    return out;
}

// One encoded word "=?charset?B|Q?text?=" at the start of text.
struct TWord {
    size_t length = 0;   // of the whole word in the text
    std::string charset; // without an RFC 2231 language
    std::string bytes;   // decoded, still in charset
};

std::optional<TWord> ParseWord(std::string_view text) {
    if (text.substr(0, 2) != "=?") return std::nullopt;
    const size_t charsetEnd = text.find('?', 2);
    if (charsetEnd == std::string_view::npos || charsetEnd == 2) return std::nullopt;
    if (charsetEnd + 3 > text.size() || text[charsetEnd + 2] != '?') return std::nullopt;
    const char encoding =
        static_cast<char>(std::toupper(static_cast<unsigned char>(text[charsetEnd + 1])));
    const size_t start = charsetEnd + 3;
    const size_t end = text.find("?=", start);
    if (end == std::string_view::npos) return std::nullopt;
    const std::string_view encoded = text.substr(start, end - start);
    for (const char c : encoded)
        if (IsBlank(c)) return std::nullopt;
    std::string_view charset = text.substr(2, charsetEnd - 2);
    charset = charset.substr(0, charset.find('*'));
    std::optional<std::string> bytes;
    if (encoding == 'B') bytes = DecodeB(encoded);
    if (encoding == 'Q') bytes = DecodeQ(encoded);
    if (!bytes || charset.empty()) return std::nullopt;
    return TWord{end + 2, std::string(charset), *bytes};
}

// Bytes of consecutive encoded words in one charset are converted together, so that a
// character split between two words comes out whole.
class TDecoder {
public:
    void Word(const TWord& word, std::string_view original) {
        if (!pending.empty() && word.charset != charset) Flush();
        if (pending.empty()) charset = word.charset;
        pending += word.bytes;
        originals += original;
    }
    void Text(std::string_view text) {
        Flush();
        out += EightBitToUtf8(text);
    }
    std::string Finish() {
        Flush();
        return std::move(out);
    }

private:
    void Flush() {
        if (originals.empty()) return;
        if (auto text = CharsetToUtf8(pending, charset))
            out += *text;
        else if (CharsetKnown())
            out += EightBitToUtf8(pending); // mislabelled bytes: read as plain 8-bit text
        else
            out += EightBitToUtf8(originals); // a charset nobody knows: shown as it came
        pending.clear();
        originals.clear();
    }
    bool CharsetKnown() const { return CharsetToUtf8("", charset).has_value(); }

    std::string out;
    std::string charset;
    std::string pending;
    std::string originals;
};

} // namespace

std::string DecodeHeaderText(std::string_view folded) {
    const std::string text = Unfold(folded);
    TDecoder decoder;
    size_t plainStart = 0;
    size_t i = 0;
    bool afterWord = false;
    while (i < text.size()) {
        const size_t at = text.find("=?", i);
        if (at == std::string::npos) break;
        const std::optional<TWord> word = ParseWord(std::string_view(text).substr(at));
        if (!word) {
            i = at + 2;
            continue;
        }
        std::string_view between = std::string_view(text).substr(plainStart, at - plainStart);
        const bool onlyBlanks = between.find_first_not_of(" \t") == std::string_view::npos;
        // Blanks between two encoded words are not part of the text.
        if (!(afterWord && onlyBlanks)) decoder.Text(between);
        decoder.Word(*word, std::string_view(text).substr(at, word->length));
        i = plainStart = at + word->length;
        afterWord = true;
    }
    decoder.Text(std::string_view(text).substr(plainStart));
    return decoder.Finish();
}

std::string UnfoldedField(const std::vector<std::string>& header, std::string_view prefix) {
    std::string value;
    for (size_t i = 0; i < header.size(); ++i) {
        if (header[i].compare(0, prefix.size(), prefix) != 0) continue;
        value = header[i].substr(prefix.size());
        for (size_t k = i + 1; k < header.size() && !header[k].empty() && IsBlank(header[k][0]);
             ++k)
            value += header[k];
    }
    return value;
}

std::string WithoutLineEnd(std::string text) {
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text;
}

std::vector<std::string> ShownHeaderLines(const std::vector<std::string>& lines) {
    std::vector<std::string> shown(lines);
    if (!shown.empty() && shown.back() == ".") shown.pop_back();
    if (!shown.empty() && shown.back().empty()) shown.pop_back();
    for (std::string& line : shown) {
        if (line.size() >= 2 && line[0] == '.' && line[1] == '.') line.erase(0, 1);
        line = DecodeHeaderText(line);
    }
    return shown;
}
