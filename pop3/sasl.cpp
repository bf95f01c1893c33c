#include "pop3/sasl.h"

#include <QByteArray>
#include <algorithm>

namespace {

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

bool Lists(const std::vector<std::string>& offered, TSaslMechanism mechanism) {
    return std::find(offered.begin(), offered.end(), SaslName(mechanism)) != offered.end();
}

// RFC 7628 carries the user in a GS2 header, where "," and "=" must be escaped.
std::string Gs2Name(const std::string& user) {
    std::string out;
    for (char c : user) {
        if (c == ',')
            out += "=2C";
        else if (c == '=')
            out += "=3D";
        else
            out += c;
    }
    return out;
}

} // namespace

std::string SaslName(TSaslMechanism mechanism) {
    switch (mechanism) {
    case TSaslMechanism::Plain:
        return "PLAIN";
    case TSaslMechanism::XOAuth2:
        return "XOAUTH2";
    case TSaslMechanism::OAuthBearer:
        return "OAUTHBEARER";
    }
    return {};
}

std::optional<TSaslMechanism> ChooseSasl(TSignIn wanted,
                                         const std::optional<std::vector<std::string>>& offered) {
    std::vector<TSaslMechanism> candidates;
    switch (wanted) {
    case TSignIn::UserPass:
        return std::nullopt;
    case TSignIn::Plain:
        candidates = {TSaslMechanism::Plain};
        break;
    case TSignIn::XOAuth2:
        candidates = {TSaslMechanism::XOAuth2};
        break;
    case TSignIn::OAuthBearer:
        candidates = {TSaslMechanism::OAuthBearer};
        break;
    case TSignIn::OAuth2:
        if (!offered) return TSaslMechanism::XOAuth2;
        candidates = {TSaslMechanism::OAuthBearer, TSaslMechanism::XOAuth2};
        break;
    }
    if (!offered) return candidates.front();
    for (TSaslMechanism mechanism : candidates)
        if (Lists(*offered, mechanism)) return mechanism;
    return std::nullopt;
}

std::optional<std::vector<std::string>> SaslListOfCapability(const std::string& line) {
    std::vector<std::string> words;
    size_t start = 0;
    while (start < line.size()) {
        const size_t end = std::min(line.find(' ', start), line.size());
        if (end > start) words.push_back(Upper(line.substr(start, end - start)));
        start = end + 1;
    }
    if (words.empty() || words.front() != "SASL") return std::nullopt;
    words.erase(words.begin());
    return words;
}

std::string SaslInitialResponse(TSaslMechanism mechanism, const std::string& user,
                                const std::string& secret, const std::string& host, int port) {
    switch (mechanism) {
    case TSaslMechanism::Plain:
        return std::string(1, '\0') + user + std::string(1, '\0') + secret;
    case TSaslMechanism::XOAuth2:
        return "user=" + user + "\1auth=Bearer " + secret + "\1\1";
    case TSaslMechanism::OAuthBearer:
        return "n,a=" + Gs2Name(user) + ",\1host=" + host + "\1port=" + std::to_string(port) +
               "\1auth=Bearer " + secret + "\1\1";
    }
    return {};
}

bool SaslCanCarry(TSaslMechanism mechanism, const std::string& user, const std::string& secret) {
    const std::string separator =
        mechanism == TSaslMechanism::Plain ? std::string(1, '\0') : std::string("\1\r\n", 3);
    const auto holds = [&](const std::string& value) {
        return value.find_first_of(separator) != std::string::npos ||
               (mechanism != TSaslMechanism::Plain && value.find('\0') != std::string::npos);
    };
    return !holds(user) && !holds(secret);
}

std::string Base64Encode(const std::string& bytes) {
    return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())).toBase64().toStdString();
}

std::string Base64Decode(const std::string& text) {
    const QByteArray decoded =
        QByteArray::fromBase64(QByteArray(text.data(), static_cast<qsizetype>(text.size())));
    return std::string(decoded.constData(), static_cast<size_t>(decoded.size()));
}
