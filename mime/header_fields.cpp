#include "mime/header_fields.h"

namespace {
bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view WithoutLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
        line.remove_suffix(1);
    return line;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

// The name of a field line, blanks before the colon allowed as the obsolete syntax does; empty
// when the line is no field.
std::string_view NameOf(std::string_view line, size_t& colon) {
    colon = line.find(':');
    if (colon == std::string_view::npos || colon == 0) return {};
    std::string_view name = line.substr(0, colon);
    while (!name.empty() && IsBlank(name.back()))
        name.remove_suffix(1);
    for (const char c : name)
        if (c <= ' ' || c == 127) return {};
    return name;
}
} // namespace

bool SameFieldName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

namespace {
// Calls field(name, value) for each field line and fold(value) for each continuation of a
// field, up to the end of the header; returns the index of the first line after it.
template <typename TLines, typename TField, typename TFold>
size_t WalkFields(const TLines& lines, TField field, TFold fold) {
    bool inField = false; // a continuation belongs to the field before it, if any
    size_t i = 0;
    for (const auto& each : lines) {
        ++i;
        std::string_view line = WithoutLineEnd(each);
        if (line == ".") return i - 1;
        if (line.empty()) return i;
        if (line.size() >= 2 && line[0] == '.' && line[1] == '.') line.remove_prefix(1);
        if (IsBlank(line[0])) {
            if (inField) fold(line);
            continue;
        }
        size_t colon = 0;
        const std::string_view name = NameOf(line, colon);
        inField = !name.empty();
        if (inField) field(name, line.substr(colon + 1));
    }
    return i;
}

template <typename TLines>
std::vector<std::string> ValuesOf(const TLines& lines, const std::vector<std::string_view>& names) {
    std::vector<std::string> values(names.size());
    std::vector<bool> seen(names.size());
    std::string* current = nullptr; // the wanted field being read, if any
    WalkFields(
        lines,
        [&](std::string_view name, std::string_view value) {
            current = nullptr;
            for (size_t at = 0; at < names.size(); ++at)
                if (!seen[at] && SameFieldName(name, names[at])) {
                    seen[at] = true;
                    current = &values[at];
                    current->assign(value);
                    break;
                }
        },
        [&](std::string_view more) {
            if (current) current->append(more);
        });
    return values;
}
} // namespace

std::vector<THeaderField> HeaderFields(const std::vector<std::string>& lines, size_t* bodyStart) {
    std::vector<THeaderField> fields;
    const size_t end = WalkFields(
        lines,
        [&](std::string_view name, std::string_view value) {
            fields.push_back({std::string(name), std::string(value)});
        },
        [&](std::string_view more) { fields.back().Value += more; });
    if (bodyStart) *bodyStart = end;
    return fields;
}

std::vector<std::string> FieldValues(const std::vector<std::string>& lines,
                                     const std::vector<std::string_view>& names) {
    return ValuesOf(lines, names);
}

std::vector<std::string> FieldValues(const THeaderLines& lines,
                                     const std::vector<std::string_view>& names) {
    return ValuesOf(lines, names);
}

std::string FieldValue(const std::vector<THeaderField>& fields, std::string_view name) {
    for (const THeaderField& field : fields)
        if (SameFieldName(field.Name, name)) return field.Value;
    return {};
}
