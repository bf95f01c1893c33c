// The data side of the socket session: the send queue, the receive buffer, and the
// line-oriented operations the POP3 dialogue rests on.
#include "net/socket_session.h"

#include "platform/polling.h"

#include <cstring>

namespace {
constexpr int ChunkSize = 16383;
constexpr size_t WriteLimit = 16384;
} // namespace

void TSocketSession::Transaction(const std::string& request, std::string& reply) {
    StatusMessage(8, "Transaction");
    ReplyNumber = 0;
    Writeln(request);
    LastReply = ReadLn();
    if (!LastReply.empty()) {
        StatusMessage(1, LastReply);
        long value = 0;
        size_t digits = 0;
        while (digits < LastReply.size() && digits < 10 && LastReply[digits] >= '0' &&
               LastReply[digits] <= '9')
            value = value * 10 + (LastReply[digits++] - '0');
        // A number beyond the 16-bit range is no reply code; it is not taken.
        if (digits > 0 && value <= INT16_MAX) ReplyNumber = static_cast<int16_t>(value);
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
    if (!connected) throw ESockError("Socket send failed: not connected");
    {
        std::lock_guard lock(bufferMutex);
        sendDone = false;
        sendQueue.append(bytes, count);
    }
    PostMessage(window->Handle(), SendRequestMessage);
    const bool finished = WaitUntil([this] { return sendDone || canceled || !connected; }, true);
    if (canceled) {
        canceled = false;
        throw EAbortError("Socket send aborted");
    }
    if (sendDone) return;
    AbandonSend();
    throw ESockError(finished ? "Socket send failed: connection closed" : "Socket send timed out");
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
        // Once the connection is gone nothing more can arrive.
        return tooLong || !connected;
    };
    const bool ended = WaitUntil(lineOrEnd, true);
    if (canceled) throw EAbortError("Socket readln aborted");
    if (HasLine()) return TakeLine();
    if (tooLong) {
        ClearReceiveBuffer();
        RequestCloseSocket();
        throw ESockError("Socket readln failed: line too long");
    }
    if (!ended) throw ESockError("Socket readln timed out");
    throw ESockError("Socket readln failed: connection closed");
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
    std::lock_guard lock(bufferMutex);
    const size_t end = receiveBuffer.find('\n', receiveStart) + 1;
    std::string line = receiveBuffer.substr(receiveStart, end - receiveStart);
    receiveStart = end;
    lineScanFrom = 0;
    // Consumed bytes are dropped in bulk, so a reply of many lines is moved only rarely.
    if (receiveStart > receiveBuffer.size() / 2) {
        receiveBuffer.erase(0, receiveStart);
        receiveStart = 0;
    }
    return line;
}

void TSocketSession::ClearReceiveBuffer() {
    std::lock_guard lock(bufferMutex);
    receiveBuffer.clear();
    receiveStart = 0;
    lineScanFrom = 0;
}

void TSocketSession::WriteFromStream() {
    if (handlerBusy.exchange(true)) return;
    StatusMessage(8, "WriteFromStream");
    {
        std::lock_guard lock(bufferMutex);
        if (!sendQueue.empty() && !canceled) {
            const int chunk = static_cast<int>(std::min<size_t>(sendQueue.size(), ChunkSize));
            const int sent = WsSend(socket, sendQueue.data(), chunk);
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
    handlerBusy = false;
}

void TSocketSession::ReadToStream() {
    if (canceled) {
        WSAAsyncSelect(socket, window->Handle(), SocketEventMessage, 0);
        if (OnAbortRead) OnAbortRead(this);
    }
    if (handlerBusy.exchange(true)) return;
    StatusMessage(8, "ReadToStream");
    char chunk[ChunkSize];
    const int got = WsRecv(socket, chunk, ChunkSize);
    if (got == SOCKET_ERROR) {
        lastError = static_cast<uint32_t>(WSAGetLastError());
        LookUpErrorMessage(lastError);
    } else {
        {
            std::lock_guard lock(bufferMutex);
            receiveBuffer.append(chunk, static_cast<size_t>(got));
        }
        progress += static_cast<uint64_t>(got);
        if (got == ChunkSize) PostMessage(window->Handle(), ReadRequestMessage);
    }
    handlerBusy = false;
}

void TSocketSession::DrainOnClose() {
    char chunk[ChunkSize];
    for (int got; !canceled && (got = WsRecv(socket, chunk, ChunkSize)) > 0;) {
        std::lock_guard lock(bufferMutex);
        receiveBuffer.append(chunk, static_cast<size_t>(got));
    }
    connected = false;
    RequestCloseSocket();
}
