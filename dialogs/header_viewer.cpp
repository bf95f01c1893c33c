#include "dialogs/header_viewer.h"

#include "pop3/header_text.h"
#include "widgets/glyphs.h"
#include "widgets/text_bytes.h"

#include <QCheckBox>
#include <QShowEvent>
#include <QTextEdit>
#include <QVBoxLayout>

THeaders::THeaders(QWidget* parent)
    : QWidget(parent, Qt::Window), rich(new QTextEdit(this)), raw(new QCheckBox("&Raw", this)) {
    setObjectName("Headers");
    setWindowTitle("Headers");
    setWindowIcon(VellionIcon());
    resize(474, 285);
    rich->setObjectName("rich");
    rich->setReadOnly(true);
    rich->setAcceptRichText(false);
    rich->setLineWrapMode(QTextEdit::NoWrap);
    rich->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    rich->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    raw->setObjectName("raw");
    raw->setContentsMargins(6, 0, 0, 0);
    raw->setToolTip("Show the header lines exactly as the server sent them (Alt+R)");
    connect(raw, &QCheckBox::toggled, this, [this] { Render(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->setSpacing(4);
    layout->addWidget(rich, 1);
    layout->addWidget(raw, 0, Qt::AlignLeft);
}

void THeaders::ShowLines(const std::vector<std::string>& lines) {
    kept = lines;
    Render();
}

void THeaders::SetRaw(bool on) {
    raw->setChecked(on);
}

void THeaders::Render() {
    QStringList text;
    if (raw->isChecked()) {
        for (const std::string& line : kept)
            text << ToQString(line);
    } else {
        for (const std::string& line : ShownHeaderLines(kept))
            text << QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
    }
    rich->setPlainText(text.join('\n'));
}

std::vector<std::string> THeaders::Lines() const {
    std::vector<std::string> lines;
    for (const QString& line : rich->toPlainText().split('\n'))
        lines.push_back(raw->isChecked() ? ToBytes(line) : line.toStdString());
    return lines;
}

// Opened from hidden, it stands in the middle of the main window.
void THeaders::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous() || !parentWidget()) return;
    QRect frame = frameGeometry();
    frame.moveCenter(parentWidget()->window()->frameGeometry().center());
    move(frame.topLeft());
}
