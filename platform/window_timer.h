#pragma once
#include "platform/message_window.h"

#include <cstdint>

// Periodic timers that post WM_TIMER (WParam = the timer's id) to a window. Both calls work
// from any thread. SetTimer returns false when the timer cannot be started.
bool SetTimer(TWindowHandle window, uint64_t id, uint32_t intervalMs);
bool KillTimer(TWindowHandle window, uint64_t id);
