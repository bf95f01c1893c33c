#pragma once
#include <stdexcept>
#include <string>

// The general failure of the system: a message text, shown to the user as it stands.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message), text(message) {}
    // The whole text; what() ends at the first NUL byte of a server's reply.
    const std::string& Message() const { return text; }

private:
    std::string text;
};
