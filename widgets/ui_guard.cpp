#include "widgets/ui_guard.h"

#include "platform/exception.h"
#include "platform/message_box.h"
#include "platform/translated_text.h"

#include <exception>

namespace {
// Enough for any reason a person reads; a server's reply line can be megabytes long.
constexpr size_t ShownLength = 400;
} // namespace

std::string ShownText(const std::string& text) {
    if (text.size() <= ShownLength) return text;
    return text.substr(0, ShownLength) + "...";
}

std::string FailureText(const std::exception& failure) {
    // The system's own failures keep bytes after a NUL; what() would stop there.
    if (const auto* own = dynamic_cast<const Exception*>(&failure)) return own->Message();
    return failure.what();
}

void ShowError(const std::string& text) {
    ShowMessageBox({TMsgKind::Error, TMsgButtons::Ok, {}, ShownText(text)});
}

void RunGuarded(const std::function<void()>& handler) {
    if (!handler) return;
    try {
        handler();
    } catch (const std::exception& failure) {
        ShowError(FailureText(failure));
    } catch (...) {
        ShowError(Translated("TUiGuard", "Unknown failure"));
    }
}
