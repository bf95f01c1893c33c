#include "desktop/mail_watch.h"

#include "accounts/account_list.h"
#include "accounts/seen_file.h"
#include "desktop/new_mail_notifier.h"
#include "widgets/account_tree.h"
#include "widgets/message_grid.h"

namespace {
const char* const Title = "Vellion";

std::vector<std::string> Identities(const TAccount& account) {
    return MessageIdentities(account.Uids, account.Headers);
}
} // namespace

TMailWatch::TMailWatch(TAccounts& accountList, TAccountTree& accountTree, TMessageGrid& table,
                       TNewMailNotifier& newMailNotifier, TWindow mainWindow)
    : accounts(accountList), tree(accountTree), grid(table), notifier(newMailNotifier),
      window(std::move(mainWindow)) {}

void TMailWatch::Checked(TAccount& account, bool background) {
    for (int message : RecordCheckKept(account, Identities(account))) {
        const auto line = static_cast<size_t>(message - 1);
        if (background && !(Ignored && Ignored(account, line))) {
            arrivals.push_back(ArrivalOf(account.Headers[line].Lines()));
            arrivals.back().Account = account.Name;
        }
    }
    ShowNode(account, "", "");
    if (&account == accounts.Current()) Shown();
    ShowCount();
}

void TMailWatch::Skipped(const TAccount& account, const std::string& note) {
    ShowNode(account, note, "");
}

void TMailWatch::Failed(const TAccount& account, const std::string& reason) {
    ShowNode(account, "", reason);
}

void TMailWatch::RowsChanged(const TAccount& account) {
    const TAccountTree::TMarks marks = TAccountTree::Marks(tree.AccountNode(account.Name));
    ShowNode(account, marks.Note, marks.Failure);
}

void TMailWatch::ShowNode(const TAccount& account, const std::string& note,
                          const std::string& failure) {
    TAccountTree::TMarks marks;
    if (account.NewMail.Checked) {
        marks.Messages = static_cast<int>(account.Rows.size());
        marks.New = NewCount(account.NewMail);
    }
    marks.Note = note;
    marks.Failure = failure;
    tree.SetMarks(account.Name, marks);
}

void TMailWatch::Shown() {
    const TAccount* current = accounts.Current();
    if (!current) return;
    grid.MarkNew(NewFlags(current->NewMail, Identities(*current)));
    if (window.Active && window.Active()) Viewed();
}

void TMailWatch::Viewed() {
    TAccount* current = accounts.Current();
    if (!current || NewCount(current->NewMail) == 0) return;
    MarkViewedKept(*current);
    RowsChanged(*current);
    ShowCount();
}

void TMailWatch::Announce() {
    if (!arrivals.empty() && notifier.CanNotify())
        notifier.Notify(NoticeTitle(static_cast<int>(arrivals.size())), NoticeBody(arrivals),
                        ArrivalAccounts(arrivals));
    arrivals.clear();
}

int TMailWatch::FreshCount() const {
    int fresh = 0;
    for (int i = 0; i < accounts.Count(); ++i)
        fresh += NewCount(accounts.At(i).NewMail);
    return fresh;
}

void TMailWatch::ShowCount() {
    const int fresh = FreshCount();
    notifier.ShowCount(fresh);
    const bool elsewhere = notifier.HasTray() && notifier.CanNotify();
    if (window.SetTitle) window.SetTitle(TitleWithCount(Title, elsewhere ? 0 : fresh));
}
