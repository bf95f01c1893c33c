#include "platform/message_box.h"

#include <mutex>

namespace {
std::mutex handlerMutex;
TMessageBoxHandler installed;
} // namespace

TMsgResult ShowMessageBox(const TMsgRequest& request) {
    TMessageBoxHandler handler;
    {
        std::lock_guard lock(handlerMutex);
        handler = installed;
    }
    if (handler) return handler(request);
    return request.Buttons == TMsgButtons::YesNo ? TMsgResult::No : TMsgResult::Ok;
}

void SetMessageBoxHandler(TMessageBoxHandler handler) {
    std::lock_guard lock(handlerMutex);
    installed = std::move(handler);
}

void ShowMessage(const std::string& text) {
    ShowMessageBox({TMsgKind::Information, TMsgButtons::Ok, {}, text});
}

bool Confirm(const std::string& text) {
    return ShowMessageBox({TMsgKind::Confirmation, TMsgButtons::YesNo, "Confirm", text}) ==
           TMsgResult::Yes;
}
