#include "app/window_preview.h"

#include "accounts/account_list.h"
#include "app/desktop_settings.h"
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

TWindowPreview::TWindowPreview(TBodyPanels& body, TMessageGrid& table, TAccounts& list,
                               TMailOperations& ops, const TDesktopSettings& settings)
    : grid(&table), accounts(&list), mail(&ops), desktop(settings) {
    tableSplit = new QSplitter(Qt::Vertical, body.Panel1());
    tableSplit->setObjectName("tableSplit");
    tableSplit->setChildrenCollapsible(true);
    tableSplit->addWidget(grid);
    previewPane = new TPreviewPane(tableSplit);
    tableSplit->addWidget(previewPane);
    tableSplit->setStretchFactor(0, 2);
    tableSplit->setStretchFactor(1, 1);
    body.Panel1()->layout()->addWidget(tableSplit);
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
    previewTimer = new QTimer(tableSplit);
    previewTimer->setSingleShot(true);
    previewTimer->setInterval(SettleMs);
    QObject::connect(previewTimer, &QTimer::timeout, previewTimer,
                     [this] { RunGuarded([this] { ReadPreview(); }); });
}

// The timer lives as long as the splitter; nothing of this may answer it once this has gone.
TWindowPreview::~TWindowPreview() {
    previewTimer->disconnect();
}

bool TWindowPreview::ShowCheckedPreview(const TAccount* account) {
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

void TWindowPreview::Schedule() {
    preview->Cancel();
    previewPane->Clear();
    previewTimer->start();
}

void TWindowPreview::Stop() {
    previewTimer->stop();
    preview->Cancel();
    previewPane->Clear();
}

void TWindowPreview::ReadPreview() {
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
