#include "accounts/new_mail.h"

#include <gtest/gtest.h>

namespace {
using Ids = std::vector<std::string>;

TEST(NewMail, IdentityIsTheUidlOrADigestOfTheHeader) {
    const THeaderLines header{"From: a@example.com", "Subject: Hi", "", "."};
    EXPECT_EQ(MessageIdentity("0000abcd", header), "uidl:0000abcd");
    // SHA-256 of "From: a@example.com\nSubject: Hi\n\n.\n".
    EXPECT_EQ(MessageIdentity("", header),
              "sha256:2ce95c86179d1f66649f1c14d12a17d16d3b2abea6aa14316e7c0e15356635c2");
}

TEST(NewMail, AnotherHeaderGivesAnotherDigest) {
    const THeaderLines a{"Subject: Hi"}, b{"Subject: Hi", ""}, c{"Subject: Ho"};
    EXPECT_NE(MessageIdentity("", a), MessageIdentity("", b));
    EXPECT_NE(MessageIdentity("", a), MessageIdentity("", c));
    EXPECT_EQ(MessageIdentities({"u1", ""}, {a, c}), (Ids{"uidl:u1", MessageIdentity("", c)}));
}

// One row per check of one account: the identifiers the server listed, whether the user viewed
// the account before that check, what arrived and what is new after it.
struct Step {
    Ids ids;
    bool viewedBefore;
    std::vector<int> arrived;
    std::vector<bool> flags;
};

TEST(NewMail, ChecksInARow) {
    const std::vector<Step> steps = {
        {{"a", "b"}, false, {}, {false, false}},             // the first check is the baseline
        {{"a", "b", "c"}, false, {3}, {false, false, true}}, // delivered between two checks
        {{"a", "c", "d"}, false, {3}, {false, true, true}},  // b deleted; c stays new, unviewed
        {{"c", "d"}, true, {}, {false, false}},              // viewed: nothing new any more
        {{"d", "e", "c"}, false, {2}, {false, true, false}}, // order does not matter
        {{"d", "c"}, false, {}, {false, false}},             // a deleted message is not new
        {{"d", "c", "e"}, false, {3}, {false, false, true}}, // back again: not seen last time
    };
    TNewMailState state;
    for (size_t i = 0; i < steps.size(); ++i) {
        SCOPED_TRACE("check " + std::to_string(i + 1));
        if (steps[i].viewedBefore) MarkViewed(state);
        EXPECT_EQ(RecordCheck(state, steps[i].ids), steps[i].arrived);
        EXPECT_EQ(NewFlags(state, steps[i].ids), steps[i].flags);
        EXPECT_EQ(NewCount(state), std::count(steps[i].flags.begin(), steps[i].flags.end(), true));
    }
}
} // namespace
