#pragma once
#include "tests/support/sequential_server.h"

#include <mutex>
#include <string>
#include <vector>

// A TCP peer on 127.0.0.1 that plays one script per accepted connection, one connection after
// another, and records every byte each client sent. Most scripts are conversations, which read
// as the RFCs' examples: each line the client must send beside the reply (CR LF added unless the
// reply ends in LF; several lines in one string for a multi-line reply):
//
//   test_support::ScriptedPeer server(test_support::Talk({
//       {"", "+OK ready"}, // the greeting: no line to wait for
//       {"USER bob", "+OK"},
//       {"PASS pw", "-ERR no"},
//       {"QUIT", "+OK bye"},
//   }));
//
// Any other line, or none within the I/O time-out, fails the test with what was expected and
// what came; so does a line after the last step, a step that cannot be played, or a client that
// never came, by the time the peer goes. Single steps play what a conversation cannot say:
// replies in pieces, pauses, silence, floods, TLS. A script without an Expect step that ends
// without Close() keeps reading until the client closes (bounded by the I/O time-out), so the
// transcript also holds what the client sent after the last step.

namespace test_support {

// One step of a conversation: the line the client sends next ("" when the server speaks first,
// EmptyLine for a line with nothing on it) and what the server answers ("" for nothing, as
// before the replies to a pipelined batch).
struct Exchange {
    std::string client;
    std::string server;
};
inline const std::string EmptyLine = "\r\n";

class Script {
public:
    enum class Kind { Send, ReadLine, Expect, Wait, Close, Stall, Repeat, Tls };
    struct Step {
        Kind kind;
        std::string bytes;   // Send; Expect: the line without CR LF; Tls: the certificate's name
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
    // Reads the next line and fails the test unless it is `line` and CR LF. A last word "*"
    // stands for any one word (for a response that depends on the peer's port).
    Script& Expect(std::string line);
    // A conversation (see above) appended to the script.
    Script& Talk(const std::vector<Exchange>& exchanges);
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
    bool Checked() const; // holds an Expect step

private:
    std::vector<Step> steps_;
};

// A script that is one conversation.
Script Talk(const std::vector<Exchange>& exchanges);

class ScriptedPeer {
public:
    // Connection i plays scripts[i]; after the last script no further connection is accepted.
    explicit ScriptedPeer(std::vector<Script> scripts, ServerOptions options = {});
    explicit ScriptedPeer(Script script, ServerOptions options = {});
    // Waits for the connections under way to end, then fails the test for each conversation
    // that went otherwise than scripted.
    ~ScriptedPeer();

    uint16_t Port() const { return server_.Port(); }
    // Connections accepted so far.
    size_t Connections() const { return server_.Accepted(); }
    // Every byte connection `index` sent (complete once WaitDone() has returned true).
    std::string Received(size_t index) const { return server_.Received(index); }
    // The lines read by the ReadLine and Expect steps of connection `index`, line ends kept.
    std::vector<std::string> Lines(size_t index) const { return server_.Lines(index); }
    // Steps that could not be played ("connection 0: ReadLine: time-out"), conversations' too.
    std::vector<std::string> Errors() const { return server_.Errors(); }
    // Waits until every script has been played to its end and its connection closed.
    bool WaitDone(int timeoutMs = 5000) const;
    // Waits until `count` connections have been played and closed.
    bool WaitConnections(size_t count, int timeoutMs = 5000) const;

private:
    void Play(size_t index, Connection& connection);

    std::vector<Script> scripts_;
    ServerOptions options_;
    std::mutex mutex_;                  // guards failures_, written by the server thread
    std::vector<std::string> failures_; // of the conversations
    SequentialServer server_;           // last: its thread reads the members above
};

} // namespace test_support
