#include "mail/check_failure.h"

#include "net/sock_errors.h"
#include "platform/translated_text.h"
#include "pop3/pop3_error.h"
#include "pop3/pop3_response_code.h"

#include <map>
#include <vector>

namespace {

std::string AuthenticatingText() {
    return Translated("TCheckFailure", "Error authenticating: check your user details");
}

std::string ConnectingText() {
    return Translated("TCheckFailure", "Error connecting to server: check your settings");
}

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
    return shown.empty() ? reason : Filled(Translated("TCheckFailure", "%1: %2"), reason, shown);
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
        {TResponseCode::InUse,
         {QT_TRANSLATE_NOOP("TCheckFailure", "The mailbox is in use by another program"),
          QT_TRANSLATE_NOOP("TCheckFailure", "Try again later.")}},
        {TResponseCode::LoginDelay,
         {QT_TRANSLATE_NOOP("TCheckFailure",
                            "The server allows the next log-in only after a delay"),
          QT_TRANSLATE_NOOP("TCheckFailure", "Try again later.")}},
        {TResponseCode::SysTemp,
         {QT_TRANSLATE_NOOP("TCheckFailure", "The server has a passing problem"),
          QT_TRANSLATE_NOOP("TCheckFailure", "Try again later.")}},
        {TResponseCode::SysPerm,
         {QT_TRANSLATE_NOOP("TCheckFailure", "The server has a lasting problem"),
          QT_TRANSLATE_NOOP("TCheckFailure", "Ask the server's administrator.")}},
    };
    const auto found = words.find(reply.Code);
    if (found == words.end()) return false;
    lines = {WithText(Translated("TCheckFailure", found->second.reason), reply.Text),
             Translated("TCheckFailure", found->second.advice)};
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
        outcome.Text = Join(
            {AuthenticatingText(),
             WithText(Translated("TCheckFailure", "The server refused the user name"), reply.Text),
             Translated("TCheckFailure", "Correct it in the account editor.")});
        return outcome;
    }
    if (failure.OAuth2) {
        outcome.Text = Join(
            {AuthenticatingText(),
             WithText(Translated("TCheckFailure", "The server refused the sign-in"), reply.Text),
             Translated("TCheckFailure",
                        "If this goes on, use Sign in... in the account editor.")});
        return outcome;
    }
    outcome.ForgetPassword = !failure.SavePassword;
    outcome.Text =
        Join({AuthenticatingText(),
              WithText(Translated("TCheckFailure", "The server refused the password"), reply.Text),
              failure.SavePassword
                  ? Translated("TCheckFailure",
                               "The saved password was kept: correct it in the account editor.")
                  : Translated("TCheckFailure",
                               "You will be asked for the password at the next check.")});
    return outcome;
}

// Credentials that never reached the server.
std::string UnsentCredentials(const TCheckFailure& failure) {
    if (failure.UserEmpty)
        return Translated("TCheckFailure",
                          "The account has no user name: enter one in the account editor");
    if (failure.PasswordEmpty && failure.OAuth2)
        return Translated("TCheckFailure",
                          "The account is not signed in: use Sign in... in the account editor");
    if (failure.PasswordEmpty)
        return Translated("TCheckFailure", "No password was given: the next check asks for it");
    return Translated(
        "TCheckFailure",
        "The user name or the password holds characters that cannot be sent to the server");
}

TCheckOutcome LogInFailure(const TCheckFailure& failure) {
    const std::string timedOut =
        Filled(Translated("TCheckFailure", "The server did not answer within %1"),
               Seconds(failure.TimeoutSeconds));
    const std::string server = ShownReply(failure.Server);
    switch (failure.Kind) {
    case TFailureKind::LookupFailed:
        return {Join({Translated("TCheckFailure", "Invalid host specified: check your settings"),
                      Filled(Translated("TCheckFailure", "No address was found for %1"), server)})};
    case TFailureKind::LookupTimedOut:
        return {Filled(Translated("TCheckFailure", "The address of %1 was not found within %2"),
                       server, Seconds(failure.TimeoutSeconds))};
    case TFailureKind::ConnectFailed:
        return {Join(
            {ConnectingText(),
             Filled(Translated("TCheckFailure", "No connection could be made to %1"), server)})};
    case TFailureKind::ConnectTimedOut:
        return {Join({ConnectingText(), timedOut})};
    case TFailureKind::Credentials:
        if (!failure.RefusedReply.empty()) return RefusedLogIn(failure);
        return {UnsentCredentials(failure)};
    case TFailureKind::Refused: {
        const TNegativeReply reply = ReadNegativeReply(failure.Text);
        std::vector<std::string> lines;
        if (SayCode(reply, lines)) return {Join(lines)};
        if (failure.LoggedIn)
            return {
                WithText(Translated("TCheckFailure", "The server refused to count the messages"),
                         reply.Text)};
        return {
            WithText(Translated("TCheckFailure", "The server refused the connection"), reply.Text)};
    }
    case TFailureKind::NotPop3:
        return {WithText(Translated("TCheckFailure", "The server did not greet as a POP3 server"),
                         ReadNegativeReply(failure.Text).Text)};
    case TFailureKind::TimedOut:
        return {timedOut};
    case TFailureKind::Closed:
        return {Translated("TCheckFailure", "The server closed the connection during the log-in")};
    case TFailureKind::TooLong:
        return {Translated("TCheckFailure",
                           "The server sent a line too long to read during the log-in")};
    case TFailureKind::Unreadable:
        return {WithText(
            Translated("TCheckFailure", "The server's count of messages could not be read"),
            failure.Text)};
    case TFailureKind::NotTrusted:
        return {
            Join({failure.Text,
                  Translated("TCheckFailure",
                             "Nothing was sent to the server. Check the server's name, and "
                             "trust its certificate only if you know why it is not trusted.")})};
    case TFailureKind::OldTls:
        return {Join({Translated("TCheckFailure",
                                 "The server offers only TLS versions older than 1.2, which "
                                 "are no longer safe, so no secure connection was made"),
                      Translated("TCheckFailure",
                                 "Ask the server's administrator to turn on TLS 1.2 or later.")})};
    case TFailureKind::TlsFailed:
        return {Join(
            {failure.Text,
             Translated("TCheckFailure", "Check the server's name and port: SSL/TLS is usually on "
                                         "port 995, STARTTLS on port 110.")})};
    case TFailureKind::NoStartTls:
        return {Join(
            {failure.Text,
             Translated("TCheckFailure", "Choose SSL/TLS on port 995 in the account editor, or ask "
                                         "the server's administrator to turn on STARTTLS.")})};
    case TFailureKind::Canceled:
    case TFailureKind::Other:
        break;
    }
    return {WithText(Translated("TCheckFailure", "The log-in failed"), failure.Text)};
}

// Each sentence whole, for the message list and for one message's header, so that a language
// may inflect the noun.
std::string FillReason(const TCheckFailure& failure) {
    const bool listing = failure.Step == TCheckStep::List;
    const std::string number = std::to_string(failure.Message);
    const auto said = [&](const char* list, const char* header) {
        return listing ? Translated("TCheckFailure", list)
                       : Filled(Translated("TCheckFailure", header), number);
    };
    switch (failure.Kind) {
    case TFailureKind::TimedOut: {
        const std::string seconds = Seconds(failure.TimeoutSeconds);
        if (listing)
            return Filled(Translated("TCheckFailure", "The server did not answer within %1 while "
                                                      "sending the message list"),
                          seconds);
        return Filled(Translated("TCheckFailure", "The server did not answer within %1 while "
                                                  "sending the header of message %2"),
                      seconds, number);
    }
    case TFailureKind::Closed:
        return said(
            QT_TRANSLATE_NOOP("TCheckFailure",
                              "The server closed the connection while sending the message list"),
            QT_TRANSLATE_NOOP("TCheckFailure", "The server closed the connection while sending "
                                               "the header of message %1"));
    case TFailureKind::Refused:
        return WithText(
            said(QT_TRANSLATE_NOOP("TCheckFailure", "The server refused to send the message list"),
                 QT_TRANSLATE_NOOP("TCheckFailure",
                                   "The server refused to send the header of message %1")),
            ReadNegativeReply(failure.Text).Text);
    case TFailureKind::TooLong:
        return said(
            QT_TRANSLATE_NOOP("TCheckFailure",
                              "The server sent a line too long to read in the message list"),
            QT_TRANSLATE_NOOP("TCheckFailure", "The server sent a line too long to read in "
                                               "the header of message %1"));
    case TFailureKind::Unreadable:
        return said(QT_TRANSLATE_NOOP("TCheckFailure",
                                      "The server sent the message list in a form that could not "
                                      "be read"),
                    QT_TRANSLATE_NOOP("TCheckFailure", "The server sent the header of message %1 "
                                                       "in a form that could not be read"));
    default:
        return WithText(
            said(QT_TRANSLATE_NOOP("TCheckFailure", "Reading the message list failed"),
                 QT_TRANSLATE_NOOP("TCheckFailure", "Reading the header of message %1 failed")),
            failure.Text);
    }
}

TCheckOutcome FillFailure(const TCheckFailure& failure) {
    if (failure.Step == TCheckStep::List)
        return {Join({FillReason(failure), Translated("TCheckFailure", "No message was read.")})};
    const int read = failure.Message - 1;
    return {Join({FillReason(failure),
                  Filled(Translated("TCheckFailure", "%n of %1 messages read.", nullptr, read),
                         std::to_string(failure.Listed))})};
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
        return Translated("TCheckFailure", "Unknown failure");
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
