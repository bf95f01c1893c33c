#pragma once
#include <string>

// The few calls the mail check and the deletion make on the main window, so that they work
// without one. User-interface thread only.
class TMailView {
public:
    virtual ~TMailView() = default;

    // The window's own input (toolbar, tree, table); its secondary windows stay usable.
    virtual void SetWindowEnabled(bool enabled) = 0;
    // The table and the refresh time of the account at index.
    virtual void ShowAccountRows(int index) = 0;
    virtual void SetRefreshed(const std::string& text) = 0;
    // The current account's password, typed by the user; false when the prompt was cancelled.
    virtual bool AskPassword(std::string& password, bool lastRejected) = 0;
    // A check whose status dialog was closed while it connected is given up.
    virtual void AbandonRunningCheck() = 0;
};
