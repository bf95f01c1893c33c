// Pipelined summaries: where the server offers PIPELINING (RFC 2449), the TOP n 0 and LIST n
// commands of a planned run of GetSummary calls go out ahead of their replies, and each call
// takes its replies in order. The wire carries the same commands in the same order as lockstep,
// only sooner; the events, the summaries and the failure texts are those of lockstep.
#include "pop3/pop3_client.h"
#include "pop3/pop3_reply.h"

#include <algorithm>
#include <cctype>

namespace {

std::string WithoutLineEnd(std::string line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

} // namespace

// A capability line names PIPELINING; names are compared without regard to case.
bool NamesPipelining(const std::string& line) {
    static const std::string name = "PIPELINING";
    const std::string word = line.substr(0, line.find(' '));
    if (word.size() != name.size()) return false;
    for (size_t i = 0; i < word.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(word[i])) != name[i]) return false;
    return true;
}

void TPop3Client::PlanSummaries(int32_t first, int32_t last) {
    if (busy.exchange(true)) return;
    try {
        CertifyConnect();
        pipeline->Reset();
        // A single summary gains nothing from going ahead, and an empty mailbox needs none.
        if (last > first && ServerOffersPipelining())
            pipeline->Plan(first, last, std::clamp(PreviewLines, 0, MaxTopLines));
    } catch (...) {
        busy = false;
        throw;
    }
    busy = false;
}

bool TPop3Client::ServerOffersPipelining() {
    // Listed before the log-in (the capabilities asked for AUTH): a server does not take it back
    // after, so the round trip is saved. Not listed then, it may still come with the log-in.
    if (pipeliningListed) return true;
    std::string reply;
    Transaction("CAPA", reply);
    if (!PositiveReply(reply)) return false; // a server without CAPA gets lockstep
    bool offered = false;
    for (std::string line; (line = WithoutLineEnd(ReadLn())) != ".";)
        offered = offered || NamesPipelining(line);
    return offered;
}

void TPop3Client::Transaction(const std::string& request, std::string& reply) {
    DiscardUnanswered();
    TSocketSession::Transaction(request, reply);
}

void TPop3Client::SummaryExchange(const std::string& request, std::string& reply) {
    pipeline->ReplyRead(); // only called between replies
    try {
        if (pipeline->Planned()) {
            const std::string ahead = pipeline->TopUp();
            if (!ahead.empty()) Write(ahead);
        }
        if (!pipeline->Next(request)) {
            Transaction(request, reply); // not the planned order: lockstep from here on
            return;
        }
        const bool multiLine = pipeline->NextIsMultiLine();
        TakeReply(reply);
        pipeline->Answered(multiLine && PositiveReply(reply));
    } catch (...) {
        pipeline->Reset(); // the connection is fit only to be closed, as in lockstep
        throw;
    }
}

// Before any other command: the replies to commands sent ahead are read and dropped, so the next
// reply read is that command's. A session that fails meanwhile is left to the command.
void TPop3Client::DiscardUnanswered() {
    if (!pipeline->Unanswered() || pipeline->MidReply()) {
        pipeline->Reset();
        return;
    }
    try {
        while (pipeline->Unanswered()) {
            const bool multiLine = pipeline->NextIsMultiLine();
            pipeline->DropNext();
            const std::string status = ReadLn();
            if (multiLine && PositiveReply(status))
                while (WithoutLineEnd(ReadLn()) != ".") {
                }
        }
    } catch (...) {
        // The command that follows meets the same failure and reports it.
    }
    pipeline->Reset();
}
