#pragma once
#include "accounts/security_mode.h"
#include "mail/check_worker.h"
#include "mime/body_preview.h"
#include "platform/message_window.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

class TPop3Client;
struct TAccount;

// The worker's result reached the user-interface thread: the attempt in the first parameter.
constexpr uint32_t WM_PREVIEW_DONE = WM_USER + 40;

// The first lines of one message, read on demand ("TOP n k") on a connection of its own by a
// worker thread, so the table never waits for it. Only the latest request counts: a newer one
// cancels the running worker, and a reply for a message no longer asked about is dropped.
// Nothing of the message is stored on disk. User-interface thread only.
class TMailPreview {
public:
    TMailPreview();
    ~TMailPreview();
    TMailPreview(const TMailPreview&) = delete;
    TMailPreview& operator=(const TMailPreview&) = delete;

    // Body lines asked for (the "preview_lines" setting).
    int32_t Lines = 20;
    // The preview of the message asked for last, or the words of its failure ("" on success).
    std::function<void(int message, const TPreview& preview, const std::string& failure)> OnDone;

    // Reads message n of the account (its server identifier, when the check had one, must still
    // match). A request while another runs gives the other up.
    void Request(const TAccount& account, int message);
    // Gives up whatever runs; nothing is reported for it.
    void Cancel();
    bool Running() const { return worker.Running(); }
    int Pending() const { return wanted.message; }

private:
    struct TWanted {
        std::string server;
        TSecurity security = TSecurity::None;
        std::string user;
        std::string password;
        std::string uid;
        int32_t timeout = 90;
        int32_t lines = 20;
        int message = 0;
    };
    void StartWanted();
    void Fetch(int64_t attempt, const TWanted& job);
    void EndSession();
    void Done(uint64_t attempt);

    std::unique_ptr<TPop3Client> pop;
    TCheckWorker worker;
    std::unique_ptr<TMessageWindow> window;
    TWanted wanted;                      // the latest request
    bool waiting = false;                // it waits for a worker that is being given up
    std::atomic<int64_t> lastAttempt{0}; // the attempt whose reply counts
    std::mutex mutex;                    // guards the result the worker hands over
    std::vector<std::string> lines;
    std::string failure;
    int64_t resultAttempt = 0;
};
