#include "tests/support/scripted_peer.h"

#include <chrono>
#include <gtest/gtest.h>

namespace test_support {

Script& Script::Send(std::string bytes) {
    return SendChunked(std::move(bytes), 0, 0);
}

Script& Script::SendChunked(std::string bytes, size_t chunkSize, int delayMs) {
    steps_.push_back({Kind::Send, std::move(bytes), chunkSize, delayMs});
    return *this;
}

Script& Script::ReadLine() {
    steps_.push_back({Kind::ReadLine, {}, 0, 0});
    return *this;
}

Script& Script::Expect(std::string line) {
    steps_.push_back({Kind::Expect, std::move(line), 0, 0});
    return *this;
}

Script& Script::Talk(const std::vector<Exchange>& exchanges) {
    for (const Exchange& exchange : exchanges) {
        if (!exchange.client.empty()) Expect(exchange.client == EmptyLine ? "" : exchange.client);
        if (exchange.server.empty()) continue;
        const bool ended = exchange.server.back() == '\n';
        Send(ended ? exchange.server : exchange.server + "\r\n");
    }
    return *this;
}

bool Script::Checked() const {
    for (const Step& step : steps_)
        if (step.kind == Kind::Expect) return true;
    return false;
}

Script Talk(const std::vector<Exchange>& exchanges) {
    return Script().Talk(exchanges);
}

Script& Script::Wait(int ms) {
    steps_.push_back({Kind::Wait, {}, 0, ms});
    return *this;
}

Script& Script::Close() {
    steps_.push_back({Kind::Close, {}, 0, 0});
    return *this;
}

Script& Script::Stall(int limitMs) {
    steps_.push_back({Kind::Stall, {}, 0, limitMs});
    return *this;
}

Script& Script::Repeat(std::string bytes, int limitMs) {
    steps_.push_back({Kind::Repeat, std::move(bytes), 0, limitMs});
    return *this;
}

Script& Script::Tls(std::string certName, bool oldTls) {
    steps_.push_back({Kind::Tls, std::move(certName), 0, 0, oldTls});
    return *this;
}

namespace {

// The line with its CR and LF shown, in quotes, so that a stray blank shows too.
std::string Shown(const std::string& line) {
    std::string out = "\"";
    for (char c : line)
        out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
    return out + "\"";
}

// `got` is `expected` and CR LF; a last word "*" in `expected` takes any one word.
bool Matches(const std::string& expected, const std::string& got) {
    if (got.size() < 2 || got.compare(got.size() - 2, 2, "\r\n") != 0) return false;
    const std::string line = got.substr(0, got.size() - 2);
    if (expected.size() < 2 || expected.compare(expected.size() - 2, 2, " *") != 0)
        return line == expected;
    const size_t head = expected.size() - 1;
    return line.size() > head && line.compare(0, head, expected, 0, head) == 0 &&
           line.find(' ', head) == std::string::npos;
}

ServerOptions LimitedTo(ServerOptions options, size_t connections) {
    options.maxConnections = connections;
    return options;
}

} // namespace

ScriptedPeer::ScriptedPeer(std::vector<Script> scripts, ServerOptions options)
    : scripts_(std::move(scripts)), options_(options),
      server_(LimitedTo(options, scripts_.size()),
              [this](size_t index, Connection& connection) { Play(index, connection); }) {}

ScriptedPeer::ScriptedPeer(Script script, ServerOptions options)
    : ScriptedPeer(std::vector<Script>{std::move(script)}, options) {}

ScriptedPeer::~ScriptedPeer() {
    bool talks = false;
    for (const Script& script : scripts_)
        talks = talks || script.Checked();
    // The client has usually closed by now; its last lines may still be on their way.
    if (talks) server_.WaitHandled(server_.Accepted(), options_.ioTimeoutMs + 1000);
    server_.Stop();
    for (const std::string& failure : failures_)
        ADD_FAILURE() << failure;
    for (size_t i = server_.Accepted(); i < scripts_.size(); ++i)
        if (scripts_[i].Checked()) ADD_FAILURE() << "connection " << i << ": the client never came";
}

void ScriptedPeer::Play(size_t index, Connection& connection) {
    const Script& script = scripts_[index];
    // In a conversation, a step that cannot be played fails the test.
    auto fail = [&](const std::string& text) {
        server_.AddError(index, text);
        if (!script.Checked()) return;
        std::lock_guard lock(mutex_);
        failures_.push_back("connection " + std::to_string(index) + ": " + text);
    };
    int lines = 0; // the client lines expected so far
    for (const Script::Step& step : script.Steps()) {
        switch (step.kind) {
        case Script::Kind::Send:
            if (!(step.chunkSize == 0
                      ? connection.Send(step.bytes)
                      : connection.SendChunked(step.bytes, step.chunkSize, step.ms)))
                return fail("Send: " + connection.Failure());
            break;
        case Script::Kind::ReadLine:
            if (!connection.ReadLine()) return fail("ReadLine: " + connection.Failure());
            break;
        case Script::Kind::Expect: {
            ++lines;
            const std::optional<std::string> line = connection.ReadLine();
            if (line && Matches(step.bytes, *line)) break;
            fail("client line " + std::to_string(lines) + ": expected " +
                 Shown(step.bytes + "\r\n") + ", got " +
                 (line ? Shown(*line) : connection.Failure()));
            return connection.Close();
        }
        case Script::Kind::Wait:
            if (!connection.Pause(step.ms)) return;
            break;
        case Script::Kind::Tls:
            if (!connection.StartTls(step.bytes, step.oldTls))
                return fail("Tls: " + connection.Failure());
            break;
        case Script::Kind::Close:
            connection.Close();
            return;
        case Script::Kind::Stall:
            connection.DrainUntilClosed(step.ms);
            return;
        case Script::Kind::Repeat: {
            const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(step.ms);
            while (std::chrono::steady_clock::now() < end && connection.Send(step.bytes)) {
            }
            connection.Close();
            return;
        }
        }
    }
    if (!script.Checked()) return connection.DrainUntilClosed(options_.ioTimeoutMs);
    // A conversation is over: the client may only close now.
    if (const std::optional<std::string> line = connection.ReadLine())
        fail("expected the client to close, got " + Shown(*line));
}

bool ScriptedPeer::WaitDone(int timeoutMs) const {
    return server_.WaitHandled(scripts_.size(), timeoutMs);
}

bool ScriptedPeer::WaitConnections(size_t count, int timeoutMs) const {
    return server_.WaitHandled(count, timeoutMs);
}

} // namespace test_support
