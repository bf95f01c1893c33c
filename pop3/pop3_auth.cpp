// Sign-in through POP3 AUTH (RFC 5034) with one SASL mechanism, in place of USER and PASS.
#include "pop3/pop3_client.h"
#include "pop3/pop3_error.h"
#include "pop3/pop3_reply.h"

#include <algorithm>

namespace {

// A command line holds at most 255 octets, CR LF included (RFC 5034 section 4).
constexpr size_t MaxCommandLine = 255;
// The session sends at most 16384 bytes at a time; a response must go out in one piece.
constexpr size_t MaxResponse = 16384 - 2;

std::string WithoutLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

// "+" or "+ text": the server asks for more (a continuation); "+OK" is a reply.
bool IsContinuation(const std::string& reply) {
    return !reply.empty() && reply[0] == '+' && WithoutLineEnd(NthWord(reply, ' ', 1)) == "+";
}

std::string ChallengeOf(const std::string& reply) {
    const std::string line = WithoutLineEnd(reply);
    return line.size() > 2 ? line.substr(2) : std::string();
}

} // namespace

std::optional<std::vector<std::string>> TPop3Client::OfferedSasl() {
    std::string reply;
    Transaction("CAPA", reply);
    if (!PositiveReply(reply)) return std::nullopt;
    std::optional<std::vector<std::string>> offered;
    for (std::string line; (line = WithoutLineEnd(ReadLn())) != ".";) {
        if (auto listed = SaslListOfCapability(line)) offered = std::move(listed);
        pipeliningListed = pipeliningListed || NamesPipelining(line);
    }
    return offered;
}

void TPop3Client::LogInWithSasl() {
    // Asked after STLS: the capabilities before it may differ (RFC 2595).
    const auto mechanism = ChooseSasl(SignIn, OfferedSasl());
    if (!mechanism)
        throw Exception("The server does not offer sign-in with " +
                        (SignIn == TSignIn::OAuth2 ? std::string("OAuth2")
                                                   : SaslName(*ChooseSasl(SignIn, {}))));
    usedSasl = mechanism;
    for (int attempt = 0;; ++attempt) {
        if (!SaslSendable()) throw AuthenticationFailed();
        std::string reply;
        std::string challenge;
        if (Authenticate(*mechanism, reply, challenge)) return;
        refusal = {"AUTH", reply, challenge};
        RejectLogIn(attempt);
    }
}

bool TPop3Client::Authenticate(TSaslMechanism mechanism, std::string& reply,
                               std::string& challenge) {
    const std::string response =
        Base64Encode(SaslInitialResponse(mechanism, UserID, Password, Host, Port));
    const std::string command = "AUTH " + SaslName(mechanism);
    // The initial response rides on the command where the line allows it; otherwise, and for a
    // server that asks for it all the same (an empty challenge), it follows on a line of its own.
    const bool inlined = command.size() + 1 + response.size() + 2 <= MaxCommandLine;
    Transaction(inlined ? command + " " + response : command, reply);
    // Each answer below goes out at most once, so the exchange ends after three continuations.
    bool responseOnLine = false;
    bool errorAnswered = false;
    while (IsContinuation(reply)) {
        const std::string text = ChallengeOf(reply);
        if (text.empty() && !responseOnLine && !errorAnswered) {
            responseOnLine = true;
            Transaction(response, reply);
        } else if (!text.empty() && !errorAnswered) {
            // After the response, a challenge is the server's account of the failure (RFC 7628
            // 3.2.2); the client ends it with a dummy response and the server then says -ERR.
            errorAnswered = true;
            challenge = Base64Decode(text);
            Transaction(mechanism == TSaslMechanism::OAuthBearer ? Base64Encode("\1") : "", reply);
        } else {
            Transaction("*", reply); // cancels the exchange (RFC 5034), whatever the server says
            return false;
        }
    }
    return PositiveReply(reply);
}

bool TPop3Client::SaslSendable() const {
    const TSaslMechanism mechanism =
        SignIn == TSignIn::Plain ? TSaslMechanism::Plain : TSaslMechanism::XOAuth2;
    const size_t encoded = (UserID.size() + Password.size() + 64) * 4 / 3 + 4;
    return SaslCanCarry(mechanism, UserID, Password) && encoded <= MaxResponse;
}
