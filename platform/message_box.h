#pragma once
#include <functional>
#include <string>

// The one door through which the system asks the user something. The user interface installs
// a widget-backed handler; tests install one that records the question and gives a set answer.
enum class TMsgKind { Information, Confirmation, Warning, Error };
enum class TMsgButtons { Ok, YesNo, OkCancel };
enum class TMsgResult { Ok, Yes, No, Cancel };

struct TMsgRequest {
    TMsgKind Kind = TMsgKind::Information;
    TMsgButtons Buttons = TMsgButtons::Ok;
    std::string Caption; // empty: the application title
    std::string Text;    // 8-bit text as the system holds it
};

using TMessageBoxHandler = std::function<TMsgResult(const TMsgRequest&)>;

// Shows the request through the installed handler; without one it answers Ok / No.
TMsgResult ShowMessageBox(const TMsgRequest& request);
void SetMessageBoxHandler(TMessageBoxHandler handler);

// Shorthands for the forms the system uses.
void ShowMessage(const std::string& text);
bool Confirm(const std::string& text);
