#pragma once

// One step of every blocking wait: process the calling thread's pending messages, then wait
// at most 2 ms for something to happen (a message posted anywhere, a handler finished).
// Returning early keeps round trips fast; the 2 ms bound keeps polled flags fresh.
void ProcessMessagesStep();

// Wakes every thread that waits in ProcessMessagesStep.
void SignalActivity();
