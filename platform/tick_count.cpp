#include "platform/tick_count.h"

#include <ctime>
#include <mutex>

namespace {
std::mutex sourceMutex;
std::function<uint32_t()> tickSource;
} // namespace

uint32_t GetTickCount() {
    {
        std::lock_guard lock(sourceMutex);
        if (tickSource) return tickSource();
    }
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(static_cast<uint64_t>(now.tv_sec) * 1000u +
                                 static_cast<uint64_t>(now.tv_nsec) / 1000000u);
}

void SetTickSource(std::function<uint32_t()> source) {
    std::lock_guard lock(sourceMutex);
    tickSource = std::move(source);
}
