#include "mail/account_rows.h"

#include "accounts/account.h"
#include "widgets/message_grid.h"

void ShowAccountMail(TMessageGrid& grid, const TAccountMail& mail) {
    // Sorted once, after the headers: the sender and subject columns sort by what they show.
    const int column = grid.SortColumn();
    const Qt::SortOrder order = grid.SortOrder();
    grid.SetSort(TMessageGrid::NoSort, Qt::AscendingOrder);
    grid.ShowRows(mail.Rows);
    if (mail.Headers.size() == mail.Rows.size())
        for (size_t i = 0; i < mail.Headers.size(); ++i)
            grid.ShowHeader(static_cast<int>(i) + 1, mail.Headers[i].Lines());
    grid.SetSort(column, order);
}
