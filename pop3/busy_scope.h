#pragma once
#include "net/scoped_flag.h"

#include <atomic>

// Busy for the length of the call, whatever its outcome; a call made while busy does nothing.
template <typename Work> void WhileBusy(std::atomic<bool>& busy, Work work) {
    const TScopedFlag mark(busy);
    if (mark.Claimed()) work();
}
