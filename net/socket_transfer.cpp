// The data side of the socket session: the send queue, the receive buffer, and the
// line-oriented operations the POP3 dialogue rests on.
#include "net/socket_session.h"

#include "net/scoped_flag.h"
#include "platform/int_text.h"
#include "platform/polling.h"

#include <cstring>

namespace {
constexpr int ChunkSize = 16383;
constexpr size_t WriteLimit = 16384;
} // namespace

void TSocketSession::Transaction(const std::string& request, std::string& reply) {
    StatusMessage(8, "Transaction");
    ReplyNumber = 0;
    BeginReply();
    Writeln(request);
    ReadReply(reply);
}

void TSocketSession::TakeReply(std::string& reply) {
    StatusMessage(8, "Transaction");
    ReplyNumber = 0;
    BeginReply();
    ReadReply(reply);
}

void TSocketSession::ReadReply(std::string& reply) {
    LastReply = ReadLn();
    if (!LastReply.empty()) {
        StatusMessage(1, LastReply);
        size_t digits = 0;
        while (digits < LastReply.size() && digits < 10 && LastReply[digits] >= '0' &&
               LastReply[digits] <= '9')
            ++digits;
        // A number beyond the 16-bit range is no reply code; it is not taken.
        const auto value = TryStrToInt(LastReply.substr(0, digits));
        if (digits > 0 && value && *value <= INT16_MAX) ReplyNumber = static_cast<int16_t>(*value);
    }
    reply = LastReply;
}

void TSocketSession::Write(const std::string& text) {
    StatusMessage(8, "Write");
    // The text goes out up to its first NUL and at most 16384 characters.
    const size_t length = strnlen(text.c_str(), std::min(text.size(), WriteLimit));
    sendTextBuffer.assign(text, 0, length);
    SendBuffer(sendTextBuffer.c_str(), 0);
}

void TSocketSession::Writeln(const std::string& text) {
    StatusMessage(8, "Writeln");
    Write(text + "\r\n");
}

void TSocketSession::SendBuffer(const char* bytes, uint16_t length) {
    StatusMessage(4, "Sending Buffer");
    if (canceled) return;
    const size_t count = length ? length : strnlen(bytes, 65535);
    if (!connected)
        throw ESockError("Socket send failed: not connected", TSockErrorKind::NotConnected);
    {
        std::lock_guard lock(bufferMutex);
        sendDone = false;
        sendQueue.append(bytes, count);
    }
    // The window's own thread sends at once; another thread's request waits for its handler.
    if (!OnWindowThread() || !WriteFromStream()) PostMessage(window->Handle(), SendRequestMessage);
    const bool finished = WaitUntil(
        [this] {
            return sendDone || canceled || !connected || tls.State() == TTlsLink::TState::Failed;
        },
        true);
    if (canceled) {
        canceled = false;
        throw EAbortError("Socket send aborted");
    }
    if (sendDone) return;
    DropConnection();
    if (finished)
        throw ESockError("Socket send failed: connection closed", TSockErrorKind::SendClosed);
    throw ESockError("Socket send timed out", TSockErrorKind::SendTimedOut);
}

void TSocketSession::AbandonSend() {
    // Bytes meant for a connection that is gone must not reach the next one.
    std::lock_guard lock(bufferMutex);
    sendQueue.clear();
}

std::string TSocketSession::ReadLn() {
    StatusMessage(8, "ReadLn");
    bool tooLong = false;
    auto lineOrEnd = [&] {
        if (HasLine() || canceled) return true;
        tooLong = BufferedBytes() > MaxLineLength;
        // Once the connection is gone (or its TLS broken) nothing more can arrive.
        return tooLong || !connected || tls.State() == TTlsLink::TState::Failed;
    };
    const bool ended = WaitUntil(lineOrEnd, true);
    if (canceled) throw EAbortError("Socket readln aborted");
    if (HasLine()) return TakeLine();
    // A read that failed leaves nothing behind for the next one to take as its own.
    DropConnection();
    if (tooLong)
        throw ESockError("Socket readln failed: line too long", TSockErrorKind::LineTooLong);
    if (!ended) throw ESockError("Socket readln timed out", TSockErrorKind::ReadTimedOut);
    throw ESockError("Socket readln failed: connection closed", TSockErrorKind::ReadClosed);
}

bool TSocketSession::HasLine() {
    std::lock_guard lock(bufferMutex);
    const char* from = receiveBuffer.data() + receiveStart;
    const size_t size = receiveBuffer.size() - receiveStart;
    if (memchr(from + lineScanFrom, '\n', size - lineScanFrom)) return true;
    lineScanFrom = size;
    return false;
}

size_t TSocketSession::BufferedBytes() {
    std::lock_guard lock(bufferMutex);
    return receiveBuffer.size() - receiveStart;
}

std::string TSocketSession::TakeLine() {
    std::string line;
    {
        std::lock_guard lock(bufferMutex);
        const size_t end = receiveBuffer.find('\n', receiveStart) + 1;
        line = receiveBuffer.substr(receiveStart, end - receiveStart);
        receiveStart = end;
        lineScanFrom = 0;
        // Consumed bytes are dropped in bulk, so a reply of many lines is moved only rarely.
        if (receiveStart > receiveBuffer.size() / 2) {
            receiveBuffer.erase(0, receiveStart);
            receiveStart = 0;
        }
    }
    // Reading paused on a full buffer goes on now that there is room.
    if (readPaused.exchange(false)) PostMessage(window->Handle(), ReadRequestMessage);
    return line;
}

void TSocketSession::ClearReceiveBuffer() {
    {
        std::lock_guard lock(bufferMutex);
        receiveBuffer.clear();
        receiveBuffer.shrink_to_fit();
        receiveStart = 0;
        lineScanFrom = 0;
    }
    if (readPaused.exchange(false)) PostMessage(window->Handle(), ReadRequestMessage);
}

// Both go through TLS once it is up (tls_link.h); before that they move the bytes as they are.
int TSocketSession::ReceiveSome(char* into, int most, uint64_t onlyTag) {
    // A connection closed since then is no longer the link's.
    if (onlyTag != 0 && onlyTag != socket.Tag()) return 0;
    auto raw = [&](char* bytes, int count) {
        return socket.WithTagged(
            onlyTag, [&](TSocket s) { return WsRecv(s, bytes, count); }, 0);
    };
    return tls.Receive(into, most, raw,
                       [this](const char* from, int count) { return SendRaw(from, count); });
}

int TSocketSession::SendSome(const char* from, int count) {
    return tls.Send(from, count,
                    [this](const char* bytes, int size) { return SendRaw(bytes, size); });
}

int TSocketSession::SendRaw(const char* from, int count) {
    return socket.With([&](TSocket s) { return WsSend(s, from, count); });
}

bool TSocketSession::WriteFromStream() {
    const TScopedFlag busy(handlerBusy);
    if (!busy.Claimed()) return false;
    StatusMessage(8, "WriteFromStream");
    {
        std::lock_guard lock(bufferMutex);
        // The TLS handshake's messages go out with nothing queued.
        if ((!sendQueue.empty() || tls.HasOutgoing()) && !canceled) {
            const int chunk = static_cast<int>(std::min<size_t>(sendQueue.size(), ChunkSize));
            const int sent = SendSome(sendQueue.data(), chunk);
            if (sent == SOCKET_ERROR) {
                lastError = static_cast<uint32_t>(WSAGetLastError());
            } else {
                sendQueue.erase(0, static_cast<size_t>(sent));
                progress += static_cast<uint64_t>(sent);
                if (!sendQueue.empty())
                    PostMessage(window->Handle(), SendRequestMessage);
                else
                    sendDone = true;
            }
        }
    }
    return true;
}

bool TSocketSession::ReadToStream() {
    if (canceled) {
        socket.With([this](TSocket s) {
            return WSAAsyncSelect(s, window->Handle(), SocketEventMessage, 0);
        });
        if (OnAbortRead) OnAbortRead(this);
    }
    const TScopedFlag busy(handlerBusy);
    if (!busy.Claimed()) return false;
    StatusMessage(8, "ReadToStream");
    // A full buffer is not read into: the peer waits until ReadLn has taken lines, so no
    // server can make the buffer grow without bound.
    size_t held = BufferedBytes();
    if (held >= MaxBufferedBytes) {
        readPaused = true;
        // Marked before looking again: a line taken in between sees the mark and resumes.
        held = BufferedBytes();
        if (held >= MaxBufferedBytes) return true;
        readPaused = false;
    }
    char chunk[ChunkSize];
    const int most = static_cast<int>(std::min<size_t>(ChunkSize, MaxBufferedBytes - held));
    const int got = ReceiveSome(chunk, most);
    if (got == SOCKET_ERROR) {
        lastError = static_cast<uint32_t>(WSAGetLastError());
        LookUpErrorMessage(lastError);
    } else {
        {
            std::lock_guard lock(bufferMutex);
            receiveBuffer.append(chunk, static_cast<size_t>(got));
        }
        progress += static_cast<uint64_t>(got);
        if (got == most) PostMessage(window->Handle(), ReadRequestMessage);
    }
    return true;
}

void TSocketSession::DrainOnClose(uint64_t tag) {
    // What the peer sent before closing is bounded by the socket's own buffer.
    char chunk[ChunkSize];
    for (int got; !canceled && (got = ReceiveSome(chunk, ChunkSize, tag)) > 0;) {
        std::lock_guard lock(bufferMutex);
        receiveBuffer.append(chunk, static_cast<size_t>(got));
    }
    connected = false;
    // Only this connection's socket: the other thread may have replaced it meanwhile.
    const bool closed = socket.Renew(
        !noReopen, [this](TSocket s) { return PrepareSocket(s, false); }, tag);
    StatusMessage(4, "Request Close Socket");
    if (closed && !destroying && OnDisconnect) OnDisconnect(this);
}
