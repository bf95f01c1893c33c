#include "rules/mail_rules.h"

#include "mime/header_fields.h"
#include "mime/header_text.h"
#include "mime/shown_header.h"

#include <QRegularExpression>
#include <QString>
#include <algorithm>
#include <charconv>
#include <optional>

namespace {

QString Text(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::optional<int64_t> SizeOf(const std::string& value) {
    int64_t size = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), size);
    if (error != std::errc() || end != value.data() + value.size() || size < 0) return std::nullopt;
    return size;
}

QRegularExpression Pattern(const std::string& value) {
    return QRegularExpression(Text(value), QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::UseUnicodePropertiesOption);
}

// What a rule looks at of one message, made once for all rules; the decoded fields only for a
// rule that reads them.
struct TFacts {
    std::string Sender;  // "Name <address>, ..."
    std::string Address; // of the first sender
    std::string Subject; // decoded
    const std::vector<std::string>& Header;
    int64_t Bytes = 0;
    std::optional<std::vector<std::string>> Fields; // "Name: value", decoded

    const std::vector<std::string>& AllFields() {
        if (!Fields) {
            Fields.emplace();
            for (const THeaderField& field : HeaderFields(Header))
                Fields->push_back(field.Name + ": " + OneLine(DecodeHeaderText(field.Value)));
        }
        return *Fields;
    }
};

TFacts FactsOf(const std::vector<std::string>& header, int64_t bytes) {
    const TShownHeader shown = ShownHeader(header);
    return {shown.From.Tooltip, shown.From.Address, shown.Subject, header, bytes, std::nullopt};
}

bool TextMatches(const TMailRule& rule, const std::string& text) {
    if (rule.Test == TRuleTest::Contains)
        return Text(text).contains(Text(rule.Value), Qt::CaseInsensitive);
    return Pattern(rule.Value).match(Text(text)).hasMatch();
}

bool Applies(const TMailRule& rule, TFacts& facts) {
    switch (rule.Field) {
    case TRuleField::Sender:
        return TextMatches(rule, facts.Sender);
    case TRuleField::Subject:
        return TextMatches(rule, facts.Subject);
    case TRuleField::AnyHeader:
        for (const std::string& field : facts.AllFields())
            if (TextMatches(rule, field)) return true;
        return false;
    case TRuleField::Size:
        return facts.Bytes > SizeOf(rule.Value).value_or(INT64_MAX);
    }
    return false;
}

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return text;
}

bool Listed(const std::vector<std::string>& list, const std::string& address) {
    for (const std::string& entry : list)
        if (ListedAddress(entry, address)) return true;
    return false;
}

} // namespace

bool RuleWorks(const TMailRule& rule) {
    if (rule.Field == TRuleField::Size)
        return rule.Test == TRuleTest::Above && SizeOf(rule.Value).has_value();
    if (rule.Value.empty() || rule.Test == TRuleTest::Above) return false;
    return rule.Test == TRuleTest::Contains || Pattern(rule.Value).isValid();
}

bool ListedAddress(const std::string& entry, const std::string& address) {
    if (entry.empty() || address.empty()) return false;
    const std::string wanted = Lower(entry);
    const std::string given = Lower(address);
    const size_t at = wanted.find('@');
    if (at != std::string::npos && at > 0) return wanted == given; // one address
    const std::string domain = at == std::string::npos ? wanted : wanted.substr(1);
    const size_t own = given.rfind('@');
    if (own == std::string::npos || domain.empty()) return false;
    const std::string host = given.substr(own + 1);
    return host == domain ||
           (host.size() > domain.size() &&
            host.compare(host.size() - domain.size(), domain.size(), domain) == 0 &&
            host[host.size() - domain.size() - 1] == '.');
}

namespace {
// Where no list and no rule could say anything, the header need not be read.
bool NothingApplies(const TMailRules& rules, const std::string& account) {
    const bool any =
        std::any_of(rules.Rules.begin(), rules.Rules.end(), [&](const TMailRule& rule) {
            return rule.Account.empty() || rule.Account == account;
        });
    return !any && rules.Allowed.empty() && rules.Blocked.empty();
}
} // namespace

TVerdict Judge(const TMailRules& rules, const std::string& account, const THeaderLines& header,
               int64_t bytes) {
    if (NothingApplies(rules, account)) return {};
    return Judge(rules, account, header.Lines(), bytes);
}

TVerdict Judge(const TMailRules& rules, const std::string& account,
               const std::vector<std::string>& header, int64_t bytes) {
    if (NothingApplies(rules, account)) return {};
    TFacts facts = FactsOf(header, bytes);
    if (Listed(rules.Allowed, facts.Address))
        return {TRuleAction::None, TVerdict::TReason::Allowed};
    if (Listed(rules.Blocked, facts.Address))
        return {TRuleAction::Delete, TVerdict::TReason::Blocked};
    for (size_t i = 0; i < rules.Rules.size(); ++i) {
        const TMailRule& rule = rules.Rules[i];
        if (!rule.Account.empty() && rule.Account != account) continue;
        if (!RuleWorks(rule) || !Applies(rule, facts)) continue;
        return {rule.Action, TVerdict::TReason::Rule, static_cast<int>(i)};
    }
    return {};
}
