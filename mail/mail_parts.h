#pragma once
#include <atomic>
#include <cstdint>

class TAccounts;
class TMailView;
class TMessageGrid;
class TPop3Client;

// What the window, the check (worker included) and the deletion share about mail operations.
struct TMailFlags {
    std::atomic<bool> Checking{false};
    std::atomic<int32_t> ListedCount{0};
    std::atomic<bool> LoggedIn{false};
    // 0 without a check, -1 after Cancel gave one up, else the number of the running attempt.
    std::atomic<int64_t> ThreadHandle{0};
    // A deletion or a table filling waits on the server: no other mail operation may start.
    bool MailBusy = false;
    // Body lines each check reads with every header, for the preview ("preview while
    // checking"); 0: the header alone.
    int32_t PreviewLines = 0;
};

// What the check and the deletion work with; the window owns all of it.
struct TMailParts {
    TPop3Client& Pop;
    TAccounts& Accounts;
    TMessageGrid& Grid;
    TMailFlags& Flags;
    TMailView& View;
};
