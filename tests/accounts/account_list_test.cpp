#include "accounts/account_list.h"
#include "platform/exception.h"
#include "tests/support/message_recorder.h"

#include <gtest/gtest.h>

namespace {
class AccountListTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(list.Add("Home", "pop.home", "me", "pw", true));
        ASSERT_TRUE(list.Add("Office", "192.0.2.10", "user1", "", false));
        ASSERT_TRUE(list.Add("Spare", "pop.spare", "x", "", false));
    }
    MessageRecorder messages;
    TAccounts list;
};

TEST_F(AccountListTest, AddAppendsWithInitialValuesAndNeverSelects) {
    ASSERT_EQ(list.Count(), 3);
    const TAccount& home = list.At(0);
    EXPECT_EQ(home.Name, "Home");
    EXPECT_EQ(home.Server, "pop.home");
    EXPECT_EQ(home.User, "me");
    EXPECT_EQ(home.Password, "pw");
    EXPECT_TRUE(home.SavePassword);
    EXPECT_FALSE(home.PasswordGiven);
    EXPECT_EQ(home.Timeout, 90);
    EXPECT_EQ(home.LastRefresh, "(none)");
    EXPECT_EQ(list.At(2).Name, "Spare");
    EXPECT_EQ(list.Current(), nullptr);
    EXPECT_EQ(list.CurrentIndex(), -1);
    EXPECT_FALSE(list.Modified);
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(AccountListTest, AddRefusesANameInAnyLetterCase) {
    EXPECT_FALSE(list.Add("HOME", "other", "u", "", false));
    EXPECT_EQ(list.Count(), 3);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "An account with that name already exists");
}

TEST_F(AccountListTest, IndexOfIsExactAndExistsIgnoresCase) {
    EXPECT_EQ(list.IndexOf("Office"), 1);
    EXPECT_EQ(list.IndexOf("office"), -1);
    EXPECT_EQ(list.IndexOf(""), -1);
    EXPECT_TRUE(list.Exists("hOmE"));
    EXPECT_TRUE(list.Exists("Spare"));
    EXPECT_FALSE(list.Exists("Hom"));
    EXPECT_FALSE(list.Exists("H\xC3\x96ME")) << "only ASCII letters fold";
    TAccounts upper;
    ASSERT_TRUE(upper.Add("HOME", "", "", "", false));
    EXPECT_EQ(upper.IndexOf("Home"), -1);
    EXPECT_TRUE(upper.Exists("Home"));
}

TEST_F(AccountListTest, SelectByPositionOrNameElseNothingChanges) {
    EXPECT_TRUE(list.Select(1, ""));
    EXPECT_EQ(list.Current(), &list.At(1));
    EXPECT_EQ(list.CurrentIndex(), 1);
    EXPECT_TRUE(list.Select(-1, "Spare"));
    EXPECT_EQ(list.CurrentIndex(), 2);
    EXPECT_EQ(list.Current()->Name, "Spare");
    EXPECT_FALSE(list.Select(-1, ""));
    EXPECT_FALSE(list.Select(-1, "spare"));
    EXPECT_FALSE(list.Select(3, "")) << "out of range is refused, not a crash";
    EXPECT_FALSE(list.Select(-2, "Home"));
    EXPECT_EQ(list.CurrentIndex(), 2);
    EXPECT_EQ(list.Current(), &list.At(2));
}

TEST_F(AccountListTest, DeleteByPositionOrNameSetsModified) {
    ASSERT_TRUE(list.Select(2, ""));
    TAccount* spare = list.Current();
    EXPECT_FALSE(list.Delete(-1, ""));
    EXPECT_FALSE(list.Delete(-1, "office"));
    EXPECT_FALSE(list.Delete(5, ""));
    EXPECT_FALSE(list.Modified);
    EXPECT_EQ(list.Count(), 3);

    EXPECT_TRUE(list.Delete(-1, "Office"));
    EXPECT_TRUE(list.Modified);
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.At(1).Name, "Spare");
    // Current and CurrentIndex stay as they were; the caller re-selects.
    EXPECT_EQ(list.Current(), spare);
    EXPECT_EQ(list.CurrentIndex(), 2);
    EXPECT_TRUE(list.Delete(0, "ignored when a position is given"));
    EXPECT_EQ(list.At(0).Name, "Spare");
}

TEST_F(AccountListTest, DeletingTheCurrentAccountLeavesNoDanglingCurrent) {
    ASSERT_TRUE(list.Select(0, ""));
    ASSERT_TRUE(list.Delete(0, ""));
    EXPECT_EQ(list.Current(), nullptr);
    EXPECT_EQ(list.CurrentIndex(), 0);
    EXPECT_TRUE(list.Select(list.CurrentIndex(), ""));
    EXPECT_EQ(list.Current()->Name, "Office");
}

TEST_F(AccountListTest, DeletingTheLastAccountClearsCurrent) {
    ASSERT_TRUE(list.Select(1, ""));
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(list.Delete(0, ""));
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Current(), nullptr);
    EXPECT_EQ(list.CurrentIndex(), -1);
    EXPECT_TRUE(list.Modified);
}

TEST_F(AccountListTest, AtOutOfRangeThrows) {
    EXPECT_THROW(list.At(3), Exception);
    EXPECT_THROW(list.At(-1), Exception);
    EXPECT_NO_THROW(list.At(2));
}
} // namespace
