#include "desktop/new_mail_notice.h"

#include "mime/header_text.h"

#include <algorithm>

namespace {
std::string Field(const std::vector<std::string>& header, const char* name) {
    return DecodeHeaderText(UnfoldedField(header, name));
}

// One line of a notice: blanks for line ends and tabs, none at either end.
std::string OneLine(std::string text) {
    for (char& c : text)
        if (c == '\r' || c == '\n' || c == '\t') c = ' ';
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}
} // namespace

// "Alice Tester <alice@example.com>" reads as "Alice Tester"; a bare address stays whole.
std::string SenderName(const std::string& from) {
    const size_t open = from.find('<');
    if (open == std::string::npos) return from;
    std::string name = OneLine(from.substr(0, open));
    if (name.size() >= 2 && name.front() == '"' && name.back() == '"')
        name = name.substr(1, name.size() - 2);
    return name.empty() ? from : name;
}

TArrival ArrivalOf(const std::vector<std::string>& header) {
    return {SenderName(OneLine(Field(header, "From:"))), OneLine(Field(header, "Subject:")), {}};
}

std::string NoticeTitle(int count) {
    return std::to_string(count) + (count == 1 ? " new message" : " new messages");
}

std::string NoticeBody(const std::vector<TArrival>& arrivals) {
    std::string body;
    for (size_t i = 0; i < arrivals.size() && i < NoticeNamed; ++i) {
        if (!body.empty()) body += '\n';
        const TArrival& arrival = arrivals[i];
        body += arrival.Sender.empty() ? "(no sender)" : arrival.Sender;
        body += ": " + (arrival.Subject.empty() ? std::string("(no subject)") : arrival.Subject);
    }
    if (arrivals.size() > NoticeNamed)
        body += "\nand " + std::to_string(arrivals.size() - NoticeNamed) + " more";
    return body;
}

std::vector<std::string> ArrivalAccounts(const std::vector<TArrival>& arrivals) {
    std::vector<std::string> names;
    for (const TArrival& arrival : arrivals)
        if (std::find(names.begin(), names.end(), arrival.Account) == names.end())
            names.push_back(arrival.Account);
    return names;
}

std::string TitleWithCount(const std::string& title, int fresh) {
    if (fresh <= 0) return title;
    return title + " (" + std::to_string(fresh) + " new)";
}
