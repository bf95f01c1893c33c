#include "platform/window_timer.h"

#include "platform/socket_service.h"

bool SetTimer(TWindowHandle window, uint64_t id, uint32_t intervalMs) {
    return socket_service::StartTimer(window, id, intervalMs);
}

bool KillTimer(TWindowHandle window, uint64_t id) {
    return socket_service::StopTimer(window, id);
}
