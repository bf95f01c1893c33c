#pragma once
#include "net/tls_channel.h"

#include <QDialog>
#include <string>

class QPushButton;

// Shows a server certificate that failed verification: why, whom it names, who issued it, its
// dates and its SHA-256 fingerprint, and lets the user trust it for this server or cancel.
// Cancel is the default button and has the focus, so neither Enter nor Space trusts by accident;
// the dialog says what trusting does, and fits a small screen.
class TCertificateDialog : public QDialog {
    Q_OBJECT
public:
    // changed: another certificate of this server was trusted before.
    TCertificateDialog(const std::string& server, const TCertificateReport& report, bool changed,
                       QWidget* parent = nullptr);

    // Shows a new dialog modally; true when the user trusted the certificate.
    static bool Ask(const std::string& server, const TCertificateReport& report, bool changed,
                    QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QPushButton* cancel = nullptr;
};
