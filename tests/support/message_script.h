#pragma once
#include "platform/message_box.h"

#include <deque>
#include <vector>

// Answers the program's message boxes for a test: it keeps every request and gives the queued
// answers in order, then Ok (or No to a question) once the queue is empty.
class MessageScript {
public:
    MessageScript() {
        SetMessageBoxHandler([this](const TMsgRequest& request) {
            requests.push_back(request);
            if (!answers.empty()) {
                const TMsgResult answer = answers.front();
                answers.pop_front();
                return answer;
            }
            return request.Buttons == TMsgButtons::YesNo ? TMsgResult::No : TMsgResult::Ok;
        });
    }
    ~MessageScript() { SetMessageBoxHandler({}); }
    MessageScript(const MessageScript&) = delete;
    MessageScript& operator=(const MessageScript&) = delete;

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const TMsgRequest& request : requests)
            texts.push_back(request.Text);
        return texts;
    }

    std::vector<TMsgRequest> requests;
    std::deque<TMsgResult> answers;
};
