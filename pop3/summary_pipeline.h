#pragma once
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

// Which commands of a run of summaries (TOP n k and LIST n for n = first..last, in that order)
// have been sent ahead and not yet answered. It does no I/O: the client sends what TopUp()
// returns and reports each reply it takes.
//
// The commands unanswered at any time fit in Window bytes. A server may stop reading while it
// writes its replies; the commands still fit in its socket's receive buffer then, so our send
// never blocks and we go on reading, and neither side can wait on the other.
class TSummaryPipeline {
public:
    static constexpr size_t Window = 4096;

    // Commands for messages first..last, TOP asking for bodyLines, may be sent ahead from now on.
    void Plan(int32_t first, int32_t last, int32_t bodyLines = 0);
    // Forgets the plan and every unanswered command (a new connection, or one beyond repair).
    void Reset();

    // The command lines to send now; "" when the window is still more than half full, so that
    // the commands go out in batches, not one send per message.
    std::string TopUp();
    // The oldest unanswered command is this line (without its line end).
    bool Next(const std::string& command) const;
    // Its reply's status line was taken; a positive TOP reply's lines follow.
    void Answered(bool linesFollow);
    // The reader is at the end of the last reply taken.
    void ReplyRead() { midReply = false; }

    bool Planned() const { return nextToSend <= last; }
    bool Unanswered() const { return !sent.empty(); }
    bool MidReply() const { return midReply; }
    // The oldest unanswered command gets a multi-line reply when positive.
    bool NextIsMultiLine() const;
    void DropNext();

private:
    std::deque<std::string> sent;
    size_t bytesInFlight = 0;
    int32_t nextToSend = 1;
    int32_t last = 0;
    int32_t bodyLines = 0;
    bool midReply = false;
};
