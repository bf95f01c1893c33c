#include "mail/certificate_trust.h"

#include "accounts/pin_store.h"
#include "dialogs/certificate_dialog.h"
#include "platform/message_box.h"

#include <QApplication>
#include <QThread>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace {
std::mutex questionMutex;
TCertificateQuestion question; // guarded by questionMutex
// Held while a worker posts a question and taken before the question is read, so that the
// hand-over does not rest on the toolkit's queue alone, which race checkers cannot see.
std::mutex handOver;

bool AskUser(const std::string& server, const TCertificateReport& report, bool changed) {
    TCertificateQuestion asked;
    {
        std::lock_guard lock(questionMutex);
        asked = question;
    }
    if (asked) return asked(server, report, changed);
    return TCertificateDialog::Ask(server, report, changed, QApplication::activeWindow());
}

// User-interface thread.
bool Decide(const std::string& server, const TCertificateReport& report) {
    TPinStore pins;
    const bool loaded = pins.Load();
    const TPinStore::TPin pin = pins.Check(server, report.Fingerprint);
    if (pin == TPinStore::TPin::Same) return true;
    if (!AskUser(server, report, pin == TPinStore::TPin::Changed)) return false;
    pins.Trust(server, report.Fingerprint);
    // An unreadable file is not replaced; the certificate is then trusted for this time only.
    if (!loaded || !pins.Save())
        ShowMessage("The trusted certificate could not be saved in \"" + TPinStore::FilePath() +
                    "\": it will be asked for again next time");
    return true;
}

struct TPending {
    std::mutex mutex;
    std::condition_variable answered;
    bool done = false;
    bool givenUp = false;
    bool trusted = false;
};
} // namespace

bool CertificatePinned(const std::string& server, const TCertificateReport& report) {
    TPinStore pins;
    return pins.Load() && pins.Check(server, report.Fingerprint) == TPinStore::TPin::Same;
}

bool TrustCertificate(const std::string& server, const TCertificateReport& report,
                      const std::function<bool()>& abandoned) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) return Decide(server, report);
    std::unique_lock posting(handOver);
    auto pending = std::make_shared<TPending>();
    QMetaObject::invokeMethod(
        app,
        [pending, server, report] {
            { std::lock_guard visible(handOver); }
            {
                std::lock_guard lock(pending->mutex);
                if (pending->givenUp) return;
            }
            const bool trusted = Decide(server, report);
            std::lock_guard lock(pending->mutex);
            pending->trusted = trusted;
            pending->done = true;
            pending->answered.notify_all();
        },
        Qt::QueuedConnection);
    posting.unlock();
    std::unique_lock lock(pending->mutex);
    while (!pending->done) {
        if (abandoned && abandoned()) {
            pending->givenUp = true;
            return false; // an answer that still comes is ignored
        }
        pending->answered.wait_for(lock, std::chrono::milliseconds(20));
    }
    return pending->trusted;
}

void SetCertificateQuestion(TCertificateQuestion asked) {
    std::lock_guard lock(questionMutex);
    question = std::move(asked);
}
