#include "ui/mail_check.h"

#include "accounts/account_list.h"
#include "accounts/password_prompt.h"
#include "pop3/pop3_client.h"
#include "ui/header_date.h"
#include "ui/main_window.h"
#include "ui/message_grid.h"
#include "ui/server_address.h"
#include "ui/status_dialog.h"
#include "ui/ui_guard.h"

#include <QTime>
#include <exception>

namespace {
// A cancelled worker ends within milliseconds; one that does not is reported, not waited for.
constexpr int StopTimeoutMs = 3000;

bool NeedsPassword(const TAccount& account) {
    return account.Password.empty() || (!account.SavePassword && !account.PasswordGiven);
}

// Sets a flag for the length of a scope.
class TFlagMark {
public:
    explicit TFlagMark(bool& flag) : flag(flag), was(flag) { flag = true; }
    ~TFlagMark() { flag = was; }
    TFlagMark(const TFlagMark&) = delete;
    TFlagMark& operator=(const TFlagMark&) = delete;

private:
    bool& flag;
    bool was;
};
} // namespace

TMailCheck::TMailCheck(TForm1& form)
    : form(form), window(std::make_unique<TMessageWindow>(
                      [this](const TMessage& m) { RunGuarded([&] { WndProc(m); }); })) {}

TMailCheck::~TMailCheck() {
    Shutdown();
}

void TMailCheck::Button1Click() {
    TAccount* current = form.Accounts().Current();
    if (form.Accounts().Count() == 0 || !current || form.MailBusy) return;
    form.Checking = true;
    form.Pop().TimeOut = TPop3Client::TimeOutFromSeconds(current->Timeout);
    if (NeedsPassword(*current)) {
        std::string password;
        if (!Tpassword::Ask(&form, password)) return;
        current->Password = password;
        current->PasswordGiven = true;
    }
    AbandonRunningWorker();
    form.Status()->SetText("Connecting to " + current->Server);
    form.Status()->show();
    form.SetWindowEnabled(false);
    TakeSnapshot();
    // The session's settings are written before the worker starts, so it only reads them.
    TPop3Client& pop = form.Pop();
    SetServer(pop, current->Server, current->Security);
    pop.UserID = current->User;
    pop.Password = current->Password;
    const int64_t attempt = ++lastAttempt;
    form.ThreadHandle = attempt;
    workerAttempt = attempt;
    worker.Start([this, attempt] { CheckThreadProc(attempt); });
}

// The worker: log-in only. The table and the account are cleared on the user-interface thread,
// in order with whatever the worker reports after.
int TMailCheck::CheckThreadProc(int64_t attempt) {
    try {
        form.ListedCount = 0;
        PostMessage(window->Handle(), WM_CHECK_CLEAR, static_cast<uint64_t>(attempt));
        if (!form.Pop().Connected()) form.Pop().Connect();
    } catch (const ETlsError& failure) {
        // No handler tells these: the status says why the check stopped.
        ShowStatus(failure.what());
    } catch (...) {
        // Success is reported through OnConnect alone; failures showed their own texts.
    }
    return 0;
}

void TMailCheck::ShowStatus(const std::string& text) {
    if (!OnWorker()) {
        form.Status()->SetTextIfVisible(text);
        return;
    }
    PostMessage(window->Handle(), WM_CHECK_STATUS, static_cast<uint64_t>(workerAttempt.load()), 0,
                text);
}

void TMailCheck::PostCheckReady() {
    const auto attempt = static_cast<uint64_t>(OnWorker() ? workerAttempt.load() : 0);
    PostMessage(form.Status()->Handle(), WM_CHECK_READY, attempt, 0);
}

void TMailCheck::WndProc(const TMessage& message) {
    if (static_cast<int64_t>(message.WParam) != form.ThreadHandle) return; // given up
    if (message.Msg == WM_CHECK_STATUS) form.Status()->SetTextIfVisible(message.Data);
    if (message.Msg != WM_CHECK_CLEAR) return;
    form.ClearTable();
    if (TAccount* current = form.Accounts().Current()) {
        current->Rows.clear();
        current->Headers.clear();
        current->Uids.clear();
    }
}

void TMailCheck::CheckReady(uint64_t attempt) {
    if (static_cast<int64_t>(attempt) != form.ThreadHandle) return; // given up by Cancel
    form.Status()->SetText("Checking mail account...");
    if (FillMessageTable()) FinishCheck();
}

// False when Cancel gave the check up meanwhile; the account and the table are then as before.
bool TMailCheck::FillMessageTable() {
    const int64_t attempt = form.ThreadHandle;
    std::exception_ptr failure;
    bool completed = false;
    {
        TFlagMark busy(form.MailBusy);
        TFlagMark filled(filling);
        if (form.LoggedIn) {
            try {
                FillRows();
                StampRefresh();
                completed = true;
            } catch (...) {
                failure = std::current_exception();
            }
        }
        form.SetWindowEnabled(true);
        DisconnectQuietly();
    }
    if (form.ThreadHandle != attempt) {
        RestoreSnapshot();
        return false;
    }
    if (completed) form.ThreadHandle = 0;
    if (failure) std::rethrow_exception(failure);
    return true;
}

void TMailCheck::FillRows() {
    form.Pop().List();
    const int32_t count = form.ListedCount;
    TAccount* current = form.Accounts().Current();
    if (count > 0 && current) current->Uids = form.Pop().ListUids(count); // the deletion's check
    for (int32_t row = 1; row <= count; ++row)
        AddRow(row);
}

void TMailCheck::AddRow(int32_t row) {
    TMessageGrid& grid = form.Grid();
    std::vector<std::string> header;
    grid.SetRowCount(row + 1);
    form.Pop().GetSummary(row);
    const TSummary& summary = form.Pop().Summary();
    std::string size = SizeInKB(summary.Bytes);
    if (size == "0") size[0] = '1'; // a message is never shown as empty
    grid.SetCell(0, row, CellText(HeaderDate(summary.Header.Lines())));
    grid.SetCell(1, row, CellText(summary.From));
    grid.SetCell(2, row, CellText(summary.Subject));
    grid.SetCell(3, row, size);
    grid.SetCell(4, row, CellText(summary.MessageId));
    std::string line = grid.Cell(0, row);
    for (int column = 1; column < TMessageGrid::Columns; ++column) {
        line.push_back(TMessageGrid::Separator);
        line += grid.Cell(column, row);
    }
    header = summary.Header.Lines();
    TAccount* current = form.Accounts().Current();
    if (!current) return;
    current->Rows.push_back(line);
    current->Headers.push_back(std::move(header));
}

void TMailCheck::StampRefresh() {
    const std::string time = QTime::currentTime().toString("hh:mm:ss").toStdString();
    if (TAccount* current = form.Accounts().Current()) current->LastRefresh = time;
    form.SetRefreshed(time);
}

void TMailCheck::FinishCheck() {
    if (form.Status()->isVisible()) form.Status()->close();
    DisconnectQuietly();
}

void TMailCheck::StatusClosed() {
    form.SetWindowEnabled(true);
}

void TMailCheck::CancelClick() {
    if (form.ThreadHandle != 0) Abandon();
    form.Status()->close();
}

// Gives the current attempt up: its worker is stopped, its messages are ignored from now on,
// and the account and the table get back what they held before it.
void TMailCheck::Abandon() {
    form.ThreadHandle = -1;
    TPop3Client& pop = form.Pop();
    if (!worker.Stop([&pop] { pop.Cancel(); }, StopTimeoutMs)) {
        ShowError("Error destroying connection thread");
        return; // the session is still the worker's
    }
    if (filling) {
        pop.Cancel(); // the filling's pending wait ends; the filling restores as it unwinds
        return;
    }
    // Also renews a socket that a cancelled connect left half open.
    try {
        pop.Disconnect();
    } catch (...) {
        // Nothing of an abandoned session is worth a message.
    }
    RestoreSnapshot();
}

void TMailCheck::AbandonRunningWorker() {
    if (worker.Running()) Abandon();
}

void TMailCheck::Shutdown() {
    if (!worker.Running()) return;
    form.ThreadHandle = -1;
    TPop3Client& pop = form.Pop();
    worker.Stop([&pop] { pop.Cancel(); }, StopTimeoutMs);
}

void TMailCheck::DisconnectQuietly() {
    if (!form.Pop().Connected()) return;
    try {
        form.Pop().Disconnect();
    } catch (...) {
        // The check is over either way.
    }
}

void TMailCheck::TakeSnapshot() {
    const TAccount& current = *form.Accounts().Current();
    snapshot = {current.Name, current.Rows, current.Headers, current.Uids, current.LastRefresh};
}

void TMailCheck::RestoreSnapshot() {
    TAccounts& accounts = form.Accounts();
    const int index = accounts.IndexOf(snapshot.account);
    if (index < 0) return;
    TAccount& account = accounts.At(index);
    account.Rows = snapshot.rows;
    account.Headers = snapshot.headers;
    account.Uids = snapshot.uids;
    account.LastRefresh = snapshot.lastRefresh;
    if (index == accounts.CurrentIndex()) form.ShowAccountRows(index);
}
