#include "rules/rules_file.h"

#include "files/whole_file.h"

#include <QDir>
#include <QFile>
#include <array>
#include <optional>

namespace {

constexpr qint64 MaxFileBytes = 1 << 20;

constexpr std::array<const char*, 4> FieldNames = {"sender", "subject", "header", "size"};
constexpr std::array<const char*, 3> TestNames = {"contains", "matches", "above"};
constexpr std::array<const char*, 4> ActionNames = {"", "delete", "highlight", "ignore"};

template <class T, size_t N>
std::optional<T> Named(const std::array<const char*, N>& names, const std::string& word) {
    for (size_t i = 0; i < N; ++i)
        if (*names[i] && word == names[i]) return static_cast<T>(i);
    return std::nullopt;
}

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out.push_back(c);
        }
    }
    return out;
}

std::vector<std::string> Fields(std::string_view line) {
    std::vector<std::string> fields(1);
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '\t') {
            fields.emplace_back();
        } else if (c == '\\' && i + 1 < line.size()) {
            const char next = line[++i];
            fields.back().push_back(next == 't'   ? '\t'
                                    : next == 'r' ? '\r'
                                    : next == 'n' ? '\n'
                                                  : next);
        } else {
            fields.back().push_back(c);
        }
    }
    return fields;
}

std::optional<TMailRule> RuleOf(const std::vector<std::string>& fields) {
    if (fields.size() != 6) return std::nullopt;
    const auto field = Named<TRuleField>(FieldNames, fields[2]);
    const auto test = Named<TRuleTest>(TestNames, fields[3]);
    const auto action = Named<TRuleAction>(ActionNames, fields[5]);
    if (!field || !test || !action) return std::nullopt;
    return TMailRule{fields[1], *field, *test, fields[4], *action};
}

} // namespace

std::string RulesText(const TMailRules& rules) {
    std::string text =
        "# Vellion mail rules: fields apart by tabs, the first rule that applies decides\n";
    for (const TMailRule& rule : rules.Rules)
        text += "rule\t" + Escaped(rule.Account) + '\t' +
                FieldNames[static_cast<size_t>(rule.Field)] + '\t' +
                TestNames[static_cast<size_t>(rule.Test)] + '\t' + Escaped(rule.Value) + '\t' +
                ActionNames[static_cast<size_t>(rule.Action)] + '\n';
    for (const std::string& entry : rules.Allowed)
        text += "allow\t" + Escaped(entry) + '\n';
    for (const std::string& entry : rules.Blocked)
        text += "block\t" + Escaped(entry) + '\n';
    return text;
}

TMailRules ParseRulesText(std::string_view text, int* skipped) {
    TMailRules rules;
    int bad = 0;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.empty() || line[0] == '#') continue;
        const std::vector<std::string> fields = Fields(line);
        if (fields[0] == "rule") {
            if (auto rule = RuleOf(fields)) {
                rules.Rules.push_back(std::move(*rule));
                continue;
            }
        } else if ((fields[0] == "allow" || fields[0] == "block") && fields.size() == 2 &&
                   !fields[1].empty()) {
            (fields[0] == "allow" ? rules.Allowed : rules.Blocked).push_back(fields[1]);
            continue;
        }
        ++bad;
    }
    if (skipped) *skipped = bad;
    return rules;
}

std::string RulesFilePath() {
    return QDir::current().filePath("mail.rules").toStdString();
}

bool LoadRules(TMailRules& rules, const std::string& path, int* skipped) {
    rules = {};
    if (skipped) *skipped = 0;
    QFile file(QString::fromStdString(path));
    if (!file.exists()) return true;
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray data = file.read(MaxFileBytes);
    rules = ParseRulesText(std::string_view(data.constData(), static_cast<size_t>(data.size())),
                           skipped);
    return true;
}

bool SaveRules(const TMailRules& rules, const std::string& path) {
    return SaveWholeFile(QString::fromStdString(path), RulesText(rules),
                         QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}
