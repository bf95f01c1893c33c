// Posted messages: one dispatch pass handles what was waiting when it began.
#include "platform/message_window.h"

#include <gtest/gtest.h>

TEST(MessageWindow, APassHandlesOnlyTheMessagesWaitingWhenItBegan) {
    std::vector<uint64_t> handled;
    TWindowHandle handle = 0;
    // Every message posts its successor, as a read of a full chunk asks for the next read.
    TMessageWindow window([&](const TMessage& message) {
        handled.push_back(message.WParam);
        if (message.WParam < 100) PostMessage(handle, WM_USER, message.WParam + 10);
    });
    handle = window.Handle();
    for (uint64_t first : {1, 2, 3})
        PostMessage(handle, WM_USER, first);
    DispatchPendingMessages();
    EXPECT_EQ(handled, (std::vector<uint64_t>{1, 2, 3}));
    DispatchPendingMessages();
    EXPECT_EQ(handled, (std::vector<uint64_t>{1, 2, 3, 11, 12, 13}));
    for (int pass = 0; pass < 20; ++pass)
        DispatchPendingMessages();
    EXPECT_EQ(handled.size(), 33u);
}
