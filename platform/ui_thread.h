#pragma once
#include <functional>
#include <memory>
#include <optional>

// The one way a worker has the user-interface thread answer something: the question is posted
// to that thread's queue, the worker waits, and the user-interface thread answers when its
// event loop (or a wait's polling step) comes to it. On the user-interface thread itself, or
// without an application, the question is answered at once.
//
// The wait ends early once `abandoned()` says so (asked every few milliseconds): a question not
// yet taken up then never is, and an answer that still comes is dropped. False in that case.
bool RunOnUiThread(std::function<void()> answer, const std::function<bool()>& abandoned = {});

// The answer of `question`, asked on the user-interface thread; nothing when abandoned.
template <class T>
std::optional<T> AskOnUiThread(std::function<T()> question,
                               const std::function<bool()>& abandoned = {}) {
    // Shared, so that an answer given after the asker has gone has somewhere to go.
    auto answer = std::make_shared<std::optional<T>>();
    const bool answered = RunOnUiThread(
        [question = std::move(question), answer] { *answer = question(); }, abandoned);
    if (!answered) return std::nullopt;
    return *answer;
}
