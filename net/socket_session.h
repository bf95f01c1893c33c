#pragma once
#include "net/sock_errors.h"
#include "net/socket_handle.h"
#include "net/thread_timer.h"
#include "net/tls_link.h"
#include "platform/sockets.h"

#include <QObject>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

using TNotifyEvent = std::function<void(QObject* Sender)>;
using THandlerEvent = std::function<void(bool& Handled)>;
using TOnHostResolved = std::function<void(QObject* Sender)>;
using TOnStatus = std::function<void(QObject* Sender, const std::string& Status)>;
// Asked when the server's certificate failed verification: true to go on with it.
using TOnUntrustedCertificate = std::function<bool(const TCertificateReport& Certificate)>;

// How the connection is protected: TLS from the first byte, plain text until the protocol
// upgrades it (StartTls), or plain text throughout.
enum class TTransportSecurity { Tls, StartTls, None };

constexpr uint32_t SocketEventMessage = WM_USER + 101;
constexpr uint32_t LookupReplyMessage = WM_USER + 102;
constexpr uint32_t SendRequestMessage = WM_USER + 103;
constexpr uint32_t ReadRequestMessage = WM_USER + 104;

// The client side of one TCP connection on non-blocking sockets. Every operation that looks
// blocking starts a request and then polls (processing the calling thread's messages) until the
// notification handlers, which run on the creating thread, set the flag it waits for.
class TSocketSession : public QObject {
public:
    explicit TSocketSession(QObject* owner = nullptr);
    ~TSocketSession() override;

    // Settings.
    std::string Host;
    int32_t Port = 0;
    int32_t TimeOut = 0; // milliseconds; 0 is no limit
    int32_t ReportLevel = 0;
    TTransportSecurity Security = TTransportSecurity::None;

    // Events.
    TNotifyEvent OnConnect;
    TNotifyEvent OnDisconnect;
    THandlerEvent OnInvalidHost;
    TOnHostResolved OnHostResolved;
    TOnStatus OnStatus;
    TNotifyEvent OnConnectionFailed;
    THandlerEvent OnConnectionRequired;
    TNotifyEvent OnAbortRead;
    TNotifyEvent OnPacketRecvd; // never fired: byte counting is not part of this system
    TOnUntrustedCertificate OnUntrustedCertificate; // unassigned: such a server is refused

    virtual TSocket Accept();
    virtual void Connect();
    virtual void Disconnect();
    virtual void Transaction(const std::string& request, std::string& reply);
    virtual void Abort();

    void CertifyConnect();
    void Cancel();
    void ResolveRemoteHost();
    void StatusMessage(uint8_t level, const std::string& text);

    void SendBuffer(const char* bytes, uint16_t length);
    void Write(const std::string& text);
    void Writeln(const std::string& text);
    std::string ReadLn();
    // Runs the TLS handshake on the open connection and decides on the server's certificate;
    // from then on every read and write goes through TLS. Connect calls it for Tls; a protocol
    // calls it after its server agreed to upgrade. A failure closes the connection and throws
    // ETlsError ("TLS handshake failed: ...", "Certificate not trusted: ...") or, on Cancel,
    // "Connection Canceled".
    void StartTls();
    bool TlsActive() const { return tls.State() == TTlsLink::TState::Up; }

    bool Connected() const { return connected; }
    bool Canceled() const { return canceled; }
    bool TimedOut() const { return timedOut; }
    bool EventOK() const { return eventOK; }
    uint32_t LastError() const { return lastError; }
    std::string LastStatus() const;
    TSocketAddress RemoteAddress() const { return remoteAddress; }
    const std::vector<std::string>& InfoLines() const { return infoLines; }

    std::string LastReply;
    int16_t ReplyNumber = 0;

    static int InstanceCount();

    // A time-out given in seconds, in milliseconds, saturated to the 32-bit range.
    static int32_t TimeOutFromSeconds(int32_t seconds);

    // Longest line ReadLn accepts before it gives up on the peer.
    static constexpr size_t MaxLineLength = 1024 * 1024;
    // Received bytes held at most; reading pauses until ReadLn has taken some.
    static constexpr size_t MaxBufferedBytes = 4 * MaxLineLength;
    // A wait with a time-out also fails when a whole TimeOut moved less than this on average:
    // a trickle is no progress.
    static constexpr int64_t MinBytesPerSecond = 256;

protected:
    void ClearReceiveBuffer();
    // After a failure in the middle of a reply the stream is out of step: the connection is
    // closed without a word and nothing of it is kept.
    void DropConnection();
    // Derived destructors call this first, so that nothing is reported while being destroyed.
    void BeginDestroy() { destroying = true; }
    // The reading half of Transaction, for a command that went out earlier (pipelining).
    void TakeReply(std::string& reply);

private:
    void InitializeWinsock();
    std::string ErrorManager(uint16_t expected);
    std::string LookUpErrorMessage(unsigned code);
    void RequestCloseSocket();
    void RenewSocket();
    bool PrepareSocket(TSocket s, bool lingerZero);
    void StartTimer();
    void StopTimer();
    void TimerTriggered();
    void WndProc(const TMessage& message);
    void DispatchSocketEvent(uint16_t event, uint64_t tag);
    void DrainOnClose(uint64_t tag);
    // False when the other handler held the session (nothing was done).
    bool ReadToStream();
    bool WriteFromStream();
    // A readiness the waiting thread saw on the window's own thread, handled there at once.
    bool TakeSocketEvent(long event);
    bool OnWindowThread() const { return std::this_thread::get_id() == windowThread; }
    bool WaitUntil(const std::function<bool()>& done, bool withProgressLimit);
    void BeginReply();
    void ReadReply(std::string& reply);
    bool HasLine();
    std::string TakeLine();
    size_t BufferedBytes();
    void AbandonSend();
    // The two calls that move bytes between the socket and the buffers.
    int ReceiveSome(char* into, int most, uint64_t onlyTag = 0);
    int SendSome(const char* from, int count);

    int SendRaw(const char* from, int count);

    std::unique_ptr<TMessageWindow> window;
    const std::thread::id windowThread = std::this_thread::get_id(); // where window's handlers run
    const std::function<bool(long)> takeSocketEvent = [this](long e) { return TakeSocketEvent(e); };
    std::unique_ptr<TThreadTimer> timer;

    TSocketHandle socket;
    TTlsLink tls; // under the buffers: off until StartTls
    std::atomic<uint64_t> lookupSerial{0};
    std::atomic<bool> connected{false};
    std::atomic<bool> canceled{false};
    std::atomic<bool> timedOut{false};
    std::atomic<bool> eventOK{false};
    std::atomic<bool> lookupDone{false};
    std::atomic<bool> connectAnswered{false};
    std::atomic<bool> connectSucceeded{false};
    std::atomic<bool> noReopen{false};
    std::atomic<bool> destroying{false};
    std::atomic<bool> sendDone{false};
    std::atomic<bool> handlerBusy{false};
    std::atomic<uint32_t> lastError{0};
    std::atomic<uint64_t> progress{0};   // bytes moved; a wait with a time-out watches it
    std::atomic<bool> readPaused{false}; // the buffer was full; the next ReadLn resumes reading
    // The current rate window of the waiting thread (see MinBytesPerSecond).
    std::chrono::steady_clock::time_point rateWindowStart;
    uint64_t rateWindowProgress = 0;

    mutable std::mutex statusMutex;
    std::string lastStatus;

    TSocketAddress remoteAddress;
    std::string hostEntry; // the addresses of the last lookup, four bytes each
    std::vector<std::string> infoLines;

    mutable std::mutex bufferMutex; // the two buffers are filled and emptied on two threads
    std::string receiveBuffer;      // bytes before receiveStart are consumed
    size_t receiveStart = 0;
    size_t lineScanFrom = 0; // bytes after receiveStart already known to hold no line feed
    std::string sendQueue;
    std::string sendTextBuffer;
};
