#pragma once
#include <atomic>
#include <utility>

// Sets a flag for the length of a scope, however the scope is left. Only the scope that set it
// clears it again: one that found it set already (Claimed() false) leaves it to its holder, so
// a flag shared between threads is taken and given back as by exchange(true) ... = false.
template <typename Flag> class TScopedFlag {
public:
    explicit TScopedFlag(Flag& held) : flag(held), was(Take(held)) {}
    ~TScopedFlag() {
        if (!was) flag = false;
    }
    TScopedFlag(const TScopedFlag&) = delete;
    TScopedFlag& operator=(const TScopedFlag&) = delete;

    // Whether this scope set the flag (it was clear before).
    bool Claimed() const { return !was; }

private:
    static bool Take(bool& flag) { return std::exchange(flag, true); }
    static bool Take(std::atomic<bool>& flag) { return flag.exchange(true); }

    Flag& flag;
    const bool was;
};
