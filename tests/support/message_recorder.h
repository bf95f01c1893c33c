#pragma once
#include "platform/message_box.h"

#include <string>
#include <vector>

// Answers every message box with Ok and keeps its text, for as long as it lives.
class MessageRecorder {
public:
    MessageRecorder() {
        SetMessageBoxHandler([this](const TMsgRequest& request) {
            texts.push_back(request.Text);
            return TMsgResult::Ok;
        });
    }
    ~MessageRecorder() { SetMessageBoxHandler({}); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<std::string> texts;
};
