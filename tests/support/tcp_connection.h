#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// Blocking-with-time-out building blocks of the test servers, on plain POSIX sockets. Every wait
// also watches a stop signal, so a server's destructor never waits for a time-out to run out.

namespace test_support {

class TlsServerEnd;

// A flag that poll() can watch: once raised it stays raised.
class StopSignal {
public:
    StopSignal();
    ~StopSignal();
    StopSignal(const StopSignal&) = delete;
    StopSignal& operator=(const StopSignal&) = delete;

    void Raise();
    bool Raised() const;
    int Fd() const { return readFd_; }

private:
    int readFd_ = -1;
    int writeFd_ = -1;
};

// A TCP socket bound to 127.0.0.1 on an ephemeral port, which port receives; listening with
// backlog unless that is negative. Throws std::runtime_error when it cannot be set up.
int LoopbackSocket(int backlog, uint16_t& port);

// A listening socket on 127.0.0.1 with an ephemeral port.
class Listener {
public:
    Listener(); // throws std::runtime_error when the socket cannot be set up
    ~Listener();
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    uint16_t Port() const { return port_; }
    // The accepted socket, or -1 after timeoutMs or once stop is raised.
    int Accept(int timeoutMs, const StopSignal& stop);
    void Close();

private:
    int fd_ = -1;
    uint16_t port_ = 0;
};

// Where a connection reports what the client sent.
struct ConnectionLog {
    std::function<void(std::string_view)> bytes; // every byte received, in order
    std::function<void(std::string_view)> line;  // each line returned by ReadLine
};

// One accepted connection; all reads and writes are bounded by ioTimeoutMs and the stop signal.
class Connection {
public:
    Connection(int fd, const StopSignal& stop, int ioTimeoutMs, ConnectionLog log);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    bool Send(std::string_view bytes);
    // Runs the server side of a TLS handshake with the certificate certName (test_certs.h);
    // afterwards every read and write goes through TLS and the log records plain text.
    // False when the handshake fails (Failure() says why). oldTls: only TLS 1.0 and 1.1.
    bool StartTls(const std::string& certName, bool oldTls = false);
    // Sends bytes in pieces of chunkSize with a pause of delayMs between pieces.
    bool SendChunked(std::string_view bytes, size_t chunkSize, int delayMs);
    // The next line with its LF (and CR) kept; nullopt on time-out, end of stream or stop.
    std::optional<std::string> ReadLine();
    // Pauses; false when stop was raised meanwhile.
    bool Pause(int ms);
    // Keeps reading (and recording) until the client closes, limitMs pass or stop is raised.
    void DrainUntilClosed(int limitMs);
    // Records whatever has already arrived, then closes.
    void Close();
    bool Open() const { return fd_ >= 0; }
    // Why the last read or write failed: "time-out", "closed by client", "stopped", or an error.
    const std::string& Failure() const { return failure_; }

private:
    // Reads what is available within timeoutMs into pending_; false on failure.
    bool ReadSome(int timeoutMs);
    bool SendRaw(std::string_view bytes);
    // Moves received ciphertext through TLS; false when TLS failed.
    bool TakeTls(std::string_view raw);

    int fd_;
    const StopSignal& stop_;
    int ioTimeoutMs_;
    ConnectionLog log_;
    std::string pending_; // received but not yet returned as a line
    std::string failure_;
    std::unique_ptr<TlsServerEnd> tls_;
    bool tlsUp_ = false;
};

} // namespace test_support
