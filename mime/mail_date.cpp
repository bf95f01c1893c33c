#include "mime/mail_date.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <ctime>
#include <vector>

namespace {

std::string Lower(std::string_view text) {
    std::string lower;
    for (const char c : text)
        lower.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    return lower;
}

// The words of the date: comments dropped, commas and blanks as separators, "hh:mm:ss" kept
// as one word.
std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::string word;
    int depth = 0;
    auto endWord = [&] {
        if (!word.empty()) words.push_back(word);
        word.clear();
    };
    for (const char c : text) {
        if (c == '(') {
            endWord();
            ++depth;
        } else if (c == ')') {
            if (depth > 0) --depth;
        } else if (depth > 0) {
            continue;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',') {
            endWord();
        } else {
            word.push_back(c);
        }
    }
    endWord();
    return words;
}

std::optional<int> Number(const std::string& text, size_t minDigits, size_t maxDigits) {
    if (text.size() < minDigits || text.size() > maxDigits) return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<int> Month(const std::string& word) {
    static const std::array<const char*, 12> names = {"jan", "feb", "mar", "apr", "may", "jun",
                                                      "jul", "aug", "sep", "oct", "nov", "dec"};
    const std::string lower = Lower(word);
    for (size_t i = 0; i < names.size(); ++i)
        if (lower.size() >= 3 && lower.compare(0, 3, names[i]) == 0) return static_cast<int>(i) + 1;
    return std::nullopt;
}

bool IsDayName(const std::string& word) {
    static const std::array<const char*, 7> names = {"mon", "tue", "wed", "thu",
                                                     "fri", "sat", "sun"};
    const std::string lower = Lower(word);
    for (const char* name : names)
        if (lower.size() >= 3 && lower.compare(0, 3, name) == 0) return true;
    return false;
}

// Minutes east of UTC. The obsolete military letters carry no trustworthy meaning and count
// as UTC, as RFC 5322 advises.
std::optional<int> ZoneMinutes(const std::string& word) {
    if ((word[0] == '+' || word[0] == '-') && word.size() == 5) {
        const std::optional<int> hhmm = Number(word.substr(1), 4, 4);
        if (!hhmm || *hhmm % 100 > 59) return std::nullopt;
        const int minutes = *hhmm / 100 * 60 + *hhmm % 100;
        return word[0] == '-' ? -minutes : minutes;
    }
    const std::string lower = Lower(word);
    struct TZone {
        const char* name;
        int hours;
    };
    static const std::array<TZone, 10> zones = {{{"ut", 0},
                                                 {"utc", 0},
                                                 {"gmt", 0},
                                                 {"z", 0},
                                                 {"est", -5},
                                                 {"edt", -4},
                                                 {"cst", -6},
                                                 {"cdt", -5},
                                                 {"mst", -7},
                                                 {"mdt", -6}}};
    for (const TZone& zone : zones)
        if (lower == zone.name) return zone.hours * 60;
    if (lower == "pst") return -8 * 60;
    if (lower == "pdt") return -7 * 60;
    if (lower.size() == 1 && std::isalpha(static_cast<unsigned char>(lower[0]))) return 0;
    return std::nullopt;
}

// Days since 1970-01-01 of a date in the proleptic Gregorian calendar.
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yoe = year - era * 400;
    const int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int DaysInMonth(int year, int month) {
    static const std::array<int, 12> days = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[static_cast<size_t>(month - 1)];
}

struct TTime {
    int hour = 0, minute = 0, second = 0;
};

std::optional<TTime> Time(const std::string& word) {
    std::vector<std::string> parts{""};
    for (const char c : word) {
        if (c == ':')
            parts.emplace_back();
        else
            parts.back().push_back(c);
    }
    if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
    TTime time;
    const auto hour = Number(parts[0], 1, 2);
    const auto minute = Number(parts[1], 2, 2);
    const auto second = parts.size() == 3 ? Number(parts[2], 2, 2) : std::optional<int>(0);
    if (!hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 60)
        return std::nullopt;
    return TTime{*hour, *minute, *second};
}

} // namespace

std::optional<int64_t> ParseMailDate(std::string_view text) {
    std::vector<std::string> words = Words(text);
    if (!words.empty() && IsDayName(words[0]) && !Month(words[0])) words.erase(words.begin());
    if (words.size() < 4) return std::nullopt;
    const std::optional<int> day = Number(words[0], 1, 2);
    const std::optional<int> month = Month(words[1]);
    std::optional<int> year = Number(words[2], 2, 4);
    const std::optional<TTime> time = Time(words[3]);
    if (!day || !month || !year || !time) return std::nullopt;
    if (words[2].size() == 2) *year += *year < 50 ? 2000 : 1900;
    if (words[2].size() == 3) *year += 1900;
    if (*day < 1 || *day > DaysInMonth(*year, *month)) return std::nullopt;
    // A missing zone is read as UTC, like "-0000": the date is still worth showing.
    int zone = 0;
    if (words.size() > 4) {
        const std::optional<int> minutes = ZoneMinutes(words[4]);
        if (!minutes) return std::nullopt;
        zone = *minutes;
    }
    const int64_t days = DaysFromCivil(*year, *month, *day);
    return days * 86400 + time->hour * 3600 + time->minute * 60 + std::min(time->second, 59) -
           zone * 60;
}

std::string LocalDateText(int64_t seconds) {
    const auto moment = static_cast<std::time_t>(seconds);
    std::tm local{};
    if (!localtime_r(&moment, &local)) return {};
    char text[32];
    const size_t length = std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    return std::string(text, length);
}
