#include "widgets/preview_pane.h"

#include "mime/body_preview.h"

#include <QLabel>
#include <QLocale>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace {
QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString AttachmentLine(const TAttachment& attachment) {
    QString line = attachment.Name.empty()
                       ? TPreviewPane::tr("(unnamed %1)").arg(Utf8(attachment.Type))
                       : Utf8(attachment.Name);
    if (attachment.Size) line += " (" + QLocale().formattedDataSize(*attachment.Size) + ")";
    return line;
}
} // namespace

TPreviewPane::TPreviewPane(QWidget* parent)
    : QWidget(parent), text(new QPlainTextEdit(this)), attachments(new QLabel(this)) {
    setObjectName("previewPane");
    text->setObjectName("previewText");
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    text->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    text->setFrameShape(QFrame::NoFrame);
    text->setAccessibleName(tr("Preview of the selected message"));
    attachments->setObjectName("previewAttachments");
    attachments->setWordWrap(true);
    attachments->setTextFormat(Qt::PlainText);
    attachments->setContentsMargins(4, 2, 4, 2);
    attachments->hide();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(text, 1);
    layout->addWidget(attachments);
}

void TPreviewPane::ShowPreview(const TPreview& preview) {
    QString shown = Utf8(preview.Text);
    if (preview.Cut) shown += "\n...";
    text->setPlainText(shown);
    QStringList names;
    for (const TAttachment& attachment : preview.Attachments)
        names << AttachmentLine(attachment);
    attachments->setText(names.isEmpty() ? QString() : tr("Attachments: %1").arg(names.join(", ")));
    attachments->setVisible(!names.isEmpty());
}

void TPreviewPane::ShowNote(const std::string& note) {
    Clear();
    text->setPlaceholderText(Utf8(note));
}

void TPreviewPane::Clear() {
    text->clear();
    text->setPlaceholderText({});
    attachments->clear();
    attachments->hide();
}

QString TPreviewPane::Text() const {
    return text->toPlainText().isEmpty() ? text->placeholderText() : text->toPlainText();
}

QString TPreviewPane::Attachments() const {
    return attachments->text();
}
