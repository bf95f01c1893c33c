#include "mime/charset.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <iconv.h>
#include <memory>

namespace {

// One open converter to UTF-8; closed with its scope.
class TConverter {
public:
    explicit TConverter(const std::string& from) : cd(iconv_open("UTF-8", from.c_str())) {}
    ~TConverter() {
        if (ok()) iconv_close(cd);
    }
    TConverter(const TConverter&) = delete;
    TConverter& operator=(const TConverter&) = delete;
    bool ok() const { return cd != reinterpret_cast<iconv_t>(-1); }

    // Converts all of in; on a byte the charset does not define, undefined() decides: it
    // appends a replacement and returns true to go on, or returns false to fail.
    template <class Undefined>
    std::optional<std::string> Run(std::string_view in, Undefined undefined) {
        std::string out;
        char buffer[256];
        auto* from = const_cast<char*>(in.data()); // iconv's signature; nothing is written
        size_t left = in.size();
        while (left > 0) {
            char* to = buffer;
            size_t room = sizeof buffer;
            const size_t done = iconv(cd, &from, &left, &to, &room);
            out.append(buffer, static_cast<size_t>(to - buffer));
            if (done != static_cast<size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            if (!undefined(static_cast<unsigned char>(*from), out)) return std::nullopt;
            ++from;
            --left;
            iconv(cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
        }
        char* to = buffer;
        size_t room = sizeof buffer;
        iconv(cd, nullptr, nullptr, &to, &room); // a stateful charset's closing sequence
        out.append(buffer, static_cast<size_t>(to - buffer));
        return out;
    }

private:
    iconv_t cd;
};

void AppendCodePoint(unsigned code, std::string& out) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// Labels mail carries that the system's converters know by another name, or that in practice
// mean a wider charset (as browsers read them).
std::string KnownName(const std::string& name) {
    static const std::pair<const char*, const char*> aliases[] = {
        {"ks_c_5601-1987", "CP949"},
        {"gb2312", "GBK"},
        {"x-gbk", "GBK"},
        {"iso-8859-8-i", "ISO-8859-8"},
        {"x-mac-roman", "MACINTOSH"},
        {"tis-620", "CP874"},
        {"x-sjis", "SHIFT_JIS"},
        {"shift-jis", "SHIFT_JIS"},
        {"iso-8859-9", "CP1254"},
    };
    for (const auto& [label, known] : aliases)
        if (name == label) return known;
    return name;
}

} // namespace

bool IsUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            ++i;
            continue;
        }
        int more = 0;
        unsigned code = 0;
        unsigned least = 0;
        if ((lead & 0xE0) == 0xC0) {
            more = 1, code = lead & 0x1F, least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            more = 2, code = lead & 0x0F, least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            more = 3, code = lead & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (bytes.size() - i <= static_cast<size_t>(more)) return false;
        for (int k = 1; k <= more; ++k) {
            const auto next = static_cast<unsigned char>(bytes[i + static_cast<size_t>(k)]);
            if ((next & 0xC0) != 0x80) return false;
            code = (code << 6) | (next & 0x3F);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += static_cast<size_t>(more) + 1;
    }
    return true;
}

std::string EightBitToUtf8(std::string_view bytes) {
    if (IsUtf8(bytes)) return std::string(bytes);
    TConverter cp1252("WINDOWS-1252");
    // The five bytes Windows-1252 leaves undefined become the C1 code points of the same
    // number, as browsers read them, so that no byte is lost.
    auto asC1 = [](unsigned char byte, std::string& out) {
        AppendCodePoint(byte, out);
        return true;
    };
    if (cp1252.ok())
        if (auto text = cp1252.Run(bytes, asC1)) return *text;
    std::string latin1;
    for (const char c : bytes)
        AppendCodePoint(static_cast<unsigned char>(c), latin1);
    return latin1;
}

std::optional<std::string> CharsetToUtf8(std::string_view bytes, std::string_view charset) {
    const std::string name = Lower(charset);
    if (name == "utf-8" || name == "utf8") {
        if (IsUtf8(bytes)) return std::string(bytes);
        return std::nullopt;
    }
    // Text labelled Latin-1 or ASCII is in practice often Windows-1252 (as browsers assume).
    if (name == "us-ascii" || name == "ascii" || name == "iso-8859-1" || name == "latin1" ||
        name == "iso_8859-1" || name == "windows-1252" || name == "cp1252")
        return EightBitToUtf8(bytes);
    TConverter converter(KnownName(name));
    if (!converter.ok()) return std::nullopt;
    return converter.Run(bytes, [](unsigned char, std::string&) { return false; });
}
