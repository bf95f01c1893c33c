#include "mail/check_run.h"

#include "accounts/account_list.h"
#include "accounts/new_mail.h"
#include "mail/header_date.h"
#include "pop3/pop3_client.h"
#include "widgets/message_grid.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace {
// Room made at once for a mailbox's rows; a larger one grows as its rows come.
constexpr int32_t MostReserved = 1 << 20;
} // namespace

TCheckRun::TCheckRun(TAccounts& accountList, TAccount& account, TMessageGrid* shownTable,
                     TStatus* shownStatus, TEnd onEnd)
    : accounts(accountList),
      target(&account), attempt{account.Name, account.Server, account.Timeout, account.SavePassword,
                                account.SignIn == TSignInMethod::OAuth2},
      table(shownTable), status(shownStatus), end(std::move(onEnd)),
      oldRefresh(account.LastRefresh) {}

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

// The rows the check had before: set aside by a shown check, still the account's in the
// background.
const TAccountMail* TCheckRun::Before() const {
    if (table) return &old;
    return Target();
}

void TCheckRun::Clear() {
    if (table) table->ClearTable();
    TAccount* account = Target();
    if (account && table) {
        old = TakeMail(*account);
        cleared = true;
    }
    gathered = TAccountMail();
    byUid.clear();
    const TAccountMail* before = Before();
    reused.assign(before ? std::min(before->Rows.size(), before->Headers.size()) : 0, -1);
}

// The row the check had before that is the same message with the same bytes, and not yet taken
// by another row: by its identifier where the server gives them, else by its number.
int32_t TCheckRun::Match(const TAccountMail& store, size_t row, const std::string& line,
                         const THeaderLines& header) {
    const TAccountMail* before = Before();
    if (!before) return -1;
    auto same = [&](size_t at) {
        return at < reused.size() && reused[at] < 0 && before->Rows[at] == line &&
               before->Headers[at] == header;
    };
    if (row >= store.Uids.size() || store.Uids[row].empty()) return same(row) ? int32_t(row) : -1;
    const std::string& uid = store.Uids[row];
    if (row < before->Uids.size() && before->Uids[row] == uid)
        return same(row) ? static_cast<int32_t>(row) : -1;
    if (byUid.empty())
        for (size_t at = 0; at < before->Uids.size(); ++at)
            if (!before->Uids[at].empty()) byUid.emplace(before->Uids[at], at);
    const auto found = byUid.find(uid);
    return found != byUid.end() && same(found->second) ? static_cast<int32_t>(found->second) : -1;
}

void TCheckRun::Fill(TPop3Client& pop, const std::atomic<int32_t>& listed) {
    step = TCheckStep::List; // the listing and its identifiers
    pop.List();
    const int32_t count = listed;
    TAccountMail* store = Store();
    if (count > 0 && store) {
        store->Uids = pop.ListUids(count); // the deletion's check
        // Grown by doubling, the lists would hold up to twice their rows, and a second copy
        // of them while they move. A count no mailbox has is the server's word only.
        const auto expected = static_cast<size_t>(std::min(count, MostReserved));
        store->Rows.reserve(expected);
        store->Headers.reserve(expected);
    }
    step = TCheckStep::Summary;
    pop.PlanSummaries(1, count);
    std::optional<TMessageGrid::TFilling> filling;
    if (table) filling.emplace(*table);
    for (message = 1; message <= count; ++message) {
        AddRow(pop, message);
        if (filling) filling->Changed();
    }
}

void TCheckRun::AddRow(TPop3Client& pop, int32_t row) {
    if (table) table->SetRowCount(row + 1);
    pop.GetSummary(row);
    const TSummary& summary = pop.Summary();
    std::string size = SizeInKB(summary.Bytes);
    if (size == "0") size[0] = '1'; // a message is never shown as empty
    const std::array<std::string, TMessageGrid::Columns> cells = {
        CellText(HeaderDate(summary.Header)), CellText(summary.From), CellText(summary.Subject),
        size, CellText(summary.MessageId)};
    // Kept for every message: sized once, with no room to spare.
    size_t length = cells.size() - 1;
    for (const std::string& cell : cells)
        length += cell.size();
    std::string line;
    line.reserve(length);
    line = cells[0];
    for (size_t column = 1; column < cells.size(); ++column) {
        line.push_back(TMessageGrid::Separator);
        line += cells[column];
    }
    if (table) table->SetRow(row, line, summary.Header);
    TAccountMail* store = Store();
    if (!store) return;
    THeaderLines header = pop.TakeHeader();
    if (pop.PreviewLines > 0) {
        const auto listed = static_cast<size_t>(row - 1);
        const std::string uid = listed < store->Uids.size() ? store->Uids[listed] : std::string();
        store->Previews[MessageIdentity(uid, header)] = pop.TakeBody();
    }
    const size_t at = store->Rows.size();
    const int32_t was = Match(*store, at, line, header);
    if (was < 0) {
        store->Rows.push_back(std::move(line));
        store->Headers.push_back(std::move(header));
        return;
    }
    // A message the check had before keeps its bytes in the account, whichever side that is:
    // the rows a shown check fills take them, rows gathered apart hold a place for them.
    reused[static_cast<size_t>(was)] = static_cast<int32_t>(at);
    const bool intoAccount = table != nullptr;
    store->Rows.push_back(intoAccount ? std::move(old.Rows[was]) : std::string());
    store->Headers.push_back(intoAccount ? std::move(old.Headers[was]) : THeaderLines());
}

bool TCheckRun::Changes() const {
    const TAccount* account = Target();
    if (!account || table) return false;
    if (account->Rows.size() != gathered.Rows.size()) return true;
    std::vector<int32_t> from(gathered.Rows.size(), -1);
    for (size_t was = 0; was < reused.size(); ++was)
        if (reused[was] >= 0) from[static_cast<size_t>(reused[was])] = static_cast<int32_t>(was);
    for (size_t row = 0; row < from.size(); ++row) {
        const std::string& now = from[row] < 0 ? gathered.Rows[row] : account->Rows[from[row]];
        if (now != account->Rows[row]) return true;
    }
    return false;
}

void TCheckRun::Commit() {
    TAccount* account = Target();
    if (!account || table) return;
    for (size_t was = 0; was < reused.size(); ++was) {
        if (reused[was] < 0) continue;
        const auto row = static_cast<size_t>(reused[was]);
        gathered.Rows[row] = std::move(account->Rows[was]);
        gathered.Headers[row] = std::move(account->Headers[was]);
    }
    reused.clear();
    PutMail(*account, std::exchange(gathered, TAccountMail()));
}

int TCheckRun::Restore() {
    const int index = accounts.IndexOf(attempt.Account);
    if (index < 0) return index;
    TAccount& account = accounts.At(index);
    if (std::exchange(cleared, false)) {
        for (size_t was = 0; was < reused.size(); ++was) {
            const auto row = static_cast<size_t>(reused[was]);
            if (reused[was] < 0 || row >= account.Rows.size() || row >= account.Headers.size())
                continue;
            old.Rows[was] = std::move(account.Rows[row]);
            old.Headers[was] = std::move(account.Headers[row]);
        }
        PutMail(account, std::exchange(old, TAccountMail()));
    }
    reused.clear();
    account.LastRefresh = oldRefresh;
    return index;
}

void TCheckRun::End(const std::string& failure) {
    gathered = TAccountMail();
    old = TAccountMail();
    cleared = false;
    reused.clear();
    byUid.clear();
    // The end may start the next attempt, which replaces this one: nothing of it is used after.
    const TEnd ended = std::move(end);
    end = nullptr;
    if (ended) ended(failure);
}
