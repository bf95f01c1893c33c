#include "dialogs/certificate_dialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QLabel* AddField(QFormLayout* form, const char* name, const QString& caption,
                 const std::string& text) {
    auto* value = new QLabel(Utf8(text));
    value->setObjectName(name);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    value->setWordWrap(true);
    form->addRow(caption, value);
    return value;
}
} // namespace

TCertificateDialog::TCertificateDialog(const std::string& server, const TCertificateReport& report,
                                       bool changed, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle("Certificate not trusted");
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    QString text =
        "The certificate of " + Utf8(server) + " is not trusted: " + Utf8(report.Reason) + ".";
    if (changed)
        text += "\n\nIt has changed since you trusted this server's certificate. Trust the new "
                "one only if you know why it changed.";
    auto* reason = new QLabel(text);
    reason->setObjectName("reason");
    reason->setWordWrap(true);
    layout->addWidget(reason);

    auto* form = new QFormLayout;
    AddField(form, "subject", "Issued to:", report.Subject);
    AddField(form, "issuer", "Issued by:", report.Issuer);
    AddField(form, "valid_from", "Valid from:", report.ValidFrom);
    AddField(form, "valid_until", "Valid until:", report.ValidUntil);
    AddField(form, "fingerprint", "SHA-256 fingerprint:", report.Fingerprint)
        ->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addLayout(form);

    auto* buttons = new QDialogButtonBox;
    auto* trust = buttons->addButton("Trust this certificate", QDialogButtonBox::AcceptRole);
    trust->setObjectName("trust");
    auto* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("cancel");
    cancel->setDefault(true);
    trust->setAutoDefault(false); // Enter must not trust, even with the focus on it
    cancel->setFocus();
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    setMinimumWidth(600); // the fingerprint on one line
}

bool TCertificateDialog::Ask(const std::string& server, const TCertificateReport& report,
                             bool changed, QWidget* parent) {
    TCertificateDialog dialog(server, report, changed, parent);
    return dialog.exec() == QDialog::Accepted;
}
