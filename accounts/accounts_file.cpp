#include "accounts/accounts_file.h"

#include "accounts/password_codec.h"
#include "platform/exception.h"
#include "platform/int_text.h"

#include <QDir>

namespace {
const std::string lineEnd = "\r\n";
const std::string endOfRecord = "\x0B";

// The line from its k-th character on (1-based); empty when the line is shorter.
std::string From(const std::string& line, size_t k) {
    return line.size() >= k - 1 ? line.substr(k - 1) : std::string();
}

bool ReadRememberFlag(const std::string& line) {
    const std::string tested = line.size() >= 7 ? line.substr(6, 1) : std::string();
    if (tested.empty() || tested[0] < '0' || tested[0] > '9')
        throw Exception("'" + tested + "' is not a valid integer value");
    return tested != "0";
}
} // namespace

std::string AccountsFilePath() {
    return QDir::current().filePath("mail.acc").toStdString();
}

std::string AccountRecord(const TAccount& account) {
    return "NAME:" + account.Name + lineEnd + "SERVER:" + account.Server + lineEnd +
           "USER:" + account.User + lineEnd + "PASS:" + EncodePassword(account.Password) + lineEnd +
           "TOUT:" + std::to_string(account.Timeout) + lineEnd +
           "REMEM:" + (account.SavePassword ? "1" : "0") + lineEnd +
           "SECUR:" + SecurityWord(account.Security) + lineEnd + endOfRecord + lineEnd;
}

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return lines;
}

std::string FieldOfLine(const std::string& line) {
    static const char* const fields[] = {"NAME:", "SERVE", "USER:", "PASS:", "TOUT:", "REMEM"};
    const std::string prefix = line.substr(0, 5);
    for (const char* field : fields)
        if (prefix == field) return prefix;
    return {};
}

bool ApplyAccountLine(const std::string& line, TAccount& account) {
    const std::string prefix = line.substr(0, 5);
    if (prefix == "NAME:")
        account.Name = From(line, 6);
    else if (prefix == "SERVE")
        account.Server = From(line, 8); // assumes the seven-character "SERVER:"
    else if (prefix == "USER:")
        account.User = From(line, 6);
    else if (prefix == "PASS:")
        account.Password = DecodePassword(From(line, 6));
    else if (prefix == "TOUT:")
        account.Timeout = StrToIntDef(From(line, 6), 90);
    else if (prefix == "REMEM")
        account.SavePassword = ReadRememberFlag(line);
    else if (prefix == "SECUR")
        account.Security = SecurityFromWord(From(line, 7));
    else
        return line == endOfRecord;
    return false;
}
