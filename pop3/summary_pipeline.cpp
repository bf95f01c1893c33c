#include "pop3/summary_pipeline.h"

void TSummaryPipeline::Plan(int32_t first, int32_t lastMessage, int32_t lines) {
    Reset();
    nextToSend = first;
    last = lastMessage;
    bodyLines = lines;
}

void TSummaryPipeline::Reset() {
    sent.clear();
    bytesInFlight = 0;
    nextToSend = 1;
    last = 0;
    bodyLines = 0;
    midReply = false;
}

std::string TSummaryPipeline::TopUp() {
    std::string out;
    if (bytesInFlight > Window / 2) return out;
    while (nextToSend <= last) {
        const std::string n = std::to_string(nextToSend);
        const std::string top = "TOP " + n + " " + std::to_string(bodyLines), list = "LIST " + n;
        const size_t bytes = top.size() + list.size() + 4;
        if (bytesInFlight + bytes > Window) break;
        out += top + "\r\n" + list + "\r\n";
        sent.push_back(top);
        sent.push_back(list);
        bytesInFlight += bytes;
        ++nextToSend;
    }
    return out;
}

bool TSummaryPipeline::Next(const std::string& command) const {
    return !sent.empty() && sent.front() == command;
}

void TSummaryPipeline::Answered(bool linesFollow) {
    DropNext();
    midReply = linesFollow;
}

bool TSummaryPipeline::NextIsMultiLine() const {
    return !sent.empty() && sent.front().rfind("TOP ", 0) == 0;
}

void TSummaryPipeline::DropNext() {
    if (sent.empty()) return;
    bytesInFlight -= sent.front().size() + 2;
    sent.pop_front();
}
