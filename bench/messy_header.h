#pragma once
// Message headers in the shapes real mail takes, for the table's benchmarks: relays' Received
// lines, a folded signature, senders with quoted, escaped, encoded and 8-bit names or none,
// field names in any case, folded dates, subjects and identifiers, encoded words in several
// charsets. About 1.5 KB a header, as measured mailboxes hold, deterministic for a number.
#include "widgets/message_grid.h"

#include <string>
#include <vector>

namespace messy {

inline const char* const Months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                     "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

inline const char* const Senders[] = {
    "\"Lindqvist, Maya\" <maya.lindqvist@example.com>",
    "=?UTF-8?Q?J=C3=BCrgen_M=C3=BCller?= <jm@example.de>",
    "Ren\xe9 Dubois <rene@example.fr>",
    "orders@northwind-books.example",
    "carl@example.com (Carl Carlsson)",
    "\"Grace \\\"GR\\\" Example\" <grace@example.org>",
    "=?KOI8-R?B?88zV1sLBINDPxMTF0tbLyQ==?= <support@cloudnest.example>",
    "Priya Raman <priya@example.com>",
    "=?ISO-8859-1?Q?In=EAs_Carvalho?= <ines.carvalho@example.net>",
    "Garden Club <news@gardenclub.example>",
};

inline const char* const Subjects[] = {
    "Lunch on Thursday?",
    "=?UTF-8?B?UXVpY2sgcXVlc3Rpb24gYWJvdXQgdGhlIGJ1ZGdldCBzaGVldCDigJMgY29sdW1uIEY=?=",
    "Re: Fwd: Your order #%N has shipped",
    "Photos from the weekend on the Gr\xfcnten",
    "=?UTF-8?Q?Concert_tickets_=E2=99=AA_Saturday?= and =?ISO-8859-1?Q?caf=E9?=",
    "Spring newsletter: seeds, swaps and a walk",
    "Ticket %N: password reset done",
    "",
};

inline std::string Replace(std::string text, const std::string& number) {
    if (const size_t at = text.find("%N"); at != std::string::npos) text.replace(at, 2, number);
    return text;
}

// Header i (from 0): its lines as a server sends them, without line ends.
inline std::vector<std::string> Header(int i) {
    const std::string n = std::to_string(i * 7919 % 100003);
    const std::string day = std::to_string(1 + i % 28);
    const std::string date = std::string(i % 5 == 0 ? "Sun, " : "Mon, ") + day + " " +
                             Months[i % 12] + " " + std::to_string(2000 + i % 25) + " " +
                             std::to_string(10 + i % 13) + ":" + std::to_string(10 + i % 50) +
                             ":0" + std::to_string(i % 10) + (i % 3 ? " +0100" : " -0500");
    std::vector<std::string> lines;
    for (int hop = 0; hop < 2 + i % 3; ++hop) {
        lines.push_back("Received: from relay" + std::to_string(hop) + ".example.net (relay" +
                        std::to_string(hop) + ".example.net [192.0.2." + std::to_string(hop + 10) +
                        "])");
        lines.push_back("\tby mx.example.com (Postfix) with ESMTPS id 4T" + n + "X" +
                        std::to_string(hop) + "; " + date);
    }
    lines.push_back("Return-Path: <bounce-" + n + "@lists.example.com>");
    lines.push_back("DKIM-Signature: v=1; a=rsa-sha256; c=relaxed/relaxed; d=example.com;");
    lines.push_back("\ts=sel1; t=1700000000; h=from:to:subject:date:message-id;");
    for (int part = 0; part < 4; ++part)
        lines.push_back("\tb=" + std::string(68, static_cast<char>('A' + (i + part) % 26)));
    if (i % 7 == 3) {
        lines.push_back("date: " + date.substr(0, 11));
        lines.push_back(" " + date.substr(12));
    } else {
        lines.push_back("Date: " + date);
    }
    lines.push_back((i % 6 == 1 ? "from: " : "From: ") +
                    std::string(Senders[i % std::size(Senders)]));
    lines.push_back("To: Demo User <demo@example.com>, \"Team\" <team@example.com>");
    if (i % 4 == 0) lines.push_back("Cc: alice@example.com, bob@example.com");
    const std::string subject = Replace(Subjects[i % std::size(Subjects)], n);
    if (i % 9 == 4) {
        lines.push_back("Subject: Minutes of the project meeting " + n + ":");
        lines.push_back("\tdates, tests and the next steps");
    } else {
        lines.push_back((i % 11 == 2 ? "SUBJECT: " : "Subject: ") + subject);
    }
    const std::string id = "<" + n + "." + std::to_string(i) + "@mail.example.com>";
    if (i % 8 == 5) {
        lines.push_back("message-id:");
        lines.push_back(" " + id);
    } else {
        lines.push_back((i % 3 == 0 ? "Message-Id: " : "Message-ID: ") + id);
    }
    lines.push_back("MIME-Version: 1.0");
    lines.push_back("Content-Type: multipart/alternative; boundary=\"b1_" + n + "\"");
    lines.push_back("List-Unsubscribe: <mailto:leave-" + n + "@lists.example.com>,");
    lines.push_back(" <https://lists.example.com/unsubscribe/" + n + ">");
    lines.push_back("X-Mailer: Example Mailer 4.2");
    return lines;
}

// The first physical line's value of the field named `name` (any case), as the check keeps it.
inline std::string FirstValue(const std::vector<std::string>& lines, const std::string& name) {
    for (const std::string& line : lines) {
        if (line.size() <= name.size() || line[name.size()] != ':') continue;
        bool same = true;
        for (size_t k = 0; k < name.size() && same; ++k)
            same = std::tolower(static_cast<unsigned char>(line[k])) ==
                   std::tolower(static_cast<unsigned char>(name[k]));
        if (same) return line.substr(name.size() + 1);
    }
    return {};
}

// The cached row line of message i: date, sender, subject, size and identifier as stored.
inline std::string Row(const std::vector<std::string>& header, int i) {
    const char separator = TMessageGrid::Separator;
    return FirstValue(header, "Date") + separator + FirstValue(header, "From") + separator +
           FirstValue(header, "Subject") + separator + std::to_string(1 + i * 31 % 5000) +
           separator + FirstValue(header, "Message-ID") + "\r\n";
}

} // namespace messy
