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

namespace {

// The sign-in lines, each written only when it holds something, so that a password account
// whose secret stays in the file keeps the record it always had.
std::string SignInLines(const TAccount& account) {
    std::string lines;
    const auto add = [&](const char* prefix, const std::string& value) {
        if (!value.empty()) lines += prefix + value + lineEnd;
    };
    if (account.SignIn != TSignInMethod::Password) add("SIGNIN:", SignInWord(account.SignIn));
    add("PROVIDER:", account.Provider);
    add("CLIENTID:", account.ClientId);
    add("AUTHURL:", account.AuthorizeUrl);
    add("TOKENURL:", account.TokenUrl);
    add("SCOPE:", account.Scope);
    const bool inFile = account.SecretPlace == TSecretPlace::File;
    if (inFile && account.SavePassword && !account.RefreshToken.empty())
        add("REFRESH:", EncodePassword(account.RefreshToken));
    if (!inFile) add("SECRET:", "keyring");
    return lines;
}

} // namespace

std::string AccountRecord(const TAccount& account) {
    // With the keyring, the password field is that of an empty password, as documented.
    const std::string& password =
        account.SecretPlace == TSecretPlace::File ? account.Password : std::string();
    return "NAME:" + account.Name + lineEnd + "SERVER:" + account.Server + lineEnd +
           "USER:" + account.User + lineEnd + "PASS:" + EncodePassword(password) + lineEnd +
           "TOUT:" + std::to_string(account.Timeout) + lineEnd +
           "REMEM:" + (account.SavePassword ? "1" : "0") + lineEnd +
           "SECUR:" + SecurityWord(account.Security) + lineEnd + SignInLines(account) +
           endOfRecord + lineEnd;
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
    static const char* const fields[] = {
        "NAME:", "SERVE", "USER:", "PASS:", "TOUT:", "REMEM", "SIGNI",
        "PROVI", "CLIEN", "AUTHU", "TOKEN", "SCOPE", "REFRE", "SECRE"};
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
    else if (prefix == "SIGNI")
        account.SignIn = SignInFromWord(From(line, 8));
    else if (prefix == "PROVI")
        account.Provider = From(line, 10);
    else if (prefix == "CLIEN")
        account.ClientId = From(line, 10);
    else if (prefix == "AUTHU")
        account.AuthorizeUrl = From(line, 9);
    else if (prefix == "TOKEN")
        account.TokenUrl = From(line, 10);
    else if (prefix == "SCOPE")
        account.Scope = From(line, 7);
    else if (prefix == "REFRE")
        account.RefreshToken = DecodePassword(From(line, 9));
    else if (prefix == "SECRE")
        // Any other word is a place this program does not know: the secret is not in the file.
        account.SecretPlace = TSecretPlace::Keyring;
    else
        return line == endOfRecord;
    return false;
}
