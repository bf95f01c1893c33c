#include "dialogs/certificate_dialog.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

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
// A full fingerprint (95 characters) is too wide for a small screen: 16 bytes a line.
std::string InTwoLines(std::string fingerprint) {
    constexpr size_t half = 16 * 3;
    if (fingerprint.size() > half) fingerprint.insert(half, "\n");
    return fingerprint;
}
} // namespace

TCertificateDialog::TCertificateDialog(const std::string& server, const TCertificateReport& report,
                                       bool changed, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(tr("Certificate not trusted"));
    setModal(true);
    // The details scroll where the screen is small (1024x600 at scale factor 2); the buttons
    // always show.
    auto* details = new QWidget;
    auto* layout = new QVBoxLayout(details);
    layout->setContentsMargins(0, 0, 0, 0);
    QString text =
        tr("The certificate of %1 is not trusted: %2.").arg(Utf8(server), Utf8(report.Reason));
    if (changed)
        text += "\n\n" + tr("It has changed since you trusted this server's certificate. Trust "
                            "the new one only if you know why it changed.");
    auto* reason = new QLabel(text);
    reason->setObjectName("reason");
    reason->setWordWrap(true);
    layout->addWidget(reason);

    auto* form = new QFormLayout;
    form->setRowWrapPolicy(QFormLayout::WrapLongRows);
    AddField(form, "subject", tr("Issued to:"), report.Subject);
    AddField(form, "issuer", tr("Issued by:"), report.Issuer);
    AddField(form, "valid_from", tr("Valid from:"), report.ValidFrom);
    AddField(form, "valid_until", tr("Valid until:"), report.ValidUntil);
    AddField(form, "fingerprint", tr("SHA-256 fingerprint:"), InTwoLines(report.Fingerprint))
        ->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addLayout(form);

    auto* effect =
        new QLabel(tr("Trusting it means that this certificate is accepted for %1 from now on, "
                      "without asking again. Cancel sends nothing.")
                       .arg(Utf8(server)));
    effect->setObjectName("trust_effect");
    effect->setWordWrap(true);
    layout->addWidget(effect);

    auto* scroll = new QScrollArea;
    scroll->setWidget(details);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* buttons = new QDialogButtonBox;
    auto* trust = buttons->addButton(tr("Trust this certificate"), QDialogButtonBox::AcceptRole);
    trust->setObjectName("trust");
    cancel = buttons->addButton(tr("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName("cancel");
    trust->setAutoDefault(false); // Enter must not trust, even with the focus on it
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(scroll);
    outer->addWidget(buttons);
    cancel->setDefault(true);
}

// The focus is placed once the dialog shows: set before, it went to the first button in the
// tab order, so that a Space press trusted the certificate.
void TCertificateDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    cancel->setDefault(true);
    cancel->setFocus(Qt::OtherFocusReason);
    if (const QScreen* shown = screen()) {
        const QRect area = shown->availableGeometry();
        const QSize frame = frameGeometry().size() - size();
        resize(size().boundedTo(area.size() - frame));
        QRect placed = frameGeometry();
        placed.moveLeft(std::clamp(placed.left(), area.left(), area.right() - placed.width() + 1));
        placed.moveTop(std::clamp(placed.top(), area.top(), area.bottom() - placed.height() + 1));
        move(placed.topLeft());
    }
}

bool TCertificateDialog::Ask(const std::string& server, const TCertificateReport& report,
                             bool changed, QWidget* parent) {
    TCertificateDialog dialog(server, report, changed, parent);
    return dialog.exec() == QDialog::Accepted;
}
