#pragma once
#include <cstdint>

// One step of every blocking wait: process the calling thread's pending messages, then wait
// at most 2 ms for something to happen (a message posted anywhere, a handler finished).
// Returning early keeps round trips fast; the 2 ms bound keeps polled flags fresh.
void ProcessMessagesStep();

// The same step for a thread that waits on the socket fd of that tag (see
// socket_service::Claim): while it sleeps it watches the socket itself, so the socket's
// readiness reaches it without a hop through the service thread. Its notifications are the
// same, posted to the socket's window as always and handled by the next step.
void ProcessMessagesStep(int fd, uint64_t tag);

// Wakes every thread that waits in ProcessMessagesStep.
void SignalActivity();
