#include "mail/header_date.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

TEST(HeaderDate, TheFirstDateLineInAnyCaseWithItsBlank) {
    const struct {
        std::vector<std::string> header;
        const char* date;
    } cases[] = {
        {{"Delivery-Date: x", "date: Mon", "Date: Tue"}, " Mon"},
        {{"DATE:Thu"}, "Thu"},
        {{"Subject: a", "Dat", ""}, ""},
        {{"Date:"}, ""},
        {{" Date: folded", "X-Date: no"}, ""},
        {{}, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HeaderDate(THeaderLines(c.header)), c.date)
            << (c.header.empty() ? "" : c.header.front());
}

TEST(SizeInKB, WholeKilobytesWithHalvesUp) {
    const struct {
        int32_t bytes;
        const char* kb;
    } cases[] = {{0, "0"},    {511, "0"},  {512, "1"},
                 {1535, "1"}, {1536, "2"}, {2147483647, "2097152"}};
    for (const auto& c : cases)
        EXPECT_EQ(SizeInKB(c.bytes), c.kb) << c.bytes;
}

TEST(CellText, TheRowSeparatorBecomesABlank) {
    EXPECT_EQ(CellText("a\x01"
                       "b\x01"),
              "a b ");
    EXPECT_EQ(CellText("plain"), "plain");
}

} // namespace
