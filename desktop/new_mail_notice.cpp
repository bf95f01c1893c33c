#include "desktop/new_mail_notice.h"

#include "mime/header_text.h"

#include <QCoreApplication>

#include <algorithm>

namespace {
// The notice's words in the user's language, UTF-8 as the rest of the notice.
std::string Said(const char* text) {
    return QCoreApplication::translate("TNewMailNotice", text).toStdString();
}

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
    return count == 1
               ? Said(QT_TRANSLATE_NOOP("TNewMailNotice", "1 new message"))
               : QCoreApplication::translate("TNewMailNotice", "%n new messages", nullptr, count)
                     .toStdString();
}

std::string NoticeBody(const std::vector<TArrival>& arrivals) {
    std::string body;
    for (size_t i = 0; i < arrivals.size() && i < NoticeNamed; ++i) {
        if (!body.empty()) body += '\n';
        const TArrival& arrival = arrivals[i];
        const std::string sender = arrival.Sender.empty()
                                       ? Said(QT_TRANSLATE_NOOP("TNewMailNotice", "(no sender)"))
                                       : arrival.Sender;
        const std::string subject = arrival.Subject.empty()
                                        ? Said(QT_TRANSLATE_NOOP("TNewMailNotice", "(no subject)"))
                                        : arrival.Subject;
        body += QCoreApplication::translate("TNewMailNotice", "%1: %2")
                    .arg(QString::fromStdString(sender), QString::fromStdString(subject))
                    .toStdString();
    }
    const int more = static_cast<int>(arrivals.size()) - static_cast<int>(NoticeNamed);
    if (more > 0)
        body += "\n" + QCoreApplication::translate("TNewMailNotice", "and %n more", nullptr, more)
                           .toStdString();
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
    return QCoreApplication::translate("TNewMailNotice", "%1 (%n new)", nullptr, fresh)
        .arg(QString::fromStdString(title))
        .toStdString();
}
