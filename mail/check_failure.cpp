#include "mail/check_failure.h"

#include "net/sock_errors.h"
#include "pop3/pop3_error.h"
#include "pop3/pop3_response_code.h"

#include <map>
#include <vector>

namespace {

const char* const AuthenticatingText = "Error authenticating: check your user details";

TFailureKind SocketKind(TSockErrorKind kind) {
    switch (kind) {
    case TSockErrorKind::LookupFailed:
    case TSockErrorKind::NullAddress:
        return TFailureKind::LookupFailed;
    case TSockErrorKind::LookupTimedOut:
        return TFailureKind::LookupTimedOut;
    case TSockErrorKind::ConnectFailed:
        return TFailureKind::ConnectFailed;
    case TSockErrorKind::ConnectTimedOut:
        return TFailureKind::ConnectTimedOut;
    case TSockErrorKind::ReadTimedOut:
    case TSockErrorKind::SendTimedOut:
        return TFailureKind::TimedOut;
    case TSockErrorKind::ReadClosed:
    case TSockErrorKind::SendClosed:
    case TSockErrorKind::NotConnected:
        return TFailureKind::Closed;
    case TSockErrorKind::LineTooLong:
        return TFailureKind::TooLong;
    case TSockErrorKind::LookupCanceled:
    case TSockErrorKind::ConnectCanceled:
    case TSockErrorKind::Aborted:
        return TFailureKind::Canceled;
    case TSockErrorKind::TlsFailed:
        return TFailureKind::TlsFailed;
    case TSockErrorKind::OldTls:
        return TFailureKind::OldTls;
    case TSockErrorKind::NotTrusted:
        return TFailureKind::NotTrusted;
    case TSockErrorKind::NoStartTls:
        return TFailureKind::NoStartTls;
    case TSockErrorKind::General:
    case TSockErrorKind::Library:
    case TSockErrorKind::AlreadyConnected:
        break;
    }
    return TFailureKind::Other;
}

TFailureKind Pop3Kind(TPop3ErrorKind kind) {
    switch (kind) {
    case TPop3ErrorKind::Refused:
        return TFailureKind::Refused;
    case TPop3ErrorKind::NotPop3:
        return TFailureKind::NotPop3;
    case TPop3ErrorKind::Credentials:
        return TFailureKind::Credentials;
    case TPop3ErrorKind::TooLong:
        return TFailureKind::TooLong;
    case TPop3ErrorKind::BadNumber:
        return TFailureKind::Unreadable;
    }
    return TFailureKind::Other;
}

std::string Seconds(int32_t seconds) {
    return std::to_string(seconds) + " s";
}

// "reason: text", or the reason alone when the server said nothing more.
std::string WithText(const std::string& reason, const std::string& text) {
    const std::string shown = ShownReply(text);
    return shown.empty() ? reason : reason + ": " + shown;
}

std::string Join(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        if (line.empty()) continue;
        if (!text.empty()) text += '\n';
        text += line;
    }
    return text;
}

// A response code that is neither a wrong password nor silence, in words, with what to do.
bool SayCode(const TNegativeReply& reply, std::vector<std::string>& lines) {
    struct TWords {
        const char* reason;
        const char* advice;
    };
    static const std::map<TResponseCode, TWords> words = {
        {TResponseCode::InUse, {"The mailbox is in use by another program", "Try again later."}},
        {TResponseCode::LoginDelay,
         {"The server allows the next log-in only after a delay", "Try again later."}},
        {TResponseCode::SysTemp, {"The server has a passing problem", "Try again later."}},
        {TResponseCode::SysPerm,
         {"The server has a lasting problem", "Ask the server's administrator."}},
    };
    const auto found = words.find(reply.Code);
    if (found == words.end()) return false;
    lines = {WithText(found->second.reason, reply.Text), found->second.advice};
    return true;
}

TCheckOutcome RefusedLogIn(const TCheckFailure& failure) {
    const TNegativeReply reply = ReadNegativeReply(failure.RefusedReply);
    TCheckOutcome outcome;
    std::vector<std::string> lines;
    if (!CredentialsInDoubt(reply.Code) && SayCode(reply, lines)) {
        outcome.Text = Join(lines);
        return outcome;
    }
    if (failure.RefusedCommand == "USER") {
        outcome.Text =
            Join({AuthenticatingText, WithText("The server refused the user name", reply.Text),
                  "Correct it in the account editor."});
        return outcome;
    }
    if (failure.OAuth2) {
        outcome.Text =
            Join({AuthenticatingText, WithText("The server refused the sign-in", reply.Text),
                  "If this goes on, use Sign in... in the account editor."});
        return outcome;
    }
    outcome.ForgetPassword = !failure.SavePassword;
    outcome.Text = Join(
        {AuthenticatingText, WithText("The server refused the password", reply.Text),
         failure.SavePassword ? "The saved password was kept: correct it in the account editor."
                              : "You will be asked for the password at the next check."});
    return outcome;
}

// Credentials that never reached the server.
std::string UnsentCredentials(const TCheckFailure& failure) {
    if (failure.UserEmpty) return "The account has no user name: enter one in the account editor";
    if (failure.PasswordEmpty && failure.OAuth2)
        return "The account is not signed in: use Sign in... in the account editor";
    if (failure.PasswordEmpty) return "No password was given: the next check asks for it";
    return "The user name or the password holds characters that cannot be sent to the server";
}

TCheckOutcome LogInFailure(const TCheckFailure& failure) {
    const std::string timedOut =
        "The server did not answer within " + Seconds(failure.TimeoutSeconds);
    switch (failure.Kind) {
    case TFailureKind::LookupFailed:
        return {Join({"Invalid host specified: check your settings",
                      "No address was found for " + ShownReply(failure.Server)})};
    case TFailureKind::LookupTimedOut:
        return {"The address of " + ShownReply(failure.Server) + " was not found within " +
                Seconds(failure.TimeoutSeconds)};
    case TFailureKind::ConnectFailed:
        return {Join({"Error connecting to server: check your settings",
                      "No connection could be made to " + ShownReply(failure.Server)})};
    case TFailureKind::ConnectTimedOut:
        return {Join({"Error connecting to server: check your settings", timedOut})};
    case TFailureKind::Credentials:
        if (!failure.RefusedReply.empty()) return RefusedLogIn(failure);
        return {UnsentCredentials(failure)};
    case TFailureKind::Refused: {
        const TNegativeReply reply = ReadNegativeReply(failure.Text);
        std::vector<std::string> lines;
        if (SayCode(reply, lines)) return {Join(lines)};
        if (failure.LoggedIn)
            return {WithText("The server refused to count the messages", reply.Text)};
        return {WithText("The server refused the connection", reply.Text)};
    }
    case TFailureKind::NotPop3:
        return {WithText("The server did not greet as a POP3 server",
                         ReadNegativeReply(failure.Text).Text)};
    case TFailureKind::TimedOut:
        return {timedOut};
    case TFailureKind::Closed:
        return {"The server closed the connection during the log-in"};
    case TFailureKind::TooLong:
        return {"The server sent a line too long to read during the log-in"};
    case TFailureKind::Unreadable:
        return {WithText("The server's count of messages could not be read", failure.Text)};
    case TFailureKind::NotTrusted:
        return {
            Join({failure.Text, "Nothing was sent to the server. Check the server's name, and "
                                "trust its certificate only if you know why it is not trusted."})};
    case TFailureKind::OldTls:
        return {Join({"The server offers only TLS versions older than 1.2, which are no longer "
                      "safe, so no secure connection was made",
                      "Ask the server's administrator to turn on TLS 1.2 or later."})};
    case TFailureKind::TlsFailed:
        return {Join({failure.Text, "Check the server's name and port: SSL/TLS is usually on "
                                    "port 995, STARTTLS on port 110."})};
    case TFailureKind::NoStartTls:
        return {Join({failure.Text, "Choose SSL/TLS on port 995 in the account editor, or ask "
                                    "the server's administrator to turn on STARTTLS."})};
    case TFailureKind::Canceled:
    case TFailureKind::Other:
        break;
    }
    return {WithText("The log-in failed", failure.Text)};
}

TCheckOutcome FillFailure(const TCheckFailure& failure) {
    const bool listing = failure.Step == TCheckStep::List;
    const std::string what =
        listing ? "the message list" : "the header of message " + std::to_string(failure.Message);
    std::string reason;
    switch (failure.Kind) {
    case TFailureKind::TimedOut:
        reason = "The server did not answer within " + Seconds(failure.TimeoutSeconds) +
                 " while sending " + what;
        break;
    case TFailureKind::Closed:
        reason = "The server closed the connection while sending " + what;
        break;
    case TFailureKind::Refused:
        reason =
            WithText("The server refused to send " + what, ReadNegativeReply(failure.Text).Text);
        break;
    case TFailureKind::TooLong:
        reason = "The server sent a line too long to read in " + what;
        break;
    case TFailureKind::Unreadable:
        reason = "The server sent " + what + " in a form that could not be read";
        break;
    default:
        reason = WithText("Reading " + what + " failed", failure.Text);
        break;
    }
    const std::string read = listing ? "No message was read."
                                     : std::to_string(failure.Message - 1) + " of " +
                                           std::to_string(failure.Listed) + " messages read.";
    return {Join({reason, read})};
}

} // namespace

TFailureKind KindOf(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const ESockError& error) {
        return SocketKind(error.Kind());
    } catch (const EPop3Error& error) {
        return Pop3Kind(error.Kind());
    } catch (...) {
        return TFailureKind::Other;
    }
}

std::string TextOf(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const Exception& error) {
        return error.Message();
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "Unknown failure";
    }
}

TCheckOutcome DescribeFailure(const TCheckFailure& failure) {
    return failure.Step == TCheckStep::LogIn ? LogInFailure(failure) : FillFailure(failure);
}

std::string ShownReply(const std::string& text) {
    std::string shown;
    for (char c : text) {
        if (shown.size() == MaxShownReply) return shown + "...";
        const auto byte = static_cast<unsigned char>(c);
        shown.push_back(byte < ' ' || byte == 0x7f ? ' ' : c);
    }
    while (!shown.empty() && shown.back() == ' ')
        shown.pop_back();
    return shown;
}
