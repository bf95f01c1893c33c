#pragma once
#include "tests/support/sequential_server.h"

#include <string>
#include <vector>

// A TCP peer on 127.0.0.1 that plays one script per accepted connection, one connection after
// another, and records every byte each client sent:
//
//   test_support::ScriptedPeer server({test_support::Script()
//                                          .Send("+OK ready\r\n")
//                                          .ReadLine().Send("+OK\r\n")    // USER
//                                          .ReadLine().Send("-ERR no\r\n") // PASS
//                                          .ReadLine().Send("+OK bye\r\n") // QUIT
//                                          .Close()});
//   ... connect the client to server.Port() and run it ...
//   ASSERT_TRUE(server.WaitDone());
//   EXPECT_EQ(server.Received(0), "USER bob\r\nPASS pw\r\nQUIT\r\n");
//
// A script that ends without Close() keeps reading until the client closes (bounded by the I/O
// time-out), so the transcript also holds what the client sent after the last scripted step.

namespace test_support {

class Script {
public:
    enum class Kind { Send, ReadLine, Wait, Close, Stall, Repeat, Tls };
    struct Step {
        Kind kind;
        std::string bytes;   // Send; Tls: the certificate's name
        size_t chunkSize;    // Send: 0 sends all at once
        int ms;              // Send: pause between chunks; Wait: the pause; Stall: the limit
        bool oldTls = false; // Tls: the server speaks only TLS 1.0 and 1.1
    };

    // Sends bytes at once.
    Script& Send(std::string bytes);
    // Sends bytes in pieces of chunkSize with delayMs between them (1 = a byte at a time).
    Script& SendChunked(std::string bytes, size_t chunkSize, int delayMs);
    // Reads until a line (up to LF) has arrived; the script ends early when none comes.
    Script& ReadLine();
    // ReadLine() count times.
    Script& ReadLines(int count);
    Script& Wait(int ms);
    // Closes the connection; later steps are not played.
    Script& Close();
    // Says nothing more and records what arrives until the client closes or limitMs pass.
    Script& Stall(int limitMs = 10000);
    // Sends bytes over and over, as fast as the client takes them, until it closes, stops
    // reading for the I/O time-out, or limitMs pass: an endless reply (bytes without LF) or a
    // flood (whole lines). Later steps are not played.
    Script& Repeat(std::string bytes, int limitMs = 10000);
    // The server side of a TLS handshake with the test certificate certName (test_certs.h);
    // the later steps go through TLS and the transcript records their plain text. The script
    // ends when the client does not complete the handshake. oldTls: a server that speaks only
    // TLS 1.0 and 1.1.
    Script& Tls(std::string certName, bool oldTls = false);

    const std::vector<Step>& Steps() const { return steps_; }

private:
    std::vector<Step> steps_;
};

class ScriptedPeer {
public:
    // Connection i plays scripts[i]; after the last script no further connection is accepted.
    explicit ScriptedPeer(std::vector<Script> scripts, ServerOptions options = {});
    explicit ScriptedPeer(Script script, ServerOptions options = {});

    uint16_t Port() const { return server_.Port(); }
    // Connections accepted so far.
    size_t Connections() const { return server_.Accepted(); }
    // Every byte connection `index` sent (complete once WaitDone() has returned true).
    std::string Received(size_t index) const { return server_.Received(index); }
    // The lines read by the ReadLine steps of connection `index`, line ends kept.
    std::vector<std::string> Lines(size_t index) const { return server_.Lines(index); }
    // Steps that could not be played ("connection 0: ReadLine: time-out").
    std::vector<std::string> Errors() const { return server_.Errors(); }
    // Waits until every script has been played to its end and its connection closed.
    bool WaitDone(int timeoutMs = 5000) const;
    // Waits until `count` connections have been played and closed.
    bool WaitConnections(size_t count, int timeoutMs = 5000) const;

private:
    void Play(size_t index, Connection& connection);

    std::vector<Script> scripts_;
    ServerOptions options_;
    SequentialServer server_; // last: its thread reads the members above
};

} // namespace test_support
