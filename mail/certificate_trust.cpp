#include "mail/certificate_trust.h"

#include "dialogs/certificate_dialog.h"
#include "platform/message_box.h"
#include "platform/translated_text.h"
#include "platform/ui_thread.h"
#include "secrets/pin_store.h"

#include <QApplication>

#include <mutex>

namespace {
std::mutex questionMutex;
TCertificateQuestion question; // guarded by questionMutex

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
        ShowMessage(Filled(Translated("TCertificateTrust",
                                      "The trusted certificate could not be saved in \"%1\": it "
                                      "will be asked for again next time"),
                           TPinStore::FilePath()));
    return true;
}

} // namespace

bool CertificatePinned(const std::string& server, const TCertificateReport& report) {
    TPinStore pins;
    return pins.Load() && pins.Check(server, report.Fingerprint) == TPinStore::TPin::Same;
}

bool TrustCertificate(const std::string& server, const TCertificateReport& report,
                      const std::function<bool()>& abandoned) {
    return AskOnUiThread<bool>([server, report] { return Decide(server, report); }, abandoned)
        .value_or(false);
}

void SetCertificateQuestion(TCertificateQuestion asked) {
    std::lock_guard lock(questionMutex);
    question = std::move(asked);
}
