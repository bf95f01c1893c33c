#pragma once
#include <exception>
#include <functional>
#include <string>

// Runs a user-interface handler; a failure that escapes it is shown in an error box with its
// text, so that no exception ever reaches Qt's event loop.
void RunGuarded(const std::function<void()>& handler);

// The error box of the program's general failure handling, with the text as ShownText gives it.
void ShowError(const std::string& text);

// The text whole when it is of a readable length, else its first few hundred bytes and "...".
std::string ShownText(const std::string& text);

// A failure's whole text, NUL bytes and what follows them included.
std::string FailureText(const std::exception& failure);
