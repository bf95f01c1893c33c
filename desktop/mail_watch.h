#pragma once
#include "desktop/new_mail_notice.h"

#include <functional>
#include <string>
#include <vector>

struct TAccount;
class TAccounts;
class TAccountTree;
class TMessageGrid;
class TNewMailNotifier;

// What the user is told of new mail: after each check, which messages are new (bold in the
// table, counted on the account's node); after a round in the background, the tray's count and
// a notice. The window's title carries the count where the desktop has no tray or no notices.
class TMailWatch {
public:
    // What the watch needs of the main window.
    struct TWindow {
        std::function<bool()> Active; // the user is looking at it
        std::function<void(const std::string&)> SetTitle;
    };

    TMailWatch(TAccounts& accounts, TAccountTree& tree, TMessageGrid& grid,
               TNewMailNotifier& notifier, TWindow window);

    // A check of the account ended with all its rows: records its messages and marks them. What
    // arrived is told at the next Announce when the check ran in the background.
    void Checked(TAccount& account, bool background);
    // A check in the background left the account out, or failed: said on its node.
    void Skipped(const TAccount& account, const std::string& note);
    void Failed(const TAccount& account, const std::string& reason);
    // The account's rows changed without a check (a deletion): its node's counts follow.
    void RowsChanged(const TAccount& account);
    // The table shows the current account anew: its new rows in bold. Then, while the window is
    // active, the user has seen them.
    void Shown();
    // The window became active: the current account is looked at.
    void Viewed();
    // Tells the desktop of what arrived since the last notice (a round in the background).
    void Announce();
    // The count of new messages not yet viewed, over every account.
    int FreshCount() const;
    // Whether a rule says the message (by its line in the account's rows) is not to be
    // announced; nothing is ignored without it.
    std::function<bool(const TAccount& account, size_t line)> Ignored;

private:
    void ShowNode(const TAccount& account, const std::string& note, const std::string& failure);
    void ShowCount();

    TAccounts& accounts;
    TAccountTree& tree;
    TMessageGrid& grid;
    TNewMailNotifier& notifier;
    TWindow window;
    std::vector<TArrival> arrivals; // since the last notice
};
