#pragma once
#include "rules/mail_rules.h"

#include <cstdint>
#include <string>
#include <vector>

class QWidget;
struct TAccount;
class TAccounts;
class TMailOperations;
class TMessageGrid;
class TToolbarPanel;
class TWindowPreview;

// The bytes the rules take for a cached row (its size cell, in KB).
int64_t RowBytes(std::string row);

// The main window's part in the rules that mark mail: they are read at start, tried on every row
// the table shows, edited in their dialog, and "Delete marked" deletes what they marked, only
// after its question.
class TWindowRules {
public:
    TWindowRules(QWidget& window, TMessageGrid& table, TToolbarPanel& toolbar, TAccounts& list,
                 TMailOperations& ops, TWindowPreview& shown);

    // A damaged file loses only its damaged lines; an unreadable one leaves no rule at work.
    void LoadMailRules();
    // The marks of the table, renewed whenever it shows an account's rows.
    void MarkRows();
    std::vector<int> MarkedMessages() const;
    void DeleteMarkedClick();
    void RulesClick();
    // Whether a new message of the account goes unannounced.
    bool Ignored(const TAccount& account, size_t line) const;
    const TMailRules& Rules() const { return rules; }

private:
    QWidget* window;
    TMessageGrid* grid;
    TToolbarPanel* Panel3;
    TAccounts* accounts;
    TMailOperations* mail;
    TWindowPreview* preview;
    TMailRules rules;
};
