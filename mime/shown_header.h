#pragma once
#include "mime/address.h"
#include "pop3/header_lines.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The fields of a message's header as a reader sees them, as UTF-8, from its kept header lines
// (field names in any case, folds unfolded, the first field of each name). What is stored and
// compared is not taken from here.
struct TShownHeader {
    TSenderText From;
    std::string Subject;           // decoded, on one line, no blanks at either end
    std::string DateText;          // the Date value as written, on one line
    std::optional<int64_t> Moment; // that date in seconds since 1970 UTC, when readable
    std::string MessageId;         // "<id>" without comments and blanks; the text without one
};

TShownHeader ShownHeader(const std::vector<std::string>& lines);

// The values the shown fields come from, unfolded and undecoded, found in one pass: what a
// table keeps so that it decodes a field only when it shows it.
struct THeaderValues {
    std::string From;
    std::string Subject;
    std::string Date;
    std::string MessageId;
};
THeaderValues ShownHeaderValues(const std::vector<std::string>& lines);
THeaderValues ShownHeaderValues(const THeaderLines& lines);
TShownHeader ShownHeader(const THeaderValues& values);
// Each field of TShownHeader from its value alone.
std::string ShownSubject(const std::string& value);
std::string ShownDateText(const std::string& value);
std::string ShownMessageId(const std::string& value);

// Decoded header text on one line: line ends and tabs read as blanks, none at either end.
std::string OneLine(const std::string& utf8);

// The header as the viewer shows it: From, To, Subject and Date first, then every other field
// in the order received, each field one "Name: value" line, unfolded and decoded; the empty
// line and the terminator that end a POP3 reply are not part of it.
std::vector<std::string> ViewerLines(const std::vector<std::string>& lines);
