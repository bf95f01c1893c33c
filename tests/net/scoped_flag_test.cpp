#include "net/scoped_flag.h"

#include <atomic>
#include <gtest/gtest.h>
#include <stdexcept>
#include <thread>

namespace {

template <typename Flag> void SetForTheScopeAndClearedByItsOwnerOnly() {
    Flag flag{false};
    {
        const TScopedFlag outer(flag);
        EXPECT_TRUE(outer.Claimed());
        EXPECT_TRUE(flag);
        {
            const TScopedFlag inner(flag);
            EXPECT_FALSE(inner.Claimed());
        }
        EXPECT_TRUE(flag); // still the outer scope's
    }
    EXPECT_FALSE(flag);
    try {
        const TScopedFlag thrown(flag);
        throw std::runtime_error("left by a failure");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(flag);
}

TEST(ScopedFlag, SetForTheScopeAndClearedByItsOwnerOnly) {
    SetForTheScopeAndClearedByItsOwnerOnly<bool>();
    SetForTheScopeAndClearedByItsOwnerOnly<std::atomic<bool>>();
}

// Two threads taking one flag: never both inside, and it ends clear however they interleave.
TEST(ScopedFlag, OneHolderAtATimeAcrossThreads) {
    std::atomic<bool> busy{false};
    std::atomic<int> inside{0};
    std::atomic<int> overlaps{0};
    auto work = [&] {
        for (int i = 0; i < 20000; ++i) {
            const TScopedFlag mark(busy);
            if (!mark.Claimed()) continue;
            if (++inside > 1) ++overlaps;
            --inside;
        }
    };
    std::thread other(work);
    work();
    other.join();
    EXPECT_EQ(overlaps, 0);
    EXPECT_FALSE(busy);
}

} // namespace
