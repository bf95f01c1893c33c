// A message's header lines in one buffer give back exactly the lines put in.
#include "pop3/header_lines.h"

#include <gtest/gtest.h>
#include <stdexcept>

using Lines = std::vector<std::string>;

TEST(HeaderLines, GivesBackEveryLineAsPutIn) {
    const Lines cases[] = {{},
                           {""},
                           {"", ""},
                           {"Subject: Hi"},
                           {"Received: from a", "\tby b", "", "."},
                           {"Subject: ends with CR\r", " folded", "X: a\x01\xff"},
                           {"last line without an empty one"}};
    for (const Lines& lines : cases) {
        const THeaderLines header(lines);
        EXPECT_EQ(header.Lines(), lines);
        EXPECT_EQ(header.size(), lines.size());
        EXPECT_EQ(header.empty(), lines.empty());
        Lines walked;
        for (std::string_view line : header)
            walked.emplace_back(line);
        EXPECT_EQ(walked, lines);
        for (size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(header[i], lines[i]);
        EXPECT_THROW(header[lines.size()], std::out_of_range);
    }
}

TEST(HeaderLines, EqualExactlyWhenTheLinesAre) {
    EXPECT_EQ(THeaderLines({"a", "b"}), THeaderLines({"a", "b"}));
    EXPECT_NE(THeaderLines({"a", "b"}), THeaderLines({"ab"}));
    EXPECT_NE(THeaderLines({"a"}), THeaderLines({"a", ""}));
    EXPECT_NE(THeaderLines(), THeaderLines({""}));
    EXPECT_EQ(THeaderLines({"a", ""}).Bytes(), "a\n\n");
    THeaderLines header{"x"};
    header.Clear();
    EXPECT_EQ(header, THeaderLines());
    EXPECT_THROW(header.Add("two\nlines"), std::invalid_argument);
    EXPECT_TRUE(header.empty());
}
