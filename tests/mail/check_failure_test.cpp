// The words of the failures that the window tests do not reach.
#include "mail/check_failure.h"
#include "net/sock_errors.h"
#include "pop3/pop3_error.h"

#include <gtest/gtest.h>

namespace {

TCheckFailure Failure(TFailureKind kind, std::string text = {}) {
    TCheckFailure failure;
    failure.Kind = kind;
    failure.Text = std::move(text);
    failure.Server = "pop.example";
    failure.TimeoutSeconds = 30;
    return failure;
}

TCheckFailure RefusedPass(const std::string& reply) {
    TCheckFailure failure = Failure(TFailureKind::Credentials, "Authentication failed");
    failure.RefusedCommand = "PASS";
    failure.RefusedReply = reply;
    return failure;
}

TEST(CheckFailure, EachFailureHasItsWords) {
    TCheckFailure noPassword = Failure(TFailureKind::Credentials, "Authentication failed");
    noPassword.PasswordEmpty = true;
    TCheckFailure unreadable =
        Failure(TFailureKind::Unreadable, "'x' is not a valid integer value");
    unreadable.Step = TCheckStep::Summary;
    unreadable.Message = 4;
    unreadable.Listed = 9;
    const struct {
        TCheckFailure failure;
        const char* text;
        bool forget;
    } cases[] = {
        {Failure(TFailureKind::LookupTimedOut),
         "The address of pop.example was not found within 30 s", false},
        {Failure(TFailureKind::ConnectTimedOut),
         "Error connecting to server: check your settings\nThe server did not answer within 30 s",
         false},
        {RefusedPass("-ERR [SYS/TEMP] index rebuilding\r\n"),
         "The server has a passing problem: index rebuilding\nTry again later.", false},
        {RefusedPass("-ERR [SYS/PERM] account disabled\r\n"),
         "The server has a lasting problem: account disabled\nAsk the server's administrator.",
         false},
        {RefusedPass("-ERR [AUTH] no\r\n"),
         "Error authenticating: check your user details\nThe server refused the password: no\n"
         "You will be asked for the password at the next check.",
         true},
        {noPassword, "No password was given: the next check asks for it", false},
        {Failure(TFailureKind::Credentials, "Authentication failed"),
         "The user name or the password holds characters that cannot be sent to the server", false},
        {Failure(TFailureKind::NotPop3, "* hello\r\n"),
         "The server did not greet as a POP3 server: * hello", false},
        {unreadable,
         "The server sent the header of message 4 in a form that could not be read\n"
         "3 of 9 messages read.",
         false},
    };
    for (const auto& c : cases) {
        const TCheckOutcome outcome = DescribeFailure(c.failure);
        EXPECT_EQ(outcome.Text, c.text);
        EXPECT_EQ(outcome.ForgetPassword, c.forget) << c.text;
    }
}

// The kind comes from the failure's type alone: the same words in a plain failure tell nothing.
TEST(CheckFailure, TheKindIsTheFailuresType) {
    const struct {
        std::exception_ptr failure;
        TFailureKind kind;
    } cases[] = {
        {std::make_exception_ptr(AuthenticationFailed()), TFailureKind::Credentials},
        {std::make_exception_ptr(RefusedBy("-ERR no\r\n")), TFailureKind::Refused},
        {std::make_exception_ptr(EPop3Error(TPop3ErrorKind::NotPop3, "* hi\r\n")),
         TFailureKind::NotPop3},
        {std::make_exception_ptr(EPop3Error(TPop3ErrorKind::TooLong, "x")), TFailureKind::TooLong},
        {std::make_exception_ptr(EPop3Error(TPop3ErrorKind::BadNumber, "x")),
         TFailureKind::Unreadable},
        {std::make_exception_ptr(ESockError("Not Connected", TSockErrorKind::NotConnected)),
         TFailureKind::Closed},
        {std::make_exception_ptr(ESockError("TLS handshake failed: x", TSockErrorKind::OldTls)),
         TFailureKind::OldTls},
        {std::make_exception_ptr(Exception("Authentication failed")), TFailureKind::Other},
        {std::make_exception_ptr(Exception("-ERR no\r\n")), TFailureKind::Other},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(KindOf(c.failure), c.kind) << TextOf(c.failure);
    }
}

TEST(CheckFailure, AServersTextIsShownOnOneLineAndCut) {
    EXPECT_EQ(ShownReply("-ERR a\tb\r\n"), "-ERR a b");
    EXPECT_EQ(ShownReply(std::string("a\0b", 3)), "a b");
    const std::string shown = ShownReply(std::string(MaxShownReply + 1, 'x'));
    EXPECT_EQ(shown, std::string(MaxShownReply, 'x') + "...");
    EXPECT_EQ(ShownReply(std::string(MaxShownReply, 'x')), std::string(MaxShownReply, 'x'));
}

} // namespace
