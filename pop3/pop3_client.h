#pragma once
#include "net/socket_session.h"
#include "pop3/mail_message.h"
#include "pop3/sasl.h"
#include "pop3/summary.h"
#include "pop3/summary_pipeline.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

using TListEvent = std::function<void(int32_t Msg, int32_t Size)>;

// The POP3 client: log-in, STAT, LIST, header summaries (TOP n 0 and LIST n), DELE and QUIT,
// each a blocking call on top of the socket session's line transfer.
class TPop3Client : public TSocketSession {
public:
    explicit TPop3Client(QObject* owner = nullptr);
    ~TPop3Client() override;

    std::string UserID;
    std::string Password; // with an OAuth2 sign-in, the access token
    // USER and PASS unless the account asks for AUTH (pop3_auth.cpp); a mechanism the server's
    // CAPA SASL list does not name fails the log-in before any credential is sent.
    TSignIn SignIn = TSignIn::UserPass;
    bool DeleteOnRead = false;
    // Body lines each summary also asks for ("TOP n k"), kept in Summary().Body for a preview
    // at no extra round trip; 0, the default, asks for the header alone. At most MaxTopLines.
    int32_t PreviewLines = 0;
    static constexpr int32_t MaxTopLines = 1000;
    std::string AttachFilePath;

    THandlerEvent OnAuthenticationNeeded;
    THandlerEvent OnAuthenticationFailed;
    TNotifyEvent OnReset;
    TListEvent OnList;
    TNotifyEvent OnRetrieveStart;
    TNotifyEvent OnRetrieveEnd;
    TNotifyEvent OnSuccess;
    TNotifyEvent OnFailure;
    TNotifyEvent OnConnect; // after log-in and STAT; the session's own stays unassigned

    void Connect() override;
    void Disconnect() override;
    void Abort() override;
    void DeleteMailMessage(int32_t n);
    void List();
    void GetSummary(int32_t n);
    // TOP n k on demand (k clamped to 0..MaxTopLines): the reply's lines after its status line
    // as sent (dot-stuffed, line ends removed), the terminator "." last; lines beyond
    // MaxTopBytes are read and dropped. A refusal throws the reply; empty when busy.
    std::vector<std::string> GetTop(int32_t n, int32_t lines);
    static constexpr size_t MaxTopBytes = 256 * 1024;
    // UIDL (pop3_uidl.cpp): the unique identifiers of messages 1 to count, "" where the
    // listing names none; empty when the server refuses the command (it has no UIDL).
    std::vector<std::string> ListUids(int32_t count);
    // UIDL n: the identifier of message n, from "+OK n uid" or "+OK uid"; "" when the server
    // refuses the command or answers in neither form.
    std::string Uid(int32_t n);
    // Announces that GetSummary follows for first, first + 1, ..., last, in that order. Where
    // the server offers PIPELINING (asked with CAPA), their commands then go out ahead of the
    // replies, a bounded window at a time (pop3_pipeline.cpp). Any other command first reads
    // and drops the replies still due, and ends the plan.
    void PlanSummaries(int32_t first, int32_t last);
    void Transaction(const std::string& request, std::string& reply) override;

    // The reply that refused the log-in of the last Connect, and the command it answered
    // ("USER", "PASS" or "AUTH"); both empty when nothing was refused. It tells a wrong password
    // from a busy mailbox. Challenge: the decoded error a server sent during AUTH (RFC 7628's
    // JSON, such as {"status":"invalid_token"}), which tells an expired token from a refusal.
    struct TLogInRefusal {
        std::string Command;
        std::string Reply;
        std::string Challenge;
    };
    const TLogInRefusal& LogInRefusal() const { return refusal; }
    // The mechanism of the last AUTH sign-in; nothing after USER and PASS.
    std::optional<TSaslMechanism> UsedSasl() const { return usedSasl; }

    bool Busy() const { return busy; }
    int32_t MessageCount() const { return messageCount; }
    const TSummary& Summary() const { return *summary; }
    // The last summary's header, moved out (Summary().Header is left empty), its buffer no
    // larger than its bytes: what a check keeps of each message.
    THeaderLines TakeHeader();
    // The last summary's body lines, moved out likewise.
    std::vector<std::string> TakeBody() { return std::exchange(summary->Body, {}); }
    TMailMessage& MailMessage() { return *mailMessage; }
    TUUProcessor* UUProcessor() const { return uuProcessor; }

private:
    void EnsureCredentials();
    void LogInAndCount(bool& loggedIn);
    void LogIn();
    // STLS (pop3_stls.cpp): throws "The server does not offer STARTTLS" when it cannot be had.
    void UpgradeToTls();
    void RejectLogIn(int attempt);
    std::optional<std::vector<std::string>> OfferedSasl();
    void LogInWithSasl();
    bool Authenticate(TSaslMechanism mechanism, std::string& reply, std::string& challenge);
    bool CredentialsSendable() const;
    bool SaslSendable() const;
    void ReadAbort();
    void ReadSummaryHeader();
    std::string TopCommand(int32_t n) const;
    void ReadSummarySize(int32_t n);
    bool ServerOffersPipelining();
    void SummaryExchange(const std::string& request, std::string& reply);
    void DiscardUnanswered();

    std::unique_ptr<TSummary> summary;
    std::unique_ptr<TMailMessage> mailMessage;
    std::unique_ptr<TSummaryPipeline> pipeline = std::make_unique<TSummaryPipeline>();
    TUUProcessor* uuProcessor; // owned through Qt's parent
    std::atomic<bool> busy{false};
    std::atomic<int32_t> messageCount{0};
    TLogInRefusal refusal;
    std::optional<TSaslMechanism> usedSasl;
    bool pipeliningListed = false; // by the capabilities asked before the log-in
};
