#include "preview/mail_preview.h"

#include "accounts/account.h"
#include "mail/certificate_trust.h"
#include "mail/check_failure.h"
#include "mail/check_sign_in.h"
#include "pop3/pop3_client.h"
#include "widgets/ui_guard.h"

#include <QCoreApplication>

namespace {
// A cancelled worker ends within milliseconds; the program's end waits no longer than this.
constexpr int StopTimeoutMs = 3000;
const char* const Moved = QT_TRANSLATE_NOOP(
    "TMailPreview", "That email has moved in the queue, please re-check this account");
} // namespace

TMailPreview::TMailPreview()
    : pop(std::make_unique<TPop3Client>()),
      window(std::make_unique<TMessageWindow>([this](const TMessage& m) {
          if (m.Msg == WM_PREVIEW_DONE) RunGuarded([&] { Done(m.WParam); });
      })) {
    pop->setObjectName("previewPop");
    // Nobody is asked from a preview: the check before it had the certificate trusted.
    pop->OnUntrustedCertificate = [this](const TCertificateReport& certificate) {
        return CertificatePinned(pop->Host + ":" + std::to_string(pop->Port), certificate);
    };
}

TMailPreview::~TMailPreview() {
    Cancel();
    worker.Stop([this] { pop->Cancel(); }, StopTimeoutMs);
}

void TMailPreview::Request(const TAccount& account, int message) {
    const auto line = static_cast<size_t>(message - 1);
    wanted = {account.Server,
              account.Security,
              account.User,
              account.Password,
              line < account.Uids.size() ? account.Uids[line] : std::string(),
              account.Timeout,
              Lines,
              message};
    ++lastAttempt;
    if (worker.Running()) {
        waiting = true;
        pop->Cancel();
        return;
    }
    StartWanted();
}

void TMailPreview::Cancel() {
    ++lastAttempt;
    waiting = false;
    wanted.message = 0;
    if (worker.Running()) pop->Cancel();
}

// The session's settings are written while no worker runs, so the worker only reads them.
void TMailPreview::StartWanted() {
    waiting = false;
    pop->TimeOut = TPop3Client::TimeOutFromSeconds(wanted.timeout);
    SetServer(*pop, wanted.server, wanted.security);
    pop->UserID = wanted.user;
    pop->Password = wanted.password;
    const int64_t attempt = lastAttempt;
    worker.Start([this, attempt, job = wanted] { Fetch(attempt, job); });
}

void TMailPreview::Fetch(int64_t attempt, const TWanted& job) {
    std::vector<std::string> top;
    std::string error;
    try {
        if (attempt == lastAttempt) pop->Connect();
        // The numbers may have moved since the check: the server's identifier says whether this
        // is still the message the row shows.
        if (attempt == lastAttempt && !job.uid.empty() && pop->Uid(job.message) != job.uid)
            error = QCoreApplication::translate("TMailPreview", Moved).toStdString();
        else if (attempt == lastAttempt)
            top = pop->GetTop(job.message, job.lines);
    } catch (...) {
        error = TextOf(std::current_exception());
    }
    EndSession();
    {
        const std::lock_guard<std::mutex> lock(mutex);
        lines = std::move(top);
        failure = std::move(error);
        resultAttempt = attempt;
    }
    PostMessage(window->Handle(), WM_PREVIEW_DONE, static_cast<uint64_t>(attempt));
}

void TMailPreview::EndSession() {
    try {
        if (pop->Connected()) pop->Disconnect();
    } catch (...) {
        // The preview has what it came for, or its failure.
    }
    if (pop->Connected()) pop->Abort();
}

void TMailPreview::Done(uint64_t attempt) {
    if (waiting) {
        if (!worker.Running()) StartWanted(); // else its own word comes later
        return;
    }
    std::vector<std::string> top;
    std::string error;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        if (resultAttempt != static_cast<int64_t>(attempt)) return; // a later worker's
        top = std::move(lines);
        error = std::move(failure);
    }
    if (static_cast<int64_t>(attempt) != lastAttempt || wanted.message == 0) return;
    const int message = wanted.message;
    wanted.message = 0;
    if (!OnDone) return;
    if (!error.empty())
        OnDone(message, {}, error);
    else
        OnDone(message, DecodePreview(top), "");
}
