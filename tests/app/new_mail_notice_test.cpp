// The words of the new-mail notice and the periodic check's interval, as functions.
#include "app/desktop_settings.h"
#include "desktop/new_mail_notice.h"

#include <gtest/gtest.h>

namespace {
TEST(NewMailNotice, SenderAndSubjectAreDecoded) {
    const struct {
        std::vector<std::string> header;
        std::string sender, subject;
    } cases[] = {
        {{"From: Alice Tester <alice@example.com>", "Subject: Hello"}, "Alice Tester", "Hello"},
        {{"From: \"Doe, John\" <j@example.com>", "Subject: a"}, "Doe, John", "a"},
        {{"From: bob@example.com", "Subject: =?UTF-8?B?R3LDvMOfZQ==?="},
         "bob@example.com",
         "Grüße"},
        {{"From: =?ISO-8859-1?Q?J=F6rg?= <j@example.com>", "Subject: folded", "\tline"},
         "Jörg",
         "folded line"},
        {{"Subject: no sender"}, "", "no sender"},
        {{"From: <only@example.com>"}, "<only@example.com>", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.header[0]);
        const TArrival arrival = ArrivalOf(c.header);
        EXPECT_EQ(arrival.Sender, c.sender);
        EXPECT_EQ(arrival.Subject, c.subject);
    }
}

TEST(NewMailNotice, TitleBodyAndWindowTitle) {
    EXPECT_EQ(NoticeTitle(1), "1 new message");
    EXPECT_EQ(NoticeTitle(5), "5 new messages");
    const std::vector<TArrival> five = {{"Ann", "One", "Work"},
                                        {"", "Two", "Home"},
                                        {"Cy", "", "Work"},
                                        {"D", "4", "Club"},
                                        {"E", "5", "Home"}};
    EXPECT_EQ(NoticeBody({five.begin(), five.begin() + 1}), "Ann: One");
    EXPECT_EQ(NoticeBody(five), "Ann: One\n(no sender): Two\nCy: (no subject)\nand 2 more");
    EXPECT_EQ(ArrivalAccounts(five), (std::vector<std::string>{"Work", "Home", "Club"}));
    EXPECT_EQ(TitleWithCount("Vellion", 0), "Vellion");
    EXPECT_EQ(TitleWithCount("Vellion", 3), "Vellion (3 new)");
}

TEST(DesktopSettings, CheckMinutes) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},
        {"0", 0},
        {"-5", 0},
        {"x", 0},
        {"1", MinCheckMinutes},
        {"2", 2},
        {"15", 15},
        {"1440", 1440},
        {"99999", MaxCheckMinutes},
    };
    for (const auto& [text, minutes] : cases)
        EXPECT_EQ(CheckMinutesFrom(text), minutes) << "\"" << text << "\"";
}
} // namespace
