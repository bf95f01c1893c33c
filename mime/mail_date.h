#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The moment a date header names, in seconds since 1970-01-01 00:00 UTC. Reads every RFC 5322
// form: with or without the day of the week, seconds optional, two- and three-digit years,
// the obsolete zone names and comments; nothing for a missing or unreadable date.
std::optional<int64_t> ParseMailDate(std::string_view text);

// The moment in local time as "yyyy-MM-dd HH:mm", a short form that sorts as text.
std::string LocalDateText(int64_t seconds);
