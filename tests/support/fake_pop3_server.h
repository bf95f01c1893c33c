#pragma once
#include "tests/support/sequential_server.h"

#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <vector>

// A small POP3 server (RFC 1939: USER, PASS, STAT, LIST, LIST n, TOP n k, RETR n, UIDL, UIDL n,
// DELE n, NOOP, RSET, QUIT) over a mailbox in memory, with hooks to make it misbehave:
//
//   test_support::FakePop3Server server({{"Subject: Hi\r\nFrom: a@example.com", "Body"}},
//                                       "bob", "pw");
//   server.SetReply("STAT", "+OK 3\r\n");  // answer STAT with this instead
//   server.StallAt("TOP 1 0");             // read this command, then say nothing
//   ... run the client against server.Port() ...
//   EXPECT_EQ(server.Received(0), "USER bob\r\nPASS pw\r\nSTAT\r\nQUIT\r\n");
//
// DELE takes effect at QUIT, so the next connection sees the smaller mailbox; a connection that
// ends without QUIT deletes nothing. The unique identifier of the i-th message given to the
// constructor is "uid-i" for as long as the message lives; SetReply("UIDL", "-ERR ...\r\n")
// plays a server without UIDL. Like a strict server it holds the client to RFC 1939's grammar
// before any hook: a trailing or doubled blank, or a missing or extra argument, is answered
// "-ERR Syntax error".

namespace test_support {

struct FakeMessage {
    std::string header; // header lines, separated by LF or CR LF, without the empty line
    std::string body;   // body lines, separated by LF or CR LF
};

// The message as a POP3 server sends and counts it: every line ending in CR LF, the header, an
// empty line, the body; no dot-stuffing. Its size is what LIST reports.
std::string WireForm(const FakeMessage& message);

class FakePop3Server {
public:
    FakePop3Server(std::vector<FakeMessage> mailbox, std::string user, std::string password,
                   ServerOptions options = {});
    ~FakePop3Server();

    uint16_t Port() const { return server_.Port(); }

    // The greeting line(s) sent on connecting (default "+OK fake POP3 server ready\r\n").
    void SetGreeting(std::string reply);
    // Answers a command with `reply` (raw bytes, line ends included) instead of doing it. The key
    // is the whole command line without its line end ("TOP 2 0", "LIST") or its first word in
    // capitals ("TOP"); the whole line is looked up first. An overridden command changes no state,
    // except that an overridden QUIT still ends the connection (deleting nothing).
    void SetReply(const std::string& command, std::string reply);
    // Closes the connection instead of answering that command.
    void DropAt(const std::string& command);
    // Reads that command, then answers nothing more until the client closes.
    void StallAt(const std::string& command);
    // Answers "UIDL n" with "+OK uid", without the message number, as some servers do.
    void LeaveNumberOutOfUidl();
    // Sends every reply and the greeting in pieces of chunkSize bytes with delayMs between them.
    void SetChunking(size_t chunkSize, int delayMs);

    // What the connection's client sent, every byte, and its command lines without line ends.
    std::string Received(size_t connection) const { return server_.Received(connection); }
    std::vector<std::string> Commands(size_t connection) const;
    size_t Connections() const { return server_.Accepted(); }
    std::vector<std::string> Errors() const { return server_.Errors(); }
    // Waits until `count` connections have ended; their transcripts are then complete.
    bool WaitConnections(size_t count, int timeoutMs = 5000) const {
        return server_.WaitHandled(count, timeoutMs);
    }
    // The mailbox as the next connection will see it.
    std::vector<FakeMessage> Mailbox() const;

private:
    enum class Action { Reply, Drop, Stall };
    struct Hook {
        Action action;
        std::string reply;
    };
    struct Session;

    void Serve(size_t index, Connection& connection);
    bool FindHook(const std::string& line, Hook& hook) const;
    bool Send(Connection& connection, const std::string& bytes) const;

    mutable std::mutex mutex_; // guards everything below, shared with the server thread
    std::vector<FakeMessage> mailbox_;
    std::vector<std::string> uids_; // one per message of mailbox_
    std::string user_;
    std::string password_;
    std::string greeting_ = "+OK fake POP3 server ready\r\n";
    std::map<std::string, Hook> hooks_;
    bool bareUidl_ = false;
    size_t chunkSize_ = 0;
    int chunkDelayMs_ = 0;
    ServerOptions options_;
    SequentialServer server_; // last: its thread reads the members above
};

} // namespace test_support
