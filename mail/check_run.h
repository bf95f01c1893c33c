#pragma once
#include "accounts/account.h"
#include "mail/check_failure.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

class TAccounts;
class TMessageGrid;
class TPop3Client;
class TStatus;

// What a check's worker and the words of its failure need of the account, taken when the check
// starts, before the worker runs.
struct TCheckAttempt {
    std::string Account;
    std::string Server;
    int32_t Timeout = 90;
    bool SavePassword = false;
    bool OAuth2 = false;
};

// One attempt at checking one account, from its start to its end. A check the user watches is
// given the window's table and the status dialog: the account is emptied when the worker has
// the table cleared and filled as the rows come, and the run holds the account's old rows
// (moved, never copied) only to give them back if the attempt is given up. A check in the
// background is given neither: it gathers its rows apart, so that the account keeps its old
// rows until the new ones are complete. A message whose row and header are as before keeps the
// bytes it had, so a re-check holds each message once. Either ends once, through the end it was
// given.
class TCheckRun {
public:
    // "" after success, else the words of the failure.
    using TEnd = std::function<void(const std::string& failure)>;

    TCheckRun(TAccounts& accounts, TAccount& account, TMessageGrid* table, TStatus* status,
              TEnd end);

    const TCheckAttempt& Attempt() const { return attempt; }
    TMessageGrid* Table() const { return table; }
    TStatus* Status() const { return status; }
    // The account the check is about: found again by name, in case it was removed meanwhile.
    TAccount* Target() const;

    // The worker had the table cleared: the table empties, and so does where the rows go.
    void Clear();
    // The listing, the identifiers and a row per message, in message order; Step and Message
    // say how far it came when it throws.
    void Fill(TPop3Client& pop, const std::atomic<int32_t>& listed);
    TCheckStep Step() const { return step; }
    int32_t Message() const { return message; }
    // Whether the rows gathered apart differ from the account's; Commit gives them to it.
    bool Changes() const;
    void Commit();
    // Given up: the account gets back what it held when the attempt started. Its index, or -1
    // when it is gone.
    int Restore();
    // The attempt is over: the rows it still holds are freed, and its end hears how it ended.
    void End(const std::string& failure);

private:
    void AddRow(TPop3Client& pop, int32_t row);
    TAccountMail* Store();
    const TAccountMail* Before() const;
    int32_t Match(const TAccountMail& store, size_t row, const std::string& line,
                  const THeaderLines& header);

    TAccounts& accounts;
    TAccount* target;
    TCheckAttempt attempt;
    TMessageGrid* table; // none: the rows are gathered apart
    TStatus* status;
    TEnd end;
    TAccountMail gathered; // a check in the background's rows until it has them all
    TAccountMail old;      // a shown check's account before it was cleared
    bool cleared = false;  // old holds it
    // A message seen before is held once: by the index of its row before, the row it is now
    // (-1: none). Its bytes stay in the account, and the other side holds an empty place.
    std::vector<int32_t> reused;
    std::unordered_map<std::string_view, size_t> byUid; // rows before, by identifier
    std::string oldRefresh;
    TCheckStep step = TCheckStep::List;
    int32_t message = 0;
};
