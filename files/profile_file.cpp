#include "files/profile_file.h"

#include "files/whole_file.h"

#include <QFile>
#include <optional>
#include <vector>

namespace {

struct Line {
    std::string text; // without its line end
    std::string end;  // "\r\n", "\n" or "" (the last line of a file without a final line end)
};

std::vector<Line> SplitLines(const std::string& bytes) {
    std::vector<Line> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t lf = bytes.find('\n', start);
        if (lf == std::string::npos) {
            lines.push_back({bytes.substr(start), ""});
            break;
        }
        size_t textEnd = lf > start && bytes[lf - 1] == '\r' ? lf - 1 : lf;
        lines.push_back(
            {bytes.substr(start, textEnd - start), bytes.substr(textEnd, lf + 1 - textEnd)});
        start = lf + 1;
    }
    return lines;
}

std::optional<std::string> ReadFile(const std::string& fileName) {
    QFile file(QString::fromLocal8Bit(fileName.c_str()));
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    QByteArray bytes = file.readAll();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string Trim(const std::string& text) {
    size_t first = 0, last = text.size();
    while (first < last && IsBlank(text[first]))
        ++first;
    while (last > first && IsBlank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

// The name of a section line ("[name]", text after the bracket ignored), or nullopt.
std::optional<std::string> SectionName(const std::string& line) {
    std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] != '[') return std::nullopt;
    size_t close = trimmed.find(']');
    return Trim(trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

struct Entry {
    std::string key;
    std::string value; // trimmed, quotes still on
};

// A key line of a section; comments (';') and blank lines are none.
std::optional<Entry> KeyLine(const std::string& line) {
    std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == ';') return std::nullopt;
    size_t equals = trimmed.find('=');
    if (equals == std::string::npos) return Entry{trimmed, ""};
    return Entry{Trim(trimmed.substr(0, equals)), Trim(trimmed.substr(equals + 1))};
}

// Where a key lies: the first section of that name and, within it, the first such key.
struct Place {
    std::optional<size_t> section; // index of the section line
    std::optional<size_t> key;     // index of the key line
    size_t lastContent = 0;        // the section's last non-blank line (its header at least)
};

Place Find(const std::vector<Line>& lines, const std::string& section, const std::string& key) {
    Place place;
    const std::string wantedSection = Trim(section), wantedKey = Trim(key);
    for (size_t i = 0; i < lines.size(); ++i) {
        std::optional<std::string> name = SectionName(lines[i].text);
        if (place.section) {
            if (name) break; // the section ends at the next one
            if (!Trim(lines[i].text).empty()) place.lastContent = i;
            std::optional<Entry> entry = KeyLine(lines[i].text);
            if (!place.key && entry && SameNoCase(entry->key, wantedKey)) place.key = i;
        } else if (name && SameNoCase(*name, wantedSection)) {
            place.section = i;
            place.lastContent = i;
        }
    }
    return place;
}

std::string Unquote(const std::string& value) {
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
        return value.substr(1, value.size() - 2);
    return value;
}

bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != std::string::npos;
}

// The line end the file already uses, CR LF for a new file.
std::string LineEndOf(const std::vector<Line>& lines) {
    for (const Line& line : lines)
        if (!line.end.empty()) return line.end;
    return "\r\n";
}

bool WriteFile(const std::string& fileName, const std::vector<Line>& lines) {
    std::string bytes;
    for (const Line& line : lines)
        bytes += line.text + line.end;
    return SaveWholeFile(QString::fromLocal8Bit(fileName.c_str()), bytes);
}

} // namespace

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, const std::string& fileName) {
    std::string fallback = defaultValue;
    while (!fallback.empty() && fallback.back() == ' ')
        fallback.pop_back();
    std::optional<std::string> bytes = ReadFile(fileName);
    if (!bytes) return fallback;
    std::vector<Line> lines = SplitLines(*bytes);
    Place place = Find(lines, section, key);
    if (!place.key) return fallback;
    return Unquote(KeyLine(lines[*place.key].text)->value);
}

bool WritePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& fileName) {
    if (Trim(key).empty() || HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value))
        return false;
    std::vector<Line> lines = SplitLines(ReadFile(fileName).value_or(""));
    const std::string end = LineEndOf(lines);
    Place place = Find(lines, section, key);
    if (place.key) {
        Line& line = lines[*place.key];
        Entry entry = *KeyLine(line.text);
        if (line.text.find('=') != std::string::npos && entry.value == value)
            return true; // unchanged: the file is not touched
        line.text = entry.key + "=" + value;
    } else if (place.section) {
        Line& last = lines[place.lastContent];
        if (last.end.empty()) last.end = end;
        lines.insert(lines.begin() + static_cast<long>(place.lastContent) + 1,
                     Line{Trim(key) + "=" + value, end});
    } else {
        if (!lines.empty() && lines.back().end.empty()) lines.back().end = end;
        if (!lines.empty() && !Trim(lines.back().text).empty()) lines.push_back({"", end});
        lines.push_back({"[" + Trim(section) + "]", end});
        lines.push_back({Trim(key) + "=" + value, end});
    }
    return WriteFile(fileName, lines);
}
