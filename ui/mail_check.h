#pragma once
#include "platform/message_window.h"
#include "ui/check_worker.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class TForm1;

// Private messages from the worker to the user-interface thread. They share one queue with
// WM_CHECK_READY, so the worker's clearing, status texts and hand-over arrive in order.
constexpr uint32_t WM_CHECK_CLEAR = WM_USER + 29;
constexpr uint32_t WM_CHECK_STATUS = WM_USER + 30;

// A mail check of the current account: the worker that connects and logs in, the table filling
// on the user-interface thread once it has, and Cancel. Every message from the worker carries
// the number of its attempt; an attempt given up by Cancel can no longer change anything.
class TMailCheck {
public:
    explicit TMailCheck(TForm1& form);
    ~TMailCheck();
    TMailCheck(const TMailCheck&) = delete;
    TMailCheck& operator=(const TMailCheck&) = delete;

    void Button1Click();
    void CancelClick();
    // The status dialog closed, however it was closed.
    void StatusClosed();
    // Handler of WM_CHECK_READY; attempt is the message's first parameter.
    void CheckReady(uint64_t attempt);

    // From the POP3 handlers, on whichever thread they run.
    void ShowStatus(const std::string& text);
    void PostCheckReady();
    bool OnWorker() const { return TCheckWorker::OnWorker(); }
    bool WorkerRunning() const { return worker.Running(); }

    // Gives up a worker that still runs (its status dialog closed while it connected), so that
    // the session is free for another operation.
    void AbandonRunningWorker();
    // At the end of the program: no worker outlives the window.
    void Shutdown();

private:
    struct TSnapshot {
        std::string account;
        std::vector<std::string> rows;
        std::vector<std::vector<std::string>> headers;
        std::vector<std::string> uids;
        std::string lastRefresh;
    };

    int CheckThreadProc(int64_t attempt);
    bool FillMessageTable();
    void FillRows();
    void AddRow(int32_t row);
    void StampRefresh();
    void FinishCheck();
    void Abandon();
    void DisconnectQuietly();
    void TakeSnapshot();
    void RestoreSnapshot();
    void WndProc(const TMessage& message);

    TForm1& form;
    TCheckWorker worker;
    std::unique_ptr<TMessageWindow> window; // receives the worker's messages
    int64_t lastAttempt = 0;
    std::atomic<int64_t> workerAttempt{0};
    bool filling = false;
    TSnapshot snapshot;
};
