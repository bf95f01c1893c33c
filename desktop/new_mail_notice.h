#pragma once
#include <string>
#include <vector>

// The words of a new-mail notice and of the count where the desktop has no tray or no
// notification service. No widget here; texts are UTF-8.

struct TArrival {
    std::string Sender; // decoded
    std::string Subject;
    std::string Account; // the account's name
};

// The sender (the name alone where the address has one) and subject of a message's kept header
// lines, decoded and unfolded.
std::string SenderName(const std::string& from);
TArrival ArrivalOf(const std::vector<std::string>& header);

// At most this many messages are named in a notice.
constexpr size_t NoticeNamed = 3;

// "1 new message" or "3 new messages".
std::string NoticeTitle(int count);
// One line per named message ("Sender: Subject"), then "and N more" for the others.
std::string NoticeBody(const std::vector<TArrival>& arrivals);
// The accounts the arrivals came to, each once, in the order they came.
std::vector<std::string> ArrivalAccounts(const std::vector<TArrival>& arrivals);
// The window's title with the count of new messages, when the count has no other place.
std::string TitleWithCount(const std::string& title, int fresh);
