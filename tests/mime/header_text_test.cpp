// What a reader sees of header text: encoded words, folds, 8-bit bytes and dates, against
// header lines of the kind real mail carries.
#include "mime/charset.h"
#include "mime/header_text.h"
#include "mime/mail_date.h"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

namespace {

struct TCase {
    const char* raw;
    const char* shown;
};

TEST(DecodeHeaderText, RealWorldLines) {
    const TCase cases[] = {
        {" Plain and short", " Plain and short"},
        // B and Q, several charsets, case of the encoding letter.
        {" =?UTF-8?B?R3LDvMOfZSBhdXMgS8O2bG4=?=", " Grüße aus Köln"},
        {" =?utf-8?q?J=C3=BCrgen_M=C3=BCller?= <jm@example.de>", " Jürgen Müller <jm@example.de>"},
        {" =?ISO-8859-1?Q?caf=E9?= cr=?iso-8859-15?q?=E8?=me", " café crème"},
        {" =?KOI8-R?B?8NLJ18XU?=", " Привет"},
        {" =?Shift_JIS?B?k/qWe4zq?=", " 日本語"},
        {" =?windows-1252?Q?=80_5?=", " € 5"},
        {" =?ISO-2022-JP?B?GyRCRnxLXDhsGyhC?=", " 日本語"},
        {" =?utf-8*en?Q?language_tag?=", " language tag"},
        // Adjacent words are joined, even a character split between two of them; blanks
        // between a word and plain text stay.
        {" =?UTF-8?Q?Gr=C3=BC?= =?UTF-8?Q?=C3=9Fe?=", " Grüße"},
        {" =?UTF-8?B?w6Q=?=\t=?UTF-8?B?w7Y=?= and =?UTF-8?B?w7w=?=", " äö and ü"},
        {" =?UTF-8?Q?=C3?= =?UTF-8?Q?=A4?=", " ä"},
        {" Re: =?UTF-8?Q?a?=b", " Re: ab"},
        // Folds are unfolded: the line end goes, the blank stays.
        {" A folded subject\r\n\tand its second line", " A folded subject\tand its second line"},
        {" =?UTF-8?Q?first?=\r\n =?UTF-8?Q?_second?=", " first second"},
        // 8-bit bytes: UTF-8 when valid, else Windows-1252, every byte kept.
        {" Gr\xc3\xbc\xc3\x9f"
         "e",
         " Grüße"},
        {" Ren\xe9 \x80 \x81", " René € \xc2\x81"},
        // Malformed words are shown as they came.
        {" =?UTF-8?B?not base64?=", " =?UTF-8?B?not base64?="},
        {" =?UTF-8?B?####?=", " =?UTF-8?B?####?="},
        {" =?UTF-8?Q?bad=ZZhex?=", " =?UTF-8?Q?bad=ZZhex?="},
        {" =?no-such-charset?Q?x?=", " =?no-such-charset?Q?x?="},
        {" =?UTF-8?X?unknown_encoding?=", " =?UTF-8?X?unknown_encoding?="},
        {" =?UTF-8?Q?never closed", " =?UTF-8?Q?never closed"},
        {" =??Q?no_charset?=", " =??Q?no_charset?="},
        // Missing base64 padding is forgiven; a mislabelled word falls back to 8-bit reading.
        {" =?UTF-8?B?w6Q?=", " ä"},
        {" =?UTF-8?Q?caf=E9?=", " café"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(DecodeHeaderText(c.raw), c.shown) << c.raw;
}

TEST(EightBitToUtf8, KeepsUtf8AndReadsTheRestAsWindows1252) {
    EXPECT_TRUE(IsUtf8("\xe2\x82\xac"));
    for (const char* bad : {"\xc0\xaf", "\xed\xa0\x80", "\xe2\x82", "\xf8\x88\x80\x80\x80", "\xff"})
        EXPECT_FALSE(IsUtf8(bad)) << bad;
    EXPECT_EQ(EightBitToUtf8("\x93quoted\x94 \xe9"), "\u201cquoted\u201d \u00e9");
    EXPECT_EQ(CharsetToUtf8("\xa4", "ISO-8859-15"), "€");
    EXPECT_FALSE(CharsetToUtf8("x", "no-such-charset"));
}

TEST(UnfoldedField, TheLastFieldWithItsContinuationLines) {
    const std::vector<std::string> header = {"Subject: first",
                                             "From: a@example.com",
                                             "Subject: A folded subject line",
                                             "\tand continues",
                                             " and ends",
                                             "subject: another case is another field",
                                             "",
                                             "."};
    EXPECT_EQ(UnfoldedField(header, "Subject:"), " A folded subject line\tand continues and ends");
    EXPECT_EQ(UnfoldedField(header, "From:"), " a@example.com");
    EXPECT_EQ(UnfoldedField(header, "Message-ID:"), "");
    EXPECT_EQ(WithoutLineEnd("<id@example.com>\r\n"), "<id@example.com>");
}

TEST(ShownHeaderLines, DecodedUnstuffedAndWithoutTheTerminator) {
    const std::vector<std::string> kept = {
        "Subject: =?UTF-8?Q?caf=C3=A9?=", "\t=?UTF-8?Q?cr=C3=A8me?=", "..X-Dotted: yes", "", "."};
    const std::vector<std::string> shown = {"Subject: café", "\tcrème", ".X-Dotted: yes"};
    EXPECT_EQ(ShownHeaderLines(kept), shown);
}

class MailDate : public testing::Test {
protected:
    void SetUp() override {
        const char* tz = std::getenv("TZ");
        saved = tz ? std::optional<std::string>(tz) : std::nullopt;
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
    }
    void TearDown() override {
        if (saved)
            setenv("TZ", saved->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    std::optional<std::string> saved;
};

TEST_F(MailDate, EveryFormShownInLocalTime) {
    const TCase cases[] = {
        {" Mon, 4 Mar 2024 08:12:40 +0100", "2024-03-04 08:12"},
        {"Mon, 04 Mar 2024 07:12:40 +0000", "2024-03-04 08:12"},
        {" 4 Mar 2024 07:12 +0000", "2024-03-04 08:12"}, // no weekday, no seconds
        {" Mon,4 Mar 2024 07:12:40 GMT", "2024-03-04 08:12"},
        {" Mon, 4 Mar 2024 02:12:40 EST", "2024-03-04 08:12"}, // obsolete zones
        {" Sun, 3 Mar 2024 23:12:40 PST", "2024-03-04 08:12"},
        {" 4 Mar 2024 07:12:40 Z", "2024-03-04 08:12"},
        {" 4 Mar 2024 07:12:40 UT", "2024-03-04 08:12"},
        {" 4 Mar 24 07:12:40 +0000", "2024-03-04 08:12"}, // two- and three-digit years
        {" 4 Mar 124 07:12:40 +0000", "2024-03-04 08:12"},
        {" 1 Jan 99 12:00:00 +0000", "1999-01-01 13:00"},
        {" Mon, 4 Mar 2024 07:12:40 +0000 (UTC)", "2024-03-04 08:12"}, // comment
        {" Mon, 4\r\n Mar 2024 07:12:40 +0000", "2024-03-04 08:12"},   // folded
        {" Mon, 4 Mar 2024 07:12:40", "2024-03-04 08:12"},             // no zone: UTC
        {" Wed, 10 Jul 2024 22:30:00 -0700", "2024-07-11 07:30"},      // summer time here
        {" Thu, 29 Feb 2024 23:59:60 +0000", "2024-03-01 00:59"},      // leap day and second
        {"", ""},                                                      // bad or missing
        {" yesterday", ""},
        {" 30 Feb 2024 10:00:00 +0000", ""},
        {" 4 Mar 2024 25:00:00 +0000", ""},
        {" 4 Foo 2024 10:00:00 +0000", ""},
        {" 4 Mar 2024 10:00:00 +01:00", ""},
        {" Mon Mar  4 08:12:40 2024", ""},
    };
    for (const TCase& c : cases) {
        const std::optional<int64_t> moment = ParseMailDate(c.raw);
        EXPECT_EQ(moment ? LocalDateText(*moment) : "", c.shown) << c.raw;
    }
    EXPECT_EQ(ParseMailDate(" 1 Jan 1970 00:00:00 +0000"), 0);
    EXPECT_LT(ParseMailDate(" 1 Jan 2024 10:00 +0000"), ParseMailDate(" 1 Jan 2024 10:01 +0000"));
}

} // namespace
