#include "tests/support/fake_pop3_server.h"

#include <cctype>
#include <map>
#include <utility>

namespace test_support {

namespace {

constexpr int kMaxCommands = 100000; // per connection, so the loop is bounded
constexpr int kStallLimitMs = 10000;

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> Words(const std::string& line) {
    std::vector<std::string> words;
    size_t start = 0;
    while (start < line.size()) {
        size_t end = line.find(' ', start);
        if (end == std::string::npos) end = line.size();
        if (end > start) words.push_back(line.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string StripLineEnd(std::string line) {
    if (!line.empty() && line.back() == '\n') line.pop_back();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

// A decimal number of at most 9 digits, or -1.
long Number(const std::string& text) {
    if (text.empty() || text.size() > 9) return -1;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return -1;
    return std::stol(text);
}

// Lines as a multi-line reply body: dot-stuffed, then the terminator.
std::string MultiLine(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines)
        out += (!line.empty() && line[0] == '.' ? "." : "") + line + "\r\n";
    return out + ".\r\n";
}

std::vector<std::string> NumberedUids(size_t count) {
    std::vector<std::string> uids;
    for (size_t i = 1; i <= count; ++i)
        uids.push_back("uid-" + std::to_string(i));
    return uids;
}

// RFC 1939's grammar, as strict servers hold clients to it: the keyword, then each argument
// after exactly one blank, nothing trailing, and the number of arguments the command takes.
// PASS takes the rest of the line, blanks included; unknown keywords are left to the caller.
bool WellFormed(const std::string& line) {
    const std::vector<std::string> words = Words(line);
    const std::string verb = words.empty() ? "" : Upper(words[0]);
    const size_t args = words.empty() ? 0 : words.size() - 1;
    static const std::map<std::string, std::pair<size_t, size_t>> arity = {
        {"USER", {1, 1}}, {"STAT", {0, 0}}, {"LIST", {0, 1}}, {"RETR", {1, 1}},
        {"DELE", {1, 1}}, {"NOOP", {0, 0}}, {"RSET", {0, 0}}, {"QUIT", {0, 0}},
        {"TOP", {2, 2}},  {"UIDL", {0, 1}}, {"APOP", {2, 2}}};
    if (verb == "PASS") return line.size() > 5 && line[4] == ' ';
    const auto found = arity.find(verb);
    if (found == arity.end()) return true;
    const bool blanks = line.empty() || line.front() == ' ' || line.back() == ' ' ||
                        line.find("  ") != std::string::npos;
    return !blanks && args >= found->second.first && args <= found->second.second;
}

} // namespace

std::string WireForm(const FakeMessage& message) {
    std::string out;
    for (const std::string& line : SplitLines(message.header))
        out += line + "\r\n";
    out += "\r\n";
    for (const std::string& line : SplitLines(message.body))
        out += line + "\r\n";
    return out;
}

// The state of one connection: its numbering stays fixed while it lasts (RFC 1939).
struct FakePop3Server::Session {
    std::vector<FakeMessage> messages;
    std::vector<std::string> uids; // one per message
    std::vector<bool> deleted;
    std::string user, password;
    bool userAccepted = false;
    bool authorized = false;
    bool bareUidl = false;

    // The message with POP3 number `text`, or nullptr with the error reply in `error`.
    const FakeMessage* Find(const std::string& text, std::string& error) const {
        long n = Number(text);
        if (n < 1 || static_cast<size_t>(n) > messages.size()) {
            error = "-ERR no such message\r\n";
            return nullptr;
        }
        if (deleted[n - 1]) {
            error = "-ERR message " + text + " already deleted\r\n";
            return nullptr;
        }
        return &messages[n - 1];
    }

    // The reply to one command; `quit` set when the connection is to end.
    std::string Answer(const std::string& line, bool& quit) {
        std::vector<std::string> words = Words(line);
        std::string verb = words.empty() ? "" : Upper(words[0]);
        size_t args = words.size() > 0 ? words.size() - 1 : 0;
        std::string error;
        if (verb == "QUIT") {
            quit = true;
            return "+OK bye\r\n";
        }
        if (!authorized) {
            if (verb == "USER" && args == 1) {
                userAccepted = words[1] == user;
                return userAccepted ? "+OK\r\n" : "-ERR no such user\r\n";
            }
            if (verb == "PASS") {
                if (!userAccepted) return "-ERR USER first\r\n";
                userAccepted = false;
                if (line.size() < 5 || line.substr(5) != password)
                    return "-ERR invalid password\r\n";
                authorized = true;
                return "+OK logged in\r\n";
            }
            return "-ERR not logged in\r\n";
        }
        size_t count = 0, octets = 0;
        for (size_t i = 0; i < messages.size(); ++i)
            if (!deleted[i]) ++count, octets += WireForm(messages[i]).size();
        if (verb == "STAT" && args == 0)
            return "+OK " + std::to_string(count) + " " + std::to_string(octets) + "\r\n";
        if (verb == "LIST" && args == 0) {
            std::vector<std::string> lines;
            for (size_t i = 0; i < messages.size(); ++i)
                if (!deleted[i])
                    lines.push_back(std::to_string(i + 1) + " " +
                                    std::to_string(WireForm(messages[i]).size()));
            return "+OK " + std::to_string(count) + " messages\r\n" + MultiLine(lines);
        }
        if (verb == "LIST" && args == 1) {
            const FakeMessage* message = Find(words[1], error);
            if (!message) return error;
            return "+OK " + words[1] + " " + std::to_string(WireForm(*message).size()) + "\r\n";
        }
        if ((verb == "TOP" && args == 2) || (verb == "RETR" && args == 1)) {
            const FakeMessage* message = Find(words[1], error);
            if (!message) return error;
            long bodyLines = verb == "RETR" ? -1 : Number(words[2]);
            if (verb == "TOP" && bodyLines < 0) return "-ERR invalid line count\r\n";
            std::vector<std::string> lines = SplitLines(message->header);
            lines.emplace_back();
            std::vector<std::string> body = SplitLines(message->body);
            size_t take =
                bodyLines < 0 ? body.size() : std::min(body.size(), static_cast<size_t>(bodyLines));
            lines.insert(lines.end(), body.begin(), body.begin() + static_cast<long>(take));
            return "+OK\r\n" + MultiLine(lines);
        }
        if (verb == "DELE" && args == 1) {
            if (!Find(words[1], error)) return error;
            deleted[Number(words[1]) - 1] = true;
            return "+OK message " + words[1] + " deleted\r\n";
        }
        if (verb == "UIDL" && args == 0) {
            std::vector<std::string> lines;
            for (size_t i = 0; i < messages.size(); ++i)
                if (!deleted[i]) lines.push_back(std::to_string(i + 1) + " " + uids[i]);
            return "+OK\r\n" + MultiLine(lines);
        }
        if (verb == "UIDL" && args == 1) {
            if (!Find(words[1], error)) return error;
            return "+OK " + (bareUidl ? "" : words[1] + " ") + uids[Number(words[1]) - 1] + "\r\n";
        }
        if (verb == "RSET" && args == 0) {
            deleted.assign(messages.size(), false);
            return "+OK\r\n";
        }
        if (verb == "NOOP" && args == 0) return "+OK\r\n";
        return "-ERR unknown command\r\n";
    }
};

FakePop3Server::FakePop3Server(std::vector<FakeMessage> mailbox, std::string user,
                               std::string password, ServerOptions options)
    : mailbox_(std::move(mailbox)), uids_(NumberedUids(mailbox_.size())), user_(std::move(user)),
      password_(std::move(password)), options_(options),
      server_(options, [this](size_t index, Connection& connection) { Serve(index, connection); }) {
}

FakePop3Server::~FakePop3Server() {
    server_.Stop();
}

void FakePop3Server::SetGreeting(std::string reply) {
    std::lock_guard lock(mutex_);
    greeting_ = std::move(reply);
}

void FakePop3Server::SetReply(const std::string& command, std::string reply) {
    std::lock_guard lock(mutex_);
    hooks_[command] = {Action::Reply, std::move(reply)};
}

void FakePop3Server::DropAt(const std::string& command) {
    std::lock_guard lock(mutex_);
    hooks_[command] = {Action::Drop, {}};
}

void FakePop3Server::StallAt(const std::string& command) {
    std::lock_guard lock(mutex_);
    hooks_[command] = {Action::Stall, {}};
}

void FakePop3Server::LeaveNumberOutOfUidl() {
    std::lock_guard lock(mutex_);
    bareUidl_ = true;
}

void FakePop3Server::SetChunking(size_t chunkSize, int delayMs) {
    std::lock_guard lock(mutex_);
    chunkSize_ = chunkSize;
    chunkDelayMs_ = delayMs;
}

std::vector<std::string> FakePop3Server::Commands(size_t connection) const {
    std::vector<std::string> commands = server_.Lines(connection);
    for (std::string& command : commands)
        command = StripLineEnd(command);
    return commands;
}

std::vector<FakeMessage> FakePop3Server::Mailbox() const {
    std::lock_guard lock(mutex_);
    return mailbox_;
}

bool FakePop3Server::FindHook(const std::string& line, Hook& hook) const {
    std::lock_guard lock(mutex_);
    auto found = hooks_.find(line);
    if (found == hooks_.end()) {
        std::vector<std::string> words = Words(line);
        found = hooks_.find(words.empty() ? std::string() : Upper(words[0]));
    }
    if (found == hooks_.end()) return false;
    hook = found->second;
    return true;
}

bool FakePop3Server::Send(Connection& connection, const std::string& bytes) const {
    size_t chunkSize;
    int delayMs;
    {
        std::lock_guard lock(mutex_);
        chunkSize = chunkSize_;
        delayMs = chunkDelayMs_;
    }
    return chunkSize == 0 ? connection.Send(bytes)
                          : connection.SendChunked(bytes, chunkSize, delayMs);
}

void FakePop3Server::Serve(size_t index, Connection& connection) {
    Session session;
    std::string greeting;
    {
        std::lock_guard lock(mutex_);
        session.messages = mailbox_;
        session.uids = uids_;
        session.user = user_;
        session.password = password_;
        greeting = greeting_;
        session.bareUidl = bareUidl_;
    }
    session.deleted.assign(session.messages.size(), false);
    if (!Send(connection, greeting)) return;
    for (int number = 1; number <= kMaxCommands; ++number) {
        std::optional<std::string> read = connection.ReadLine();
        if (!read) {
            if (connection.Failure() == "time-out")
                server_.AddError(index, "no command within the I/O time-out");
            return;
        }
        std::string line = StripLineEnd(*read);
        // Before any hook: a scripted reply must not excuse a malformed command.
        if (!WellFormed(line)) {
            if (!Send(connection, "-ERR Syntax error\r\n")) return;
            continue;
        }
        Hook hook;
        if (FindHook(line, hook)) {
            if (hook.action == Action::Drop) return;
            if (hook.action == Action::Stall) return connection.DrainUntilClosed(kStallLimitMs);
            if (!Send(connection, hook.reply)) return;
            std::vector<std::string> words = Words(line);
            if (!words.empty() && Upper(words[0]) == "QUIT") return;
            continue;
        }
        bool quit = false;
        std::string reply = session.Answer(line, quit);
        if (quit && session.authorized) {
            // The UPDATE state: deletions happen only now, for the next connection to see.
            std::lock_guard lock(mutex_);
            std::vector<FakeMessage> kept;
            std::vector<std::string> keptUids;
            for (size_t i = 0; i < session.messages.size(); ++i)
                if (!session.deleted[i]) {
                    kept.push_back(session.messages[i]);
                    keptUids.push_back(session.uids[i]);
                }
            mailbox_ = std::move(kept);
            uids_ = std::move(keptUids);
        }
        if (!Send(connection, reply) || quit) return;
    }
}

} // namespace test_support
