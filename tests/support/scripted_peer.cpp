#include "tests/support/scripted_peer.h"

#include <chrono>

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

Script& Script::ReadLines(int count) {
    for (int i = 0; i < count; ++i)
        ReadLine();
    return *this;
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

void ScriptedPeer::Play(size_t index, Connection& connection) {
    auto fail = [&](const char* step) {
        server_.AddError(index, std::string(step) + ": " + connection.Failure());
    };
    for (const Script::Step& step : scripts_[index].Steps()) {
        switch (step.kind) {
        case Script::Kind::Send:
            if (!(step.chunkSize == 0
                      ? connection.Send(step.bytes)
                      : connection.SendChunked(step.bytes, step.chunkSize, step.ms)))
                return fail("Send");
            break;
        case Script::Kind::ReadLine:
            if (!connection.ReadLine()) return fail("ReadLine");
            break;
        case Script::Kind::Wait:
            if (!connection.Pause(step.ms)) return;
            break;
        case Script::Kind::Tls:
            if (!connection.StartTls(step.bytes, step.oldTls)) return fail("Tls");
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
    connection.DrainUntilClosed(options_.ioTimeoutMs);
}

bool ScriptedPeer::WaitDone(int timeoutMs) const {
    return server_.WaitHandled(scripts_.size(), timeoutMs);
}

bool ScriptedPeer::WaitConnections(size_t count, int timeoutMs) const {
    return server_.WaitHandled(count, timeoutMs);
}

} // namespace test_support
