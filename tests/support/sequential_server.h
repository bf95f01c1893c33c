#pragma once
#include "tests/support/tcp_connection.h"

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A server thread on 127.0.0.1 that accepts connections one after another and hands each to a
// handler, recording every byte each client sent. The base of the scripted peer and the fake
// POP3 server.

namespace test_support {

struct ServerOptions {
    int acceptTimeoutMs = 10000; // the thread ends when no client comes for this long
    int ioTimeoutMs = 5000;      // longest wait for one line or one send
    size_t maxConnections = 64;  // afterwards the listening socket is closed
};

class SequentialServer {
public:
    // index counts the accepted connections from 0.
    using Handler = std::function<void(size_t index, Connection& connection)>;

    SequentialServer(ServerOptions options, Handler handler); // listens and starts the thread
    ~SequentialServer();                                      // stops the thread promptly
    SequentialServer(const SequentialServer&) = delete;
    SequentialServer& operator=(const SequentialServer&) = delete;

    uint16_t Port() const { return listener_.Port(); }
    // Raises the stop signal and joins the thread; later calls do nothing.
    void Stop();

    size_t Accepted() const;
    // Every byte connection `index` sent so far ("" for a connection that never came).
    std::string Received(size_t index) const;
    // The lines the handler read on that connection, line ends kept.
    std::vector<std::string> Lines(size_t index) const;
    // Failures seen by the handlers, as "connection 1: time-out", plus accept time-outs.
    std::vector<std::string> Errors() const;
    void AddError(size_t index, const std::string& text);
    // Waits until `count` connections have been handled to their end; false on time-out.
    bool WaitHandled(size_t count, int timeoutMs) const;

private:
    struct Record {
        std::string received;
        std::vector<std::string> lines;
        bool done = false;
    };
    void Run();

    ServerOptions options_;
    Handler handler_;
    Listener listener_;
    StopSignal stop_;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::vector<Record> records_;
    std::vector<std::string> errors_;
    std::thread thread_; // last: started once everything above exists
};

} // namespace test_support
