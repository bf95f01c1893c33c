// The main window's preview pane: the first lines of the current message, read on a connection
// of its own (mail/mail_preview.h) once the selection has rested a moment, so that running
// through the table with the keys opens no connection per row passed.
#include "accounts/account_list.h"
#include "app/main_window.h"
#include "mail/check_round.h"
#include "mail/mail_operations.h"
#include "preview/mail_preview.h"
#include "widgets/body_panels.h"
#include "widgets/message_grid.h"
#include "widgets/preview_pane.h"
#include "widgets/ui_guard.h"

#include <QLayout>
#include <QSplitter>
#include <QTimer>

namespace {
constexpr int SettleMs = 200;
} // namespace

void TForm1::CreatePreview() {
    tableSplit = new QSplitter(Qt::Vertical, body->Panel1());
    tableSplit->setObjectName("tableSplit");
    tableSplit->setChildrenCollapsible(true);
    tableSplit->addWidget(grid);
    previewPane = new TPreviewPane(tableSplit);
    tableSplit->addWidget(previewPane);
    tableSplit->setStretchFactor(0, 2);
    tableSplit->setStretchFactor(1, 1);
    body->Panel1()->layout()->addWidget(tableSplit);
    preview = std::make_unique<TMailPreview>();
    preview->Lines = desktop.PreviewLines;
    preview->OnDone = [this](int message, const TPreview& shown, const std::string& failure) {
        if (message != grid->CurrentMessage()) return; // the user has moved on
        if (failure.empty())
            previewPane->ShowPreview(shown);
        else
            previewPane->ShowNote(
                tr("No preview: %1").arg(QString::fromStdString(failure)).toStdString());
    };
    previewTimer = new QTimer(this);
    previewTimer->setSingleShot(true);
    previewTimer->setInterval(SettleMs);
    connect(previewTimer, &QTimer::timeout, this,
            [this] { RunGuarded([this] { ReadPreview(); }); });
}

bool TForm1::ShowCheckedPreview(const TAccount* account) {
    const int message = grid->CurrentMessage();
    if (!account || account->Previews.empty() || grid->selectedRanges().size() > 1 || message < 1 ||
        message > static_cast<int>(account->Headers.size()))
        return false;
    const auto line = static_cast<size_t>(message - 1);
    const std::string uid = line < account->Uids.size() ? account->Uids[line] : std::string();
    const auto found = account->Previews.find(MessageIdentity(uid, account->Headers[line]));
    if (found == account->Previews.end()) return false;
    previewPane->ShowPreview(DecodePreview(account->Headers[line].Lines(), found->second));
    return true;
}

void TForm1::SchedulePreview() {
    preview->Cancel();
    previewPane->Clear();
    previewTimer->start();
}

void TForm1::StopPreview() {
    if (!preview) return; // the window is still being made
    previewTimer->stop();
    preview->Cancel();
    previewPane->Clear();
}

// A preview the check read with the headers is shown at once; otherwise it is read now.
void TForm1::ReadPreview() {
    const TAccount* account = accounts->Current();
    if (ShowCheckedPreview(account)) return;
    const TMailFlags& flags = mail->Flags();
    // A check, a deletion or a round has the mailbox; the selection after it asks again.
    if (!account || flags.MailBusy || flags.ThreadHandle != 0 || mail->RoundRunning()) return;
    const int message = grid->CurrentMessage();
    if (message < 1 || message > static_cast<int>(account->Rows.size()) ||
        grid->selectedRanges().size() > 1)
        return;
    if (NeedsPassword(*account)) {
        previewPane->ShowNote(tr("No preview: the account's password is not known").toStdString());
        return;
    }
    previewPane->ShowNote(tr("Reading...").toStdString());
    preview->Lines = desktop.PreviewLines;
    preview->Request(*account, message);
}
