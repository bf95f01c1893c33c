#include "ui/ui_guard.h"

#include "platform/message_box.h"

#include <exception>

void ShowError(const std::string& text) {
    ShowMessageBox({TMsgKind::Error, TMsgButtons::Ok, {}, text});
}

void RunGuarded(const std::function<void()>& handler) {
    if (!handler) return;
    try {
        handler();
    } catch (const std::exception& failure) {
        ShowError(failure.what());
    } catch (...) {
        ShowError("Unknown failure");
    }
}
