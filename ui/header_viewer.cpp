#include "ui/header_viewer.h"

#include "accounts/text_bytes.h"
#include "ui/glyphs.h"

#include <QTextEdit>
#include <QVBoxLayout>

THeaders::THeaders(QWidget* parent) : QWidget(parent, Qt::Window), rich(new QTextEdit(this)) {
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
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(rich);
}

void THeaders::ShowLines(const std::vector<std::string>& lines) {
    QStringList text;
    for (const std::string& line : lines)
        text << ToQString(line);
    rich->setPlainText(text.join('\n'));
}

std::vector<std::string> THeaders::Lines() const {
    std::vector<std::string> lines;
    for (const QString& line : rich->toPlainText().split('\n'))
        lines.push_back(ToBytes(line));
    return lines;
}
