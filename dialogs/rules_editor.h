#pragma once
#include "rules/mail_rules.h"

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

// The editor of the rules that mark mail: the ordered list (add, remove, move up and down) and
// the allow and block lists, one address or domain a line. It edits a copy; the caller saves
// Rules() when the dialog is accepted.
class TRulesEditor : public QDialog {
    Q_OBJECT
public:
    TRulesEditor(const TMailRules& rules, const std::vector<std::string>& accounts,
                 QWidget* parent = nullptr);

    TMailRules Rules() const;
    // The rule as the list shows it.
    static std::string RuleText(const TMailRule& rule);

    // The rule the fields below the list describe; added to the list when it can ever apply,
    // else the dialog says why not. False when it was not added.
    bool AddRule();
    void RemoveRule();
    void MoveRule(int by);

private:
    void ShowRules(int select);

    TMailRules rules;
    QListWidget* list;
    QComboBox* account;
    QComboBox* field;
    QComboBox* test;
    QLineEdit* value;
    QComboBox* action;
    QLabel* problem;
    QPlainTextEdit* allowed;
    QPlainTextEdit* blocked;
};
