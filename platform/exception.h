#pragma once
#include <stdexcept>
#include <string>

// The general failure of the system: a message text, shown to the user as it stands.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};
