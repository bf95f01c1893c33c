// The main window's part in the mail operations: the table's keys and clicks and the header
// viewer. The operations themselves are mail/mail_operations.cpp's.
#include "accounts/account_list.h"
#include "app/main_window.h"
#include "dialogs/header_viewer.h"
#include "mail/mail_operations.h"
#include "widgets/message_grid.h"

// A check or a deletion has the mailbox to itself: a preview on its way is given up.
void TForm1::Button1Click() {
    StopPreview();
    mail->Button1Click();
}

void TForm1::del_mailClick() {
    StopPreview();
    mail->del_mailClick();
}

void TForm1::gridKeyDown(int key, Qt::KeyboardModifiers /*shift*/) {
    if (key == Qt::Key_Delete) del_mailClick(); // whatever the shift state
}

void TForm1::gridDblClick() {
    if (accounts->Count() == 0 || !headers || !accounts->Current()) return;
    if (headers->isVisible()) {
        if (headers->isMinimized()) headers->showNormal();
        headers->raise();
        headers->activateWindow();
        return;
    }
    const TAccount& current = *accounts->Current();
    if (current.Rows.empty()) return;
    const int message = grid->CurrentMessage();
    if (grid->RowEmpty(message) || message > static_cast<int>(current.Headers.size())) return;
    headers->ShowLines(current.Headers[static_cast<size_t>(message - 1)].Lines());
    headers->show();
}

// The grid hands over the message number of the row, whatever the order shown.
void TForm1::gridSelectCell(int /*column*/, int message) {
    SchedulePreview();
    if (!headers || !headers->isVisible() || !accounts->Current()) return;
    const TAccount& current = *accounts->Current();
    if (message < 1 || message > static_cast<int>(current.Headers.size())) return;
    headers->ShowLines(current.Headers[static_cast<size_t>(message - 1)].Lines());
}
