#include "pop3/pop3_response_code.h"

#include <array>
#include <utility>

namespace {

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Whether the code is `known` itself or one of its further levels ("SYS/TEMP/x").
bool CodeIs(const std::string& code, const std::string& known) {
    if (code.size() < known.size()) return false;
    if (code.size() > known.size() && code[known.size()] != '/') return false;
    for (size_t i = 0; i < known.size(); ++i)
        if (Upper(code[i]) != known[i]) return false;
    return true;
}

TResponseCode CodeOf(const std::string& code) {
    static const std::array<std::pair<const char*, TResponseCode>, 5> known{{
        {"IN-USE", TResponseCode::InUse},
        {"LOGIN-DELAY", TResponseCode::LoginDelay},
        {"SYS/TEMP", TResponseCode::SysTemp},
        {"SYS/PERM", TResponseCode::SysPerm},
        {"AUTH", TResponseCode::Auth},
    }};
    for (const auto& [name, value] : known)
        if (CodeIs(code, name)) return value;
    return TResponseCode::Other;
}

std::string WithoutLineEnd(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}

} // namespace

TNegativeReply ReadNegativeReply(const std::string& reply) {
    TNegativeReply result;
    std::string text = WithoutLineEnd(reply);
    if (text.rfind("-ERR", 0) != 0) {
        result.Text = text;
        return result;
    }
    size_t at = text.find_first_not_of(' ', 4);
    if (at != std::string::npos && text[at] == '[') {
        const size_t close = text.find(']', at);
        // A code holds no blank; "[" alone starts ordinary text.
        if (close != std::string::npos && text.find(' ', at) > close && close > at + 1) {
            result.Code = CodeOf(text.substr(at + 1, close - at - 1));
            at = text.find_first_not_of(' ', close + 1);
        }
    }
    result.Text = at == std::string::npos ? std::string() : text.substr(at);
    return result;
}
