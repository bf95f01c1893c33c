// What the table and the header viewer show of a header, against header lines of the kind
// real mail carries; the stored fields are tested with the summary and stay as they were.
#include "mime/shown_header.h"

#include <gtest/gtest.h>

namespace {

struct TCase {
    std::vector<std::string> lines;
    // Sender shown | its address | tooltip | subject | message identifier | date text
    const char* shown;
};

// What the table shows of a header, in the order of the expected texts; "+" marks a readable date.
std::string Shown(const std::vector<std::string>& lines) {
    const TShownHeader shown = ShownHeader(lines);
    return shown.From.Shown + " | " + shown.From.Address + " | " + shown.From.Tooltip + " | " +
           shown.Subject + " | " + shown.MessageId + " | " + shown.DateText +
           (shown.Moment ? "+" : "");
}

TEST(ShownHeader, RealWorldHeaders) {
    const TCase cases[] = {
        // Field names in any case, the first field of a name counts.
        {{"from: Alice Tester <alice@example.com>", "SUBJECT: Hello", "Message-Id: <a.1@x>",
          "date: Mon, 1 Jan 2024 09:00:00 +0000", "From: Second <second@example.com>"},
         "Alice Tester | alice@example.com | Alice Tester <alice@example.com> | Hello | <a.1@x> | "
         "Mon, 1 Jan 2024 09:00:00 +0000+"},
        // Folded values, with line ends kept or removed.
        {{"From: \"Tester, Alice\"\r\n", "\t<alice@example.com>\r\n", "Subject: A folded",
          " subject", "Message-ID:", " <folded.4@example.com>", "Date: Mon, 1 Jan 2024",
          "\t09:00:00 +0000", "", "."},
         "Tester, Alice | alice@example.com | Tester, Alice <alice@example.com> | A folded subject "
         "| <folded.4@example.com> | Mon, 1 Jan 2024 09:00:00 +0000+"},
        // Quoted and escaped names, comments in the name and around the identifier.
        {{"From: \"Grace \\\"GR\\\" Example\" <grace@example.org>",
          "Message-ID: (made here) <id.5@example.org> (trailing)"},
         "Grace \"GR\" Example | grace@example.org | Grace \"GR\" Example <grace@example.org> |  | "
         "<id.5@example.org> | "},
        {{"From: Alice (the boss) Tester <alice@example.com> (work)"},
         "Alice Tester | alice@example.com | Alice Tester <alice@example.com> |  |  | "},
        // The old form: a bare address named by its comment; bare addresses alone.
        {{"From: alice@example.com (Alice Tester)"},
         "Alice Tester | alice@example.com | Alice Tester <alice@example.com> |  |  | "},
        {{"From:nospace@example.com"},
         "nospace@example.com | nospace@example.com | nospace@example.com |  |  | "},
        {{"From: <only@example.com>"},
         "only@example.com | only@example.com | only@example.com |  |  | "},
        {{"From: ann@example.com <ann@example.com>"},
         "ann@example.com | ann@example.com | ann@example.com <ann@example.com> |  |  | "},
        // Groups: named members shown, an empty group by its name.
        {{"From: Team: Ann <ann@example.com>, bob@example.com;"},
         "Ann, bob@example.com | ann@example.com | Ann <ann@example.com>, bob@example.com |  |  "
         "| "},
        {{"From: undisclosed-recipients:;"},
         "undisclosed-recipients |  | undisclosed-recipients |  |  | "},
        // Encoded words: in the name, inside quotes, adjacent ones joined; Latin-1 bytes.
        {{"From: =?UTF-8?Q?J=C3=BCrgen?= =?UTF-8?Q?_M=C3=BCller?= <jm@example.de>",
          "Subject: =?UTF-8?B?R3LDvMOfZSBhdXMgS8O2bG4=?= and =?ISO-8859-1?Q?caf=E9?="},
         "Jürgen Müller | jm@example.de | Jürgen Müller <jm@example.de> | Grüße aus Köln and café "
         "| "
         " | "},
        {{"From: \"=?ISO-8859-1?Q?In=EAs_Carvalho?=\" <ines@example.net>",
          "Subject: 8-bit Gr\xfc\xdf"
          "e"},
         "Inês Carvalho | ines@example.net | Inês Carvalho <ines@example.net> | 8-bit Grüße |  | "},
        // An obsolete route, a name without any address, no header at all.
        {{"From: Route <@relay.example:rt@example.com>"},
         "Route | rt@example.com | Route <rt@example.com> |  |  | "},
        {{"From: Just A Name"}, "Just A Name |  | Just A Name |  |  | "},
        {{}, " |  |  |  |  | "},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(Shown(c.lines), c.shown) << (c.lines.empty() ? "" : c.lines[0]);
}

TEST(ViewerLines, WantedFieldsFirstThenTheRestWithoutTheTerminator) {
    const std::vector<std::string> lines = {"Received: from a",
                                            "\tby b",
                                            "Message-ID: <1@x>",
                                            "date: Mon, 1 Jan 2024 09:00:00 +0000",
                                            "Subject: =?UTF-8?Q?Gr=C3=BC=C3=9Fe?=",
                                            "X-Empty:",
                                            "To: Bob <bob@example.com>",
                                            "From: Alice <alice@example.com>",
                                            "",
                                            "."};
    const std::vector<std::string> expected = {"From: Alice <alice@example.com>",
                                               "To: Bob <bob@example.com>",
                                               "Subject: Grüße",
                                               "date: Mon, 1 Jan 2024 09:00:00 +0000",
                                               "Received: from a by b",
                                               "Message-ID: <1@x>",
                                               "X-Empty:"};
    EXPECT_EQ(ViewerLines(lines), expected);
}

} // namespace
