#include "net/tls_link.h"

#include "platform/sockets.h"

#include <algorithm>
#include <climits>

void TTlsLink::Begin(const std::string& host) {
    std::lock_guard lock(mutex);
    channel = std::make_unique<TTlsChannel>(host);
    state = TState::Handshaking;
    failure.clear();
    failureKind = TSockErrorKind::TlsFailed;
    plain.clear();
    committed = 0;
    ended = false;
    channel->Handshake(); // the first message; it needs the server's answer
    outgoing = channel->TakeOutgoing();
}

void TTlsLink::Reset() {
    std::lock_guard lock(mutex);
    channel.reset();
    state = TState::Off;
    failure.clear();
    failureKind = TSockErrorKind::TlsFailed;
    plain.clear();
    outgoing.clear();
    committed = 0;
    ended = false;
}

TTlsLink::TState TTlsLink::State() const {
    std::lock_guard lock(mutex);
    return state;
}

std::string TTlsLink::Failure() const {
    std::lock_guard lock(mutex);
    return failure;
}

TSockErrorKind TTlsLink::FailureKind() const {
    std::lock_guard lock(mutex);
    return failureKind;
}

bool TTlsLink::Verified() const {
    std::lock_guard lock(mutex);
    return channel && channel->Established() && channel->Verified();
}

TCertificateReport TTlsLink::Certificate() const {
    std::lock_guard lock(mutex);
    return channel ? channel->Certificate() : TCertificateReport{};
}

void TTlsLink::Open() {
    std::lock_guard lock(mutex);
    if (state == TState::Established) state = TState::Up;
}

bool TTlsLink::HasOutgoing() const {
    std::lock_guard lock(mutex);
    return !outgoing.empty();
}

void TTlsLink::FailLocked(const ETlsError& error) {
    state = TState::Failed;
    failure = error.Message();
    failureKind = error.Kind();
    plain.clear();
    outgoing.clear();
}

int TTlsLink::FlushLocked(const TRawSend& send) {
    while (!outgoing.empty()) {
        const int sent =
            send(outgoing.data(), static_cast<int>(std::min<size_t>(outgoing.size(), INT_MAX)));
        if (sent == SOCKET_ERROR) return SOCKET_ERROR;
        outgoing.erase(0, static_cast<size_t>(sent));
    }
    return 0;
}

int TTlsLink::Receive(char* into, int most, const TRawReceive& receive, const TRawSend& send) {
    std::lock_guard lock(mutex);
    if (state == TState::Off) return receive(into, most);
    // The socket is read until it has nothing more (or enough is deciphered): its next read
    // notification comes only after a read that found it empty.
    char cipher[16384];
    int last = 0;
    while (state != TState::Failed && !ended &&
           (state != TState::Up || plain.size() < static_cast<size_t>(most))) {
        last = receive(cipher, sizeof cipher);
        if (last == SOCKET_ERROR) break;
        try {
            if (last == 0) {
                ended = true;
                channel->FeedEnd();
            } else {
                channel->Feed(cipher, static_cast<size_t>(last));
            }
            if (state == TState::Handshaking && channel->Handshake()) state = TState::Established;
            if (state != TState::Handshaking) channel->Read(plain);
            outgoing += channel->TakeOutgoing();
            FlushLocked(send); // what does not go now goes on the next write notification
        } catch (const ETlsError& error) {
            // A server that closes without TLS's closing alert ends the stream like a plain
            // close: what it sent before stays readable, the lines say where it ends.
            if (!ended || state == TState::Handshaking) FailLocked(error);
        }
    }
    if (state == TState::Up && !plain.empty()) {
        const size_t given = std::min(plain.size(), static_cast<size_t>(most));
        plain.copy(into, given);
        plain.erase(0, given);
        return static_cast<int>(given);
    }
    return last == SOCKET_ERROR ? SOCKET_ERROR : 0;
}

int TTlsLink::Send(const char* from, int count, const TRawSend& send) {
    std::lock_guard lock(mutex);
    if (state == TState::Off) return send(from, count);
    if (state == TState::Failed) return SOCKET_ERROR;
    // The same plain text is offered again until its ciphertext has gone out whole.
    if (outgoing.empty() && committed == 0 && count > 0 && state == TState::Up) {
        try {
            channel->Write(std::string(from, static_cast<size_t>(count)));
        } catch (const ETlsError& error) {
            FailLocked(error);
            return SOCKET_ERROR;
        }
        outgoing = channel->TakeOutgoing();
        committed = count;
    }
    if (FlushLocked(send) == SOCKET_ERROR) return SOCKET_ERROR;
    const int done = committed;
    committed = 0;
    return done;
}

void TTlsLink::Close(const TRawSend& send) {
    std::lock_guard lock(mutex);
    if (state != TState::Up) return;
    try {
        channel->Close();
        outgoing += channel->TakeOutgoing();
        FlushLocked(send);
    } catch (const ETlsError&) {
        // Closing is a courtesy; the connection ends either way.
    }
}
