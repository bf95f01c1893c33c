#include "mail/check_run.h"

#include "accounts/account_list.h"
#include "mail/header_date.h"
#include "pop3/pop3_client.h"
#include "widgets/batched_repaint.h"
#include "widgets/message_grid.h"

#include <array>
#include <optional>
#include <utility>

TCheckRun::TCheckRun(TAccounts& accounts, TAccount& account, TMessageGrid* table, TStatus* status,
                     TEnd end)
    : accounts(accounts),
      target(&account), attempt{account.Name, account.Server, account.Timeout, account.SavePassword,
                                account.SignIn == TSignInMethod::OAuth2},
      table(table), status(status), end(std::move(end)), oldRefresh(account.LastRefresh) {}

TAccount* TCheckRun::Target() const {
    const int index = accounts.IndexOf(attempt.Account);
    if (index < 0) return nullptr;
    TAccount* account = &accounts.At(index);
    return account == target ? account : nullptr;
}

// Where the rows go: the account itself when they are shown as they come, so that the table
// and the account never part; else apart, until Commit.
TAccountMail* TCheckRun::Store() {
    TAccount* account = Target();
    if (!account || table) return account;
    return &gathered;
}

void TCheckRun::Clear() {
    if (table) table->ClearTable();
    TAccount* account = Target();
    if (account && table) {
        old = TakeMail(*account);
        cleared = true;
    }
    gathered = TAccountMail();
}

void TCheckRun::Fill(TPop3Client& pop, const std::atomic<int32_t>& listed) {
    step = TCheckStep::List; // the listing and its identifiers
    pop.List();
    const int32_t count = listed;
    TAccountMail* store = Store();
    if (count > 0 && store) store->Uids = pop.ListUids(count); // the deletion's check
    step = TCheckStep::Summary;
    pop.PlanSummaries(1, count);
    std::optional<TBatchedRepaint> batches;
    if (table) batches.emplace(*table);
    for (message = 1; message <= count; ++message) {
        AddRow(pop, message);
        if (batches) batches->Changed();
    }
}

void TCheckRun::AddRow(TPop3Client& pop, int32_t row) {
    if (table) table->SetRowCount(row + 1);
    pop.GetSummary(row);
    const TSummary& summary = pop.Summary();
    std::string size = SizeInKB(summary.Bytes);
    if (size == "0") size[0] = '1'; // a message is never shown as empty
    const std::array<std::string, TMessageGrid::Columns> cells = {
        CellText(HeaderDate(summary.Header.Lines())), CellText(summary.From),
        CellText(summary.Subject), size, CellText(summary.MessageId)};
    std::string line = cells[0];
    for (size_t column = 1; column < cells.size(); ++column) {
        line.push_back(TMessageGrid::Separator);
        line += cells[column];
    }
    std::vector<std::string> header = summary.Header.Lines();
    if (table) {
        for (size_t column = 0; column < cells.size(); ++column)
            table->SetCell(static_cast<int>(column), row, cells[column]);
        table->ShowHeader(row, header);
    }
    TAccountMail* store = Store();
    if (!store) return;
    store->Rows.push_back(std::move(line));
    store->Headers.push_back(std::move(header));
}

bool TCheckRun::Changes() const {
    const TAccount* account = Target();
    return account && !table && account->Rows != gathered.Rows;
}

void TCheckRun::Commit() {
    TAccount* account = Target();
    if (account && !table) PutMail(*account, std::exchange(gathered, TAccountMail()));
}

int TCheckRun::Restore() {
    const int index = accounts.IndexOf(attempt.Account);
    if (index < 0) return index;
    TAccount& account = accounts.At(index);
    if (std::exchange(cleared, false)) PutMail(account, std::exchange(old, TAccountMail()));
    account.LastRefresh = oldRefresh;
    return index;
}

void TCheckRun::End(const std::string& failure) {
    gathered = TAccountMail();
    old = TAccountMail();
    cleared = false;
    // The end may start the next attempt, which replaces this one: nothing of it is used after.
    const TEnd ended = std::move(end);
    end = nullptr;
    if (ended) ended(failure);
}
