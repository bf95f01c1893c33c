#pragma once
#include <cstdint>
#include <string>

// A plain blocking TCP client to 127.0.0.1 for tests that talk to the test servers or Dovecot
// directly. Every read gives up after the time-out given at connection.

namespace test_support {

class BlockingClient {
public:
    // Throws std::runtime_error when the connection fails.
    explicit BlockingClient(uint16_t port, int timeoutMs = 5000);
    ~BlockingClient();
    BlockingClient(const BlockingClient&) = delete;
    BlockingClient& operator=(const BlockingClient&) = delete;

    bool Send(const std::string& bytes);
    // The next line with its line end; what arrived so far (maybe "") on time-out or close.
    std::string ReadLine();
    // Everything up to and including `terminator` (for example "\r\n.\r\n").
    std::string ReadUntil(const std::string& terminator);
    // What has arrived, waiting for at least one byte ("" on time-out or close).
    std::string ReadSome();
    // Everything until the server closes (or the time-out passes).
    std::string ReadToEnd();
    // True when the server closed the connection (end of stream or reset).
    bool ServerClosed() const { return closed_; }
    void Close();

private:
    // Reads more into buffer_; false on time-out or close.
    bool Fill();

    int fd_ = -1;
    std::string buffer_;
    bool closed_ = false;
};

} // namespace test_support
