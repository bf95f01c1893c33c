// The read side of the POP3 client: the listing and the header summaries.
#include "net/nth_word.h"
#include "pop3/busy_scope.h"
#include "pop3/pop3_client.h"
#include "pop3/pop3_error.h"
#include "pop3/pop3_reply.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace {

// One header may take this much: real headers of 10 MB still fit, an endless reply does not.
// Each line is counted with what keeping it costs besides its bytes.
constexpr size_t MaxHeaderCost = 40 * 1024 * 1024;
constexpr size_t LineCost = 64;

// The text without blanks and control characters at either end.
std::string Trim(const std::string& text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
    size_t first = 0, last = text.size();
    while (first < last && blank(text[first]))
        ++first;
    while (last > first && blank(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

bool StartsWith(const std::string& line, const char* prefix) {
    return line.rfind(prefix, 0) == 0;
}

// Characters from 1-based position first to the line's length less two (its CR LF).
std::string ValueBeforeLineEnd(const std::string& line, size_t first) {
    if (line.size() < first + 2) return {};
    return line.substr(first - 1, line.size() - 2 - (first - 1));
}

std::string_view WithoutLineEnd(std::string_view line) {
    const size_t cut = line.size() >= 2 && line[line.size() - 2] == '\r' ? 2 : 1;
    return line.substr(0, line.size() - std::min(cut, line.size()));
}

} // namespace

void TPop3Client::List() {
    WhileBusy(busy, [this] {
        CertifyConnect();
        std::string reply;
        Transaction("LIST", reply); // RFC 1939: "LIST [msg]", no blank without the argument
        if (!PositiveReply(reply)) throw RefusedBy(reply);
        try {
            for (;;) {
                std::string line = ReadLn();
                line.resize(line.size() - std::min<size_t>(2, line.size()));
                if (line == ".") break;
                if (!OnList) continue;
                const int32_t size = NumberInReply(NthWord(line, ' ', 2));
                const int32_t msg = NumberInReply(NthWord(line, ' ', 1));
                OnList(msg, size);
            }
        } catch (...) {
            DropConnection(); // the rest of the listing must not answer the next command
            throw;
        }
    });
}

void TPop3Client::GetSummary(int32_t n) {
    WhileBusy(busy, [this, n] {
        CertifyConnect();
        if (OnRetrieveStart) OnRetrieveStart(this);
        std::string reply;
        SummaryExchange(TopCommand(n), reply);
        if (!PositiveReply(reply)) throw RefusedBy(reply);
        ReadSummaryHeader();
        ReadSummarySize(n);
        StatusMessage(1, "Summary Retrieved");
        if (OnRetrieveEnd) OnRetrieveEnd(this);
    });
}

std::string TPop3Client::TopCommand(int32_t n) const {
    return "TOP " + std::to_string(n) + " " +
           std::to_string(std::clamp(PreviewLines, 0, MaxTopLines));
}

// The header's lines go to Header as TOP n 0 gives them; the body lines that PreviewLines asks
// for go to Body, so the header, and all taken from it, is the same with or without them.
void TPop3Client::ReadSummaryHeader() {
    TSummary& s = *summary;
    s.Header.Clear();
    s.Body.clear();
    s.Subject.clear();
    s.From.clear();
    s.MessageId.clear();
    size_t cost = 0;
    size_t bodyBytes = 0;
    bool inBody = false;
    for (;;) {
        const std::string line = ReadLn();
        cost += line.size() + LineCost;
        if (cost > MaxHeaderCost) {
            s.Header.Clear();
            s.Body.clear();
            DropConnection();
            throw EPop3Error(TPop3ErrorKind::TooLong, "Summary failed: header too long");
        }
        const std::string_view stripped = WithoutLineEnd(line);
        if (inBody && stripped != ".") {
            bodyBytes += stripped.size();
            if (bodyBytes <= MaxTopBytes) s.Body.emplace_back(stripped);
            continue;
        }
        if (StartsWith(line, "Subject:")) s.Subject = ValueBeforeLineEnd(line, 9);
        if (StartsWith(line, "From:")) s.From = ValueBeforeLineEnd(line, 6);
        if (StartsWith(line, "Message-ID:"))
            s.MessageId = line.size() > 12 ? line.substr(12, 256) : std::string();
        inBody = stripped.empty() && PreviewLines > 0; // as before when no body is asked for
        s.Header.Add(stripped);
        if (stripped == ".") return;
    }
}

THeaderLines TPop3Client::TakeHeader() {
    THeaderLines header = std::exchange(summary->Header, THeaderLines());
    header.ShrinkToFit();
    return header;
}

std::vector<std::string> TPop3Client::GetTop(int32_t n, int32_t lines) {
    std::vector<std::string> top;
    WhileBusy(busy, [&] {
        CertifyConnect();
        std::string reply;
        Transaction("TOP " + std::to_string(n) + " " +
                        std::to_string(std::clamp(lines, 0, MaxTopLines)),
                    reply);
        if (!PositiveReply(reply)) throw RefusedBy(reply);
        size_t cost = 0;
        size_t kept = 0;
        for (;;) {
            std::string line(WithoutLineEnd(ReadLn()));
            cost += line.size() + LineCost;
            if (cost > MaxHeaderCost) {
                DropConnection(); // the rest of the reply must not answer the next command
                throw EPop3Error(TPop3ErrorKind::TooLong, "Preview failed: reply too long");
            }
            const bool end = line == ".";
            kept += line.size();
            if (end || kept <= MaxTopBytes) top.push_back(std::move(line));
            if (end) return;
        }
    });
    return top;
}

void TPop3Client::ReadSummarySize(int32_t n) {
    std::string reply;
    SummaryExchange("LIST " + std::to_string(n), reply);
    summary->Bytes = NumberInReply(Trim(NthWord(reply, ' ', 3)));
}
