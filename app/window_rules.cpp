#include "app/window_rules.h"

#include "accounts/account_list.h"
#include "accounts/cut_field.h"
#include "app/window_preview.h"
#include "dialogs/rules_editor.h"
#include "mail/mail_operations.h"
#include "platform/int_text.h"
#include "platform/message_box.h"
#include "platform/translated_text.h"
#include "rules/rules_file.h"
#include "widgets/message_grid.h"
#include "widgets/toolbar_panel.h"

// The size a cached row shows, in KB: the rules' bytes to within half a KB.
int64_t RowBytes(std::string row) {
    for (int skipped = 0; skipped < 3; ++skipped)
        CutField(row, TMessageGrid::Separator);
    return static_cast<int64_t>(TryStrToInt(CutField(row, TMessageGrid::Separator)).value_or(0)) *
           1024;
}

TWindowRules::TWindowRules(QWidget& owner, TMessageGrid& table, TToolbarPanel& toolbar,
                           TAccounts& list, TMailOperations& ops, TWindowPreview& shown)
    : window(&owner), grid(&table), Panel3(&toolbar), accounts(&list), mail(&ops), preview(&shown) {
}

void TWindowRules::LoadMailRules() {
    if (!LoadRules(rules, RulesFilePath()))
        ShowMessage(Translated("TForm1", "Error reading the mail rules"));
}

void TWindowRules::MarkRows() {
    std::vector<TRuleAction> actions;
    if (const TAccount* account = accounts->Current())
        for (size_t i = 0; i < account->Rows.size() && i < account->Headers.size(); ++i)
            actions.push_back(
                Judge(rules, account->Name, account->Headers[i], RowBytes(account->Rows[i]))
                    .Action);
    grid->MarkRules(actions);
    Panel3->ShowMarked(static_cast<int>(MarkedMessages().size()));
}

std::vector<int> TWindowRules::MarkedMessages() const {
    std::vector<int> marked;
    for (int message = 1; message < grid->RowCount(); ++message)
        if (grid->RuleMark(message) == TRuleAction::Delete) marked.push_back(message);
    return marked;
}

void TWindowRules::DeleteMarkedClick() {
    const std::vector<int> marked = MarkedMessages();
    if (marked.empty()) {
        ShowMessage(Translated("TForm1", "No email is marked for deletion"));
        return;
    }
    preview->Stop();
    mail->DeleteMarkedClick(marked);
    MarkRows(); // also where the table was not redrawn
}

void TWindowRules::RulesClick() {
    std::vector<std::string> names;
    for (int i = 0; i < accounts->Count(); ++i)
        names.push_back(accounts->At(i).Name);
    TRulesEditor editor(rules, names, window);
    if (editor.exec() != QDialog::Accepted) return;
    rules = editor.Rules();
    if (!SaveRules(rules, RulesFilePath()))
        ShowMessage(Translated("TForm1", "Error saving the mail rules"));
    MarkRows();
}

bool TWindowRules::Ignored(const TAccount& account, size_t line) const {
    return line < account.Headers.size() && line < account.Rows.size() &&
           Judge(rules, account.Name, account.Headers[line], RowBytes(account.Rows[line])).Action ==
               TRuleAction::Ignore;
}
