#include "tests/support/sequential_server.h"

#include <chrono>

namespace test_support {

SequentialServer::SequentialServer(ServerOptions options, Handler handler)
    : options_(options), handler_(std::move(handler)), thread_([this] { Run(); }) {}

SequentialServer::~SequentialServer() {
    Stop();
}

void SequentialServer::Stop() {
    stop_.Raise();
    if (thread_.joinable()) thread_.join();
}

void SequentialServer::Run() {
    for (size_t index = 0; index < options_.maxConnections; ++index) {
        int fd = listener_.Accept(options_.acceptTimeoutMs, stop_);
        if (fd < 0) {
            if (!stop_.Raised()) AddError(index, "no connection within the accept time-out");
            break;
        }
        {
            std::lock_guard lock(mutex_);
            records_.emplace_back();
        }
        ConnectionLog log{[this, index](std::string_view bytes) {
                              std::lock_guard lock(mutex_);
                              records_[index].received.append(bytes);
                          },
                          [this, index](std::string_view line) {
                              std::lock_guard lock(mutex_);
                              records_[index].lines.emplace_back(line);
                          }};
        {
            Connection connection(fd, stop_, options_.ioTimeoutMs, std::move(log));
            handler_(index, connection);
        } // closed here, before the connection counts as handled
        // So that a client that saw the last connection handled finds the port closed.
        if (index + 1 == options_.maxConnections) listener_.Close();
        std::lock_guard lock(mutex_);
        records_[index].done = true;
        changed_.notify_all();
    }
    listener_.Close();
}

size_t SequentialServer::Accepted() const {
    std::lock_guard lock(mutex_);
    return records_.size();
}

std::string SequentialServer::Received(size_t index) const {
    std::lock_guard lock(mutex_);
    return index < records_.size() ? records_[index].received : std::string();
}

std::vector<std::string> SequentialServer::Lines(size_t index) const {
    std::lock_guard lock(mutex_);
    return index < records_.size() ? records_[index].lines : std::vector<std::string>();
}

std::vector<std::string> SequentialServer::Errors() const {
    std::lock_guard lock(mutex_);
    return errors_;
}

void SequentialServer::AddError(size_t index, const std::string& text) {
    std::lock_guard lock(mutex_);
    errors_.push_back("connection " + std::to_string(index) + ": " + text);
}

bool SequentialServer::WaitHandled(size_t count, int timeoutMs) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        if (records_.size() < count) return false;
        for (size_t i = 0; i < count; ++i)
            if (!records_[i].done) return false;
        return true;
    });
}

} // namespace test_support
