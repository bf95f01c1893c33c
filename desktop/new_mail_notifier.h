#pragma once
#include <functional>
#include <string>
#include <vector>

// Where the desktop hears of new mail: a tray icon with the count and a notice. Widget tests
// put a fake in its place.
class TNewMailNotifier {
public:
    virtual ~TNewMailNotifier() = default;

    // Whether the desktop shows a tray icon and notices; without them the window's title and
    // the tree carry the count.
    virtual bool HasTray() const = 0;
    virtual bool CanNotify() const = 0;
    // The number of new messages not yet viewed (0: no new mail).
    virtual void ShowCount(int fresh) = 0;
    // A notice with a title and body (UTF-8), naming the accounts the mail came to (the first
    // is the one "Open" shows).
    virtual void Notify(const std::string& title, const std::string& body,
                        const std::vector<std::string>& accounts) = 0;

    // The user asked for the window (a click on the tray icon), or to end the program.
    std::function<void()> OnShowWindow;
    std::function<void()> OnQuit;
    // The notice's actions, where the service offers them: show the window on the account, and
    // check every account again; the tray menu's "Check all accounts".
    std::function<void(const std::string& account)> OnOpen;
    std::function<void()> OnCheckAll;
};
