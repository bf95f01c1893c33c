#pragma once
#include <string>

// What opens the provider's authorization page: the desktop's browser in the program, a script
// in tests.
class TBrowser {
public:
    virtual ~TBrowser() = default;
    // False when the page could not be handed to anything.
    virtual bool Open(const std::string& url) = 0;
};

// Hands the address to a program, without waiting for it: xdg-open, which opens the user's
// chosen browser, unless another is named.
class TCommandBrowser : public TBrowser {
public:
    explicit TCommandBrowser(std::string command = "xdg-open") : program(std::move(command)) {}
    bool Open(const std::string& url) override;

private:
    std::string program;
};
