#pragma once
#include "pop3/header_lines.h"

#include <cstdint>
#include <string>
#include <vector>

// The user's rules for marking mail, tried on each message's header and size after a check.
// No rule deletes anything: a rule only marks, and the user confirms the deletion of marked mail.

enum class TRuleField { Sender, Subject, AnyHeader, Size };
enum class TRuleTest { Contains, Matches, Above }; // text without regard to case, regex, bytes
enum class TRuleAction {
    None,      // no rule applies
    Delete,    // marked for deletion
    Highlight, // shown marked out
    Ignore     // neither counted as new nor announced
};

struct TMailRule {
    std::string Account; // the account's name; empty: every account
    TRuleField Field = TRuleField::Subject;
    TRuleTest Test = TRuleTest::Contains;
    std::string Value; // UTF-8 text or pattern, or the size in bytes
    TRuleAction Action = TRuleAction::Highlight;
};

// The ordered rules and the two lists of addresses ("user@example.com") and domains
// ("example.com" or "@example.com", which also covers its subdomains), for every account.
struct TMailRules {
    std::vector<TMailRule> Rules;
    std::vector<std::string> Allowed;
    std::vector<std::string> Blocked;
};

struct TVerdict {
    enum class TReason { None, Allowed, Blocked, Rule };
    TRuleAction Action = TRuleAction::None;
    TReason Reason = TReason::None;
    int Rule = -1; // index of the rule that decided
};

// The first that applies of: the allow list (the sender is left alone, no rule applies), the
// block list (marked for deletion), the rules in order for this account. A rule that cannot
// work (an empty value, a pattern that does not compile, a size that is no number) never applies.
TVerdict Judge(const TMailRules& rules, const std::string& account,
               const std::vector<std::string>& header, int64_t bytes);
// The same for a header as the account keeps it, read only where a list or rule could apply.
TVerdict Judge(const TMailRules& rules, const std::string& account, const THeaderLines& header,
               int64_t bytes);

// Whether the rule can ever apply; the editor tells the user about one that cannot.
bool RuleWorks(const TMailRule& rule);

// Whether an address is the listed address or in the listed domain (no regard to case).
bool ListedAddress(const std::string& entry, const std::string& address);
