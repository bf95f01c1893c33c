#pragma once
#include <cstdint>
#include <functional>

// One step of every blocking wait: process the calling thread's pending messages, then wait
// at most 2 ms for something to happen (a message posted anywhere, a handler finished).
// Returning early keeps round trips fast; the 2 ms bound keeps polled flags fresh.
void ProcessMessagesStep();

// The same step for a thread that waits on the socket fd of that tag (see
// socket_service::Claim): while it sleeps it watches the socket itself, so the socket's
// readiness reaches it without a hop through the service thread. Its notifications are the
// same, posted to the socket's window as always and handled by the next step.
//
// A thread that is also the socket's window thread may pass take: a read or write readiness it
// saw is then handled at once by take(FD_READ or FD_WRITE), as the notification's handler would
// handle it, without a message or a wake-up; take returns false to have it posted after all.
void ProcessMessagesStep(int fd, uint64_t tag, const std::function<bool(long event)>& take = {});

// Wakes every thread that waits in ProcessMessagesStep.
void SignalActivity();
