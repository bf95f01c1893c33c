#include "pop3/pop3_client.h"

#include "net/nth_word.h"
#include "platform/int_text.h"
#include "pop3/pop3_error.h"
#include "pop3/pop3_reply.h"

namespace {

// A command line holds at most 255 octets, CR LF included; both commands start with 5.
constexpr size_t MaxCredentialLength = 255 - 5 - 2;

// A credential that cannot go out as it is: a NUL would cut it, a line break would smuggle
// further commands onto the wire, and an over-long one would be cut.
bool Unsendable(const std::string& value) {
    return value.size() > MaxCredentialLength ||
           value.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

} // namespace

TPop3Client::TPop3Client(QObject* owner)
    : TSocketSession(owner), summary(std::make_unique<TSummary>()),
      mailMessage(std::make_unique<TMailMessage>()), uuProcessor(new TUUProcessor(this)) {
    Port = 110;
    OnAbortRead = [this](QObject*) { ReadAbort(); };
}

TPop3Client::~TPop3Client() {
    BeginDestroy();
    Abort();
}

void TPop3Client::EnsureCredentials() {
    for (bool asked = false; UserID.empty() || Password.empty(); asked = true) {
        if (!OnAuthenticationNeeded) throw AuthenticationFailed();
        if (asked) break;
        bool handled = false;
        OnAuthenticationNeeded(handled);
        if (!handled) throw AuthenticationFailed();
    }
}

void TPop3Client::Connect() {
    refusal = {};
    usedSasl.reset();
    pipeliningListed = false;
    EnsureCredentials();
    if (!CredentialsSendable()) throw AuthenticationFailed();
    pipeline->Reset(); // nothing sent on an earlier connection is answered on this one
    const bool wasBusy = busy.exchange(true);
    bool loggedIn = false;
    auto finish = [&] {
        if (!wasBusy) busy = false;
        if (loggedIn && OnConnect) OnConnect(this);
    };
    try {
        TSocketSession::Connect();
        LogInAndCount(loggedIn);
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TPop3Client::LogInAndCount(bool& loggedIn) {
    try {
        const std::string greeting = ReadLn();
        // A server that answers no is still a POP3 server; anything else is not.
        if (!PositiveReply(greeting))
            throw EPop3Error(greeting.rfind("-ERR", 0) == 0 ? TPop3ErrorKind::Refused
                                                            : TPop3ErrorKind::NotPop3,
                             greeting);
        // Never in clear text what was meant to be protected: no fall-back.
        if (Security == TTransportSecurity::StartTls) UpgradeToTls();
        LogIn();
        loggedIn = true;
        std::string reply;
        Transaction("STAT", reply);
        if (!PositiveReply(reply)) throw RefusedBy(reply);
        messageCount = TryStrToInt(NthWord(reply, ' ', 2)).value_or(0);
    } catch (...) {
        // The first failure is the caller's; a QUIT that fails after it tells nothing new.
        try {
            Disconnect();
        } catch (...) {
        }
        throw;
    }
}

bool TPop3Client::CredentialsSendable() const {
    return SignIn == TSignIn::UserPass ? !Unsendable(UserID) && !Unsendable(Password)
                                       : SaslSendable();
}

void TPop3Client::LogIn() {
    if (SignIn != TSignIn::UserPass) return LogInWithSasl();
    for (int attempt = 0;; ++attempt) {
        if (!CredentialsSendable()) throw AuthenticationFailed();
        std::string reply;
        Transaction("USER " + UserID, reply);
        const char* command = "USER";
        bool accepted = PositiveReply(reply);
        if (accepted) {
            command = "PASS";
            Transaction("PASS " + Password, reply);
            accepted = PositiveReply(reply);
        }
        if (accepted) return;
        refusal = {command, reply, {}};
        RejectLogIn(attempt);
    }
}

void TPop3Client::RejectLogIn(int attempt) {
    if (attempt > 0 || !OnAuthenticationFailed) throw AuthenticationFailed();
    bool handled = false;
    OnAuthenticationFailed(handled);
    if (!handled) throw AuthenticationFailed();
}

void TPop3Client::Disconnect() {
    std::string held;
    // Without a connection there is nobody to say QUIT to, and the wait would never end.
    if (Connected()) {
        try {
            std::string reply;
            Transaction("QUIT", reply);
            if (!PositiveReply(reply)) held = reply;
        } catch (...) {
            TSocketSession::Disconnect();
            throw;
        }
    }
    TSocketSession::Disconnect();
    if (!held.empty()) throw RefusedBy(held);
}

void TPop3Client::DeleteMailMessage(int32_t n) {
    if (busy.exchange(true)) return;
    try {
        CertifyConnect();
        std::string reply;
        Transaction("DELE " + std::to_string(n), reply);
        if (!PositiveDeleReply(reply)) {
            if (OnFailure) OnFailure(this);
            throw RefusedBy(reply);
        }
    } catch (...) {
        busy = false;
        throw;
    }
    busy = false;
    if (OnSuccess) OnSuccess(this);
}

void TPop3Client::Abort() {
    if (Canceled() || !Connected()) return;
    if (busy) {
        Cancel();
        return;
    }
    TSocketSession::Disconnect();
    ClearReceiveBuffer();
}

void TPop3Client::ReadAbort() {
    TSocketSession::Disconnect();
    ClearReceiveBuffer();
}
