#pragma once
#include <atomic>

// Busy for the length of the call, whatever its outcome; a call made while busy does nothing.
template <typename Work> void WhileBusy(std::atomic<bool>& busy, Work work) {
    if (busy.exchange(true)) return;
    try {
        work();
    } catch (...) {
        busy = false;
        throw;
    }
    busy = false;
}
