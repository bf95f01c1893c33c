#include "mime/html_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace {

// The named references mail commonly carries; others stay as written.
constexpr std::array<std::pair<const char*, unsigned>, 40> Named = {{
    {"amp", '&'},      {"lt", '<'},       {"gt", '>'},       {"quot", '"'},     {"apos", '\''},
    {"nbsp", 0xA0},    {"copy", 0xA9},    {"reg", 0xAE},     {"trade", 0x2122}, {"hellip", 0x2026},
    {"mdash", 0x2014}, {"ndash", 0x2013}, {"lsquo", 0x2018}, {"rsquo", 0x2019}, {"ldquo", 0x201C},
    {"rdquo", 0x201D}, {"laquo", 0xAB},   {"raquo", 0xBB},   {"bull", 0x2022},  {"middot", 0xB7},
    {"euro", 0x20AC},  {"pound", 0xA3},   {"yen", 0xA5},     {"cent", 0xA2},    {"deg", 0xB0},
    {"times", 0xD7},   {"sect", 0xA7},    {"shy", 0xAD},     {"auml", 0xE4},    {"ouml", 0xF6},
    {"uuml", 0xFC},    {"Auml", 0xC4},    {"Ouml", 0xD6},    {"Uuml", 0xDC},    {"szlig", 0xDF},
    {"eacute", 0xE9},  {"egrave", 0xE8},  {"agrave", 0xE0},  {"ccedil", 0xE7},  {"zwnj", 0x200C},
}};

void AppendUtf8(unsigned code, std::string& out) {
    if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = 0xFFFD;
    if (code == 0xA0) code = ' '; // a no-break space is a blank to a reader of plain text
    if (code == 0xAD || code == 0x200C) return; // invisible
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// A character reference at html[i] ('&'); false when it is none, so the '&' stays.
bool Reference(std::string_view html, size_t& i, std::string& out) {
    const size_t semicolon = html.substr(0, i + 12).find(';', i); // names are short
    if (semicolon == std::string_view::npos) return false;
    const std::string_view name = html.substr(i + 1, semicolon - i - 1);
    if (name.size() >= 2 && name[0] == '#') {
        const bool hex = name[1] == 'x' || name[1] == 'X';
        const std::string_view digits = name.substr(hex ? 2 : 1);
        if (digits.empty()) return false;
        unsigned code = 0;
        for (const char c : digits) {
            const int value = std::isxdigit(static_cast<unsigned char>(c)) && hex
                                  ? (std::isdigit(static_cast<unsigned char>(c))
                                         ? c - '0'
                                         : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10)
                              : std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                                                                            : -1;
            if (value < 0) return false;
            code = std::min(code * (hex ? 16u : 10u) + static_cast<unsigned>(value), 0x110000u);
        }
        AppendUtf8(code, out);
    } else {
        const auto found = std::find_if(Named.begin(), Named.end(),
                                        [&](const auto& entry) { return name == entry.first; });
        if (found == Named.end()) return false;
        AppendUtf8(found->second, out);
    }
    i = semicolon + 1;
    return true;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

bool OneOf(const std::string& name, std::initializer_list<const char*> names) {
    for (const char* candidate : names)
        if (name == candidate) return true;
    return false;
}

// The text as it is built: blanks collapsed, at most one empty line between blocks.
class TText {
public:
    void Character(char c, bool pre) {
        if (!pre && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) {
            blank = true;
            return;
        }
        if (pre && c == '\r') return;
        if (blank && !out.empty() && out.back() != '\n') out.push_back(' ');
        blank = false;
        out.push_back(c);
        breaks = 0;
    }
    void Text(const std::string& text) {
        for (const char c : text)
            Character(c, false);
    }
    // n line ends at most in a row: 1 ends a line, 2 leaves an empty line.
    void Break(int n) {
        blank = false;
        if (out.empty()) return;
        while (breaks < n) {
            out.push_back('\n');
            ++breaks;
        }
    }
    void Newline() {
        blank = false;
        out.push_back('\n');
        ++breaks;
    }
    std::string Finish() {
        while (!out.empty() && out.back() == '\n')
            out.pop_back();
        return std::move(out);
    }

private:
    std::string out;
    bool blank = false;
    int breaks = 0;
};

} // namespace

std::string HtmlToText(std::string_view html) {
    TText text;
    int pre = 0;
    std::string skipUntil; // the closing tag of an element whose content is not shown
    size_t i = 0;
    while (i < html.size()) {
        const char c = html[i];
        if (c == '<') {
            if (html.substr(i, 4) == "<!--") {
                const size_t end = html.find("-->", i + 4);
                i = end == std::string_view::npos ? html.size() : end + 3;
                continue;
            }
            size_t end = i + 1;
            char quote = 0; // a '>' inside a quoted attribute does not end the tag
            while (end < html.size() && (quote || html[end] != '>')) {
                if (quote && html[end] == quote)
                    quote = 0;
                else if (!quote && (html[end] == '"' || html[end] == '\''))
                    quote = html[end];
                ++end;
            }
            const std::string_view tag = html.substr(i + 1, end - i - 1);
            i = end < html.size() ? end + 1 : html.size();
            const bool closing = !tag.empty() && tag[0] == '/';
            const std::string_view rest = tag.substr(closing ? 1 : 0);
            const size_t nameEnd = rest.find_first_of(" \t\r\n/>");
            const std::string name = Lower(rest.substr(0, nameEnd));
            if (!skipUntil.empty()) {
                if (closing && name == skipUntil) skipUntil.clear();
                continue;
            }
            if (!closing && OneOf(name, {"head", "script", "style", "title", "template"})) {
                if (tag.empty() || tag.back() != '/') skipUntil = name;
                continue;
            }
            if (name == "pre") pre = std::max(0, pre + (closing ? -1 : 1));
            if (name == "br") {
                text.Break(1);
            } else if (name == "li" && !closing) {
                text.Break(1);
                text.Text("\xE2\x80\xA2 ");
            } else if (OneOf(name, {"p", "h1", "h2", "h3", "h4", "h5", "h6", "blockquote", "pre",
                                    "table", "ul", "ol", "hr"})) {
                text.Break(2);
            } else if (OneOf(name, {"div", "tr", "li", "section", "article", "header", "footer",
                                    "dd", "dt", "center", "address", "form"})) {
                text.Break(1);
            } else if (OneOf(name, {"td", "th"}) && !closing) {
                text.Character(' ', false);
            }
            continue;
        }
        if (!skipUntil.empty()) {
            ++i;
            continue;
        }
        if (c == '&') {
            std::string decoded;
            if (Reference(html, i, decoded)) {
                for (const char d : decoded)
                    text.Character(d, pre > 0);
                continue;
            }
        }
        if (pre > 0 && c == '\n')
            text.Newline();
        else
            text.Character(c, pre > 0);
        ++i;
    }
    return text.Finish();
}
