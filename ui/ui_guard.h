#pragma once
#include <functional>
#include <string>

// Runs a user-interface handler; a failure that escapes it is shown in an error box with its
// text, so that no exception ever reaches Qt's event loop.
void RunGuarded(const std::function<void()>& handler);

// The error box of the program's general failure handling.
void ShowError(const std::string& text);
