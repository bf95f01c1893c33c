#include "net/socket_session.h"

#include "platform/host_lookup.h"
#include "platform/polling.h"
#include "platform/winsock_errors.h"

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

std::atomic<int> instanceCount{0};
std::mutex libraryMutex;

std::string VersionText(uint16_t version) {
    return std::to_string(version >> 8) + "." + std::to_string(version & 0xFF);
}

} // namespace

TSocketSession::TSocketSession(QObject* owner) : QObject(owner) {
    StatusMessage(8, "Create");
    window = std::make_unique<TMessageWindow>([this](const TMessage& m) { WndProc(m); });
    timer = std::make_unique<TThreadTimer>();
    timer->SetEnabled(false);
    timer->SetOnTimer([this](QObject*) { TimerTriggered(); });
    InitializeWinsock();
}

TSocketSession::~TSocketSession() {
    destroying = true; // before anything, so that nothing reaches the events from here on
    StatusMessage(8, "Destroy");
    Abort();
    Cancel();
    timer.reset();
    noReopen = true;
    try {
        RequestCloseSocket();
    } catch (...) {
        // Nothing can be reported from a destructor.
    }
    window.reset();
    std::lock_guard lock(libraryMutex);
    if (--instanceCount == 0) WSACleanup();
}

int TSocketSession::InstanceCount() {
    return instanceCount;
}

void TSocketSession::InitializeWinsock() {
    StatusMessage(8, "Initializing Winsock");
    {
        std::lock_guard lock(libraryMutex);
        if (++instanceCount == 1) {
            TWsaData data;
            WSAStartup(0x0101, data);
            infoLines = {"Version= " + VersionText(data.Version),
                         "High Version= " + VersionText(data.HighVersion),
                         "Description= " + data.Description,
                         "System= " + data.SystemStatus,
                         "Max Sockets= " + std::to_string(data.MaxSockets),
                         "Max Udp pack size= " + std::to_string(data.MaxUdpDg)};
        }
    }
    const int error = socket.EnsureOpen([this](TSocket s) { return PrepareSocket(s, true); });
    if (error != 0) {
        std::lock_guard lock(libraryMutex);
        if (--instanceCount == 0) WSACleanup();
        throw ESockError("Initializaton of windows sockets failed", TSockErrorKind::Library);
    }
}

bool TSocketSession::PrepareSocket(TSocket s, bool lingerZero) {
    if (lingerZero) WsSetLingerZero(s);
    // Commands are small and each is followed by a wait for its reply: Nagle would only hold
    // a pipelined batch's tail back until the server's delayed ACK.
    WsSetNoDelay(s);
    return WSAAsyncSelect(s, window->Handle(), SocketEventMessage, FD_ALL_EVENTS) == 0;
}

int32_t TSocketSession::TimeOutFromSeconds(int32_t seconds) {
    return static_cast<int32_t>(std::clamp<int64_t>(int64_t{seconds} * 1000, INT32_MIN, INT32_MAX));
}

void TSocketSession::StatusMessage(uint8_t level, const std::string& text) {
    if (level > ReportLevel) return;
    {
        std::lock_guard lock(statusMutex);
        lastStatus = text;
    }
    if (!destroying && OnStatus) OnStatus(this, text);
}

std::string TSocketSession::LastStatus() const {
    std::lock_guard lock(statusMutex);
    return lastStatus;
}

void TSocketSession::ResolveRemoteHost() {
    StatusMessage(8, "Resolve Host");
    // The name buffer holds 127 characters; a longer name, or one with a NUL, would be looked
    // up cut short, so it is refused as a failed lookup instead.
    if (Host.size() >= 128 || Host.find('\0') != std::string::npos)
        throw ESockError("Host Lookup Failed", TSockErrorKind::LookupFailed);
    const uint32_t address = WsInetAddr(Host);
    if (address != INADDR_NONE_VALUE) {
        remoteAddress.Address = address;
        return;
    }
    remoteAddress.Address = 0;
    StartTimer();
    lookupDone = false;
    WSAAsyncGetHostByName(window->Handle(), LookupReplyMessage, ++lookupSerial, Host);
    WaitUntil([this] { return lookupDone || timedOut || canceled; }, false);
    StopTimer();
    if (timedOut) throw ESockError("Host Lookup Timed Out", TSockErrorKind::LookupTimedOut);
    if (canceled) throw ESockError("Host Lookup Canceled", TSockErrorKind::LookupCanceled);
    if (!eventOK) throw ESockError("Host Lookup Failed", TSockErrorKind::LookupFailed);
    {
        std::lock_guard lock(bufferMutex);
        if (hostEntry.size() < 4)
            throw ESockError("Host Lookup Failed", TSockErrorKind::LookupFailed);
        std::memcpy(&remoteAddress.Address, hostEntry.data(), 4);
    }
    if (OnHostResolved) OnHostResolved(this);
}

void TSocketSession::Connect() {
    StatusMessage(8, "Connecting");
    canceled = false;
    if (connected) throw ESockError("Already connected", TSockErrorKind::AlreadyConnected);
    // Nothing of an earlier connection may be taken for this one's.
    ClearReceiveBuffer();
    AbandonSend();
    tls.Reset();
    if (Security == TTransportSecurity::Tls) tls.Begin(Host);
    for (int attempts = 0;; ++attempts) {
        try {
            ResolveRemoteHost();
        } catch (const ESockError& failure) {
            if (failure.Kind() == TSockErrorKind::LookupTimedOut ||
                failure.Kind() == TSockErrorKind::LookupCanceled)
                throw;
            remoteAddress.Address = 0;
        }
        if (remoteAddress.Address != 0) break;
        const ESockError nullAddress("Null Remote Address", TSockErrorKind::NullAddress);
        if (attempts > 0 || !OnInvalidHost) throw nullAddress;
        bool handled = false;
        OnInvalidHost(handled);
        if (!handled) throw nullAddress;
    }
    remoteAddress.Family = 2;
    remoteAddress.Port = WsHtons(static_cast<uint16_t>(Port));
    lookupDone = false;
    eventOK = true;
    connectAnswered = false;
    // An earlier fresh socket may have failed (descriptor limit); this Connect tries again.
    if (const int error = socket.EnsureOpen([this](TSocket s) { return PrepareSocket(s, false); }))
        throw ESockError(LookUpErrorMessage(static_cast<unsigned>(error)), TSockErrorKind::Library);
    const int started = socket.With([this](TSocket s) { return WsConnect(s, remoteAddress); });
    if (started == SOCKET_ERROR) ErrorManager(WSAEWOULDBLOCK);
    StartTimer();
    // The wait is for the connect notification itself: a peer that speaks and closes at once
    // may have cleared Connected again before this thread looks.
    WaitUntil([this] { return connectAnswered || timedOut || canceled; }, false);
    StopTimer();
    if (!timedOut && !canceled && connectSucceeded) {
        if (Security == TTransportSecurity::Tls) StartTls();
        BeginReply(); // the greeting
        return;
    }
    RenewSocket();
    if (OnConnectionFailed) OnConnectionFailed(this);
    if (timedOut) throw ESockError("Connection Timed out", TSockErrorKind::ConnectTimedOut);
    if (canceled) throw ESockError("Connection Canceled", TSockErrorKind::ConnectCanceled);
    throw ESockError("Connection Failed", TSockErrorKind::ConnectFailed);
}

void TSocketSession::Disconnect() {
    StatusMessage(8, "Disconnecting");
    RequestCloseSocket();
}

void TSocketSession::Abort() {}

void TSocketSession::Cancel() {
    StatusMessage(8, "Canceling");
    canceled = true;
    SignalActivity();
}

void TSocketSession::CertifyConnect() {
    for (int attempts = 0; !connected; ++attempts) {
        if (attempts > 0 || !OnConnectionRequired)
            throw ESockError("Not Connected", TSockErrorKind::NotConnected);
        bool handled = false;
        OnConnectionRequired(handled);
        if (!handled) throw ESockError("Not Connected", TSockErrorKind::NotConnected);
    }
}

void TSocketSession::RequestCloseSocket() {
    StatusMessage(4, "Request Close Socket");
    connected = false;
    tls.Close([this](const char* from, int count) { return SendRaw(from, count); });
    tls.Reset();
    // Closing and replacing are one step: the other thread never sees a closed handle.
    const bool closed =
        socket.Renew(!noReopen, [this](TSocket s) { return PrepareSocket(s, false); });
    if (closed && !destroying && OnDisconnect) OnDisconnect(this);
}

void TSocketSession::RenewSocket() {
    // A connect that failed or is still pending would leave a socket that the next Connect
    // cannot use (the library reports the old attempt as still in progress) and that a late
    // answer could mark connected; there was no connection, so no event is told.
    socket.Renew(!noReopen, [this](TSocket s) { return PrepareSocket(s, false); });
}

void TSocketSession::DropConnection() {
    ClearReceiveBuffer();
    AbandonSend();
    if (connected) RequestCloseSocket();
    tls.Reset();
}

std::string TSocketSession::ErrorManager(uint16_t expected) {
    StatusMessage(16, "Checking Error In Error Manager");
    const unsigned error = static_cast<unsigned>(WSAGetLastError());
    lastError = error;
    if ((error & expected) == expected) return {};
    throw ESockError(LookUpErrorMessage(error), TSockErrorKind::Library);
}

std::string TSocketSession::LookUpErrorMessage(unsigned code) {
    StatusMessage(8, "Looking Up Error Message");
    return SocketErrorText(code);
}

void TSocketSession::StartTimer() {
    StatusMessage(8, "Timer On");
    timedOut = false;
    if (TimeOut < 0) throw Exception("Range check error");
    timer->SetInterval(static_cast<uint32_t>(TimeOut));
    timer->SetEnabled(true);
}

void TSocketSession::StopTimer() {
    StatusMessage(8, "Timer Off");
    timer->SetEnabled(false);
}

void TSocketSession::TimerTriggered() {
    StatusMessage(8, "Timer Triggered");
    StopTimer();
    timedOut = true;
    SignalActivity();
    Abort();
}

TSocket TSocketSession::Accept() {
    WaitUntil([this] { return lookupDone || canceled; }, false);
    if (canceled) throw ESockError("Accepting Canceled", TSockErrorKind::ConnectCanceled);
    if (!eventOK) throw ESockError("Error creating Data Connection", TSockErrorKind::Library);
    StatusMessage(4, "Accepting");
    TSocketAddress from;
    const TSocket accepted = socket.With([&](TSocket s) { return WsAccept(s, &from); });
    remoteAddress = from;
    if (canceled) {
        canceled = false;
        throw EAbortError("Socket send aborted");
    }
    return accepted;
}

void TSocketSession::WndProc(const TMessage& message) {
    const auto error = static_cast<uint16_t>(message.LParam >> 16);
    switch (message.Msg) {
    case SocketEventMessage:
        // Notifications still queued for a socket closed since then are not this socket's.
        if (message.WParam >> 16 != socket.Tag()) return;
        eventOK = error == 0;
        DispatchSocketEvent(static_cast<uint16_t>(message.LParam & 0xFFFF), message.WParam >> 16);
        break;
    case LookupReplyMessage:
        // A reply to an earlier, abandoned lookup must not answer the current one.
        if (message.WParam != lookupSerial) return;
        eventOK = error == 0;
        {
            std::lock_guard lock(bufferMutex);
            hostEntry = message.Data;
        }
        lookupDone = true;
        break;
    case SendRequestMessage:
        WriteFromStream();
        break;
    case ReadRequestMessage:
        ReadToStream();
        break;
    default:
        break;
    }
}

bool TSocketSession::TakeSocketEvent(long event) {
    return event == FD_READ ? ReadToStream() : event == FD_WRITE && WriteFromStream();
}

void TSocketSession::DispatchSocketEvent(uint16_t event, uint64_t tag) {
    switch (event) {
    case FD_READ:
        ReadToStream();
        break;
    case FD_WRITE:
        WriteFromStream();
        break;
    case FD_ACCEPT:
        connected = true;
        break;
    case FD_CONNECT:
        // Connected first: the waiting thread may go on to read as soon as it sees the answer.
        connected = eventOK.load();
        connectSucceeded = eventOK.load();
        connectAnswered = true;
        if (connected && OnConnect) OnConnect(this);
        break;
    case FD_CLOSE:
        DrainOnClose(tag);
        break;
    default:
        break;
    }
}

bool TSocketSession::WaitUntil(const std::function<bool()>& done, bool withProgressLimit) {
    using Clock = std::chrono::steady_clock;
    const auto limit = std::chrono::milliseconds(TimeOut);
    // Time spent outside any wait was not the peer's to use.
    if (withProgressLimit && Clock::now() - rateWindowStart >= limit) BeginReply();
    uint64_t seenProgress = progress;
    auto lastProgress = Clock::now();
    while (!done()) {
        // The socket's own readiness is taken in the step, and on the window's own thread
        // handled there at once, without a message; a claim tied to a socket closed meanwhile
        // finds its tag gone and claims nothing.
        const auto [fd, tag] = socket.Current();
        if (fd == INVALID_SOCKET)
            ProcessMessagesStep();
        else if (OnWindowThread())
            ProcessMessagesStep(static_cast<int>(fd), tag, takeSocketEvent);
        else
            ProcessMessagesStep(static_cast<int>(fd), tag);
        if (!withProgressLimit || TimeOut <= 0) continue;
        const auto now = Clock::now();
        const uint64_t moved = progress;
        if (moved != seenProgress) {
            seenProgress = moved;
            lastProgress = now;
        } else if (now - lastProgress >= limit) {
            return false; // silence
        }
        if (now - rateWindowStart >= limit) {
            const int64_t least = std::max<int64_t>(1, MinBytesPerSecond * TimeOut / 1000);
            if (moved - rateWindowProgress < static_cast<uint64_t>(least)) return false; // trickle
            rateWindowStart = now;
            rateWindowProgress = moved;
        }
    }
    return true;
}

void TSocketSession::BeginReply() {
    rateWindowStart = std::chrono::steady_clock::now();
    rateWindowProgress = progress;
}
