// The one reading of decimal integers that the accounts file, the settings file and the POP3
// replies share.
#include "platform/exception.h"
#include "platform/int_text.h"

#include <gtest/gtest.h>

TEST(StrToIntDef, DecimalWithLeadingSpacesOrTheFallback) {
    EXPECT_EQ(StrToIntDef("30", 90), 30);
    EXPECT_EQ(StrToIntDef("   30", 90), 30);
    EXPECT_EQ(StrToIntDef("-5", 90), -5);
    EXPECT_EQ(StrToIntDef("+7", 90), 7);
    EXPECT_EQ(StrToIntDef("0", 90), 0);
    EXPECT_EQ(StrToIntDef("2147483647", 90), 2147483647);
    EXPECT_EQ(StrToIntDef("-2147483648", 90), INT32_MIN);
    for (const char* bad : {"", "   ", "abc", "30 ", "3a", "-", "+", "+-1", "2147483648",
                            "-2147483649", "99999999999999999999", "\t30"})
        EXPECT_EQ(StrToIntDef(bad, 90), 90) << '"' << bad << '"';
}

TEST(StrToInt, FailureNamesTheText) {
    EXPECT_EQ(StrToInt(" -12"), -12);
    try {
        StrToInt("12 x");
        FAIL() << "no failure";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "'12 x' is not a valid integer value");
    }
    EXPECT_FALSE(TryStrToInt("").has_value());
}
