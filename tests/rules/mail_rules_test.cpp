// Which messages the user's rules mark, and the rules' file.
#include "rules/rules_file.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace std::string_literals;
using TAction = TRuleAction;
using TReason = TVerdict::TReason;

TMailRule Rule(TRuleField field, TRuleTest test, std::string value, TAction action,
               std::string account = {}) {
    return {std::move(account), field, test, std::move(value), action};
}

const TMailRules Rules = {
    {
        Rule(TRuleField::Subject, TRuleTest::Contains, "", TAction::Delete),       // 0 never
        Rule(TRuleField::Subject, TRuleTest::Matches, "([", TAction::Delete),      // 1 never
        Rule(TRuleField::Size, TRuleTest::Above, "lots", TAction::Delete),         // 2 never
        Rule(TRuleField::Subject, TRuleTest::Contains, "WINNER", TAction::Delete), // 3
        Rule(TRuleField::Sender, TRuleTest::Matches, "^Boss\\b", TAction::Highlight, "Work"),
        Rule(TRuleField::AnyHeader, TRuleTest::Matches, "^list-id: .*announce",
             TAction::Ignore),                                                       // 5
        Rule(TRuleField::Subject, TRuleTest::Contains, "grüße", TAction::Highlight), // 6
        Rule(TRuleField::Size, TRuleTest::Above, "1000000", TAction::Highlight),     // 7
    },
    {"friend@example.com", "trusted.example"},
    {"@spam.example", "pest@example.net", "friend@example.com"},
};

TEST(Judge, FirstThatAppliesOfListsAndRules) {
    struct TCase {
        std::string account;
        std::vector<std::string> header;
        int64_t bytes;
        TVerdict verdict;
    };
    const TCase cases[] = {
        // The allow list wins over the block list and every rule.
        {"Home",
         {"From: Friend <FRIEND@example.com>", "Subject: winner"},
         5,
         {TAction::None, TReason::Allowed}},
        {"Home",
         {"From: x@mail.trusted.example", "Subject: winner"},
         5,
         {TAction::None, TReason::Allowed}},
        // Blocked addresses and domains, subdomains too, but not a domain that only ends alike.
        {"Home", {"From: a@spam.example"}, 5, {TAction::Delete, TReason::Blocked}},
        {"Home", {"From: a@eu.spam.example"}, 5, {TAction::Delete, TReason::Blocked}},
        {"Home", {"From: \"Pest\" <pest@example.net>"}, 5, {TAction::Delete, TReason::Blocked}},
        {"Home", {"From: a@notspam.example"}, 5, {}},
        // Broken rules never apply; contains ignores case; the first rule decides.
        {"Home",
         {"From: a@x.org", "Subject: You are a Winner! Grüße"},
         2000000,
         {TAction::Delete, TReason::Rule, 3}},
        // A rule for one account only; the sender's display name decoded.
        {"Work",
         {"From: =?UTF-8?Q?Boss_M=C3=BCller?= <b@x.org>"},
         5,
         {TAction::Highlight, TReason::Rule, 4}},
        {"Home", {"From: =?UTF-8?Q?Boss_M=C3=BCller?= <b@x.org>"}, 5, {}},
        // Any header, by a pattern; the subject decoded before it is compared.
        {"Home",
         {"From: a@x.org", "LIST-ID: Announce <announce.x.org>"},
         5,
         {TAction::Ignore, TReason::Rule, 5}},
        {"Home",
         {"From: a@x.org", "Subject: =?UTF-8?Q?GR=C3=9CSSE?= und Grüße"},
         5,
         {TAction::Highlight, TReason::Rule, 6}},
        // Size above, strictly.
        {"Home", {"From: a@x.org"}, 1000001, {TAction::Highlight, TReason::Rule, 7}},
        {"Home", {"From: a@x.org"}, 1000000, {}},
    };
    for (const TCase& c : cases) {
        const TVerdict verdict = Judge(Rules, c.account, c.header, c.bytes);
        const std::string what = c.account + " " + c.header[0];
        EXPECT_EQ(verdict.Action, c.verdict.Action) << what;
        EXPECT_EQ(verdict.Reason, c.verdict.Reason) << what;
        EXPECT_EQ(verdict.Rule, c.verdict.Rule) << what;
    }
}

TEST(RulesFile, SavedOwnerOnlyAndReadBackSkippingDamagedLines) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string path = dir.filePath("mail.rules").toStdString();
    TMailRules read;
    EXPECT_TRUE(LoadRules(read, path)); // no file: no rules
    EXPECT_TRUE(read.Rules.empty());

    TMailRules rules = Rules;
    rules.Rules.push_back(Rule(TRuleField::Subject, TRuleTest::Contains, "tab\there\\ and\r\nend",
                               TAction::Delete, "Account\tname"));
    ASSERT_TRUE(SaveRules(rules, path));
    EXPECT_EQ(QFile::permissions(QString::fromStdString(path)),
              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                  QFileDevice::WriteUser);
    int skipped = -1;
    ASSERT_TRUE(LoadRules(read, path, &skipped));
    EXPECT_EQ(skipped, 0);
    EXPECT_EQ(RulesText(read), RulesText(rules));

    // Damage: unknown words, missing fields, binary garbage, a cut last line.
    const std::string damaged = "rule\t\tsubject\tcontains\tkept\tdelete\r\n"
                                "rule\t\tsubject\tresembles\tx\tdelete\n"
                                "rule\t\tsize\tabove\n"
                                "allow\n"
                                "\x01\xff\x00garbage\n"
                                "block\tpest@example.net\n"
                                "rule\t\tsubject\tcontains\tcut"s;
    read = ParseRulesText(damaged, &skipped);
    EXPECT_EQ(skipped, 5);
    ASSERT_EQ(read.Rules.size(), 1u);
    EXPECT_EQ(read.Rules[0].Value, "kept");
    EXPECT_EQ(read.Blocked, std::vector<std::string>{"pest@example.net"});

    // A folder where the file should be cannot be read, and is not replaced.
    const std::string folder = dir.filePath("folder").toStdString();
    ASSERT_TRUE(QDir().mkdir(QString::fromStdString(folder)));
    EXPECT_FALSE(LoadRules(read, folder));
    EXPECT_FALSE(SaveRules(rules, folder));
}

} // namespace
