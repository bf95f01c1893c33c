#include "dialogs/header_viewer.h"

#include "mime/shown_header.h"
#include "widgets/looks.h"
#include "widgets/text_bytes.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QScreen>
#include <QShowEvent>
#include <QTextEdit>
#include <QVBoxLayout>

THeaders::THeaders(QWidget* parent)
    : QWidget(parent, Qt::Window), rich(new QTextEdit(this)), raw(new QCheckBox(tr("&Raw"), this)) {
    setObjectName("Headers");
    setWindowTitle(tr("Headers"));
    setWindowIcon(VellionIcon());
    resize(474, 285);
    rich->setObjectName("rich");
    rich->setAccessibleName(tr("Message header"));
    rich->setReadOnly(true);
    rich->setAcceptRichText(false);
    rich->setLineWrapMode(QTextEdit::NoWrap);
    rich->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    rich->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    raw->setObjectName("raw");
    raw->setContentsMargins(6, 0, 0, 0);
    raw->setToolTip(tr("Show the header lines exactly as the server sent them (Alt+R)"));
    connect(raw, &QCheckBox::toggled, this, [this] { Render(); });
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->setSpacing(4);
    layout->addWidget(rich, 1);
    layout->addWidget(raw, 0, Qt::AlignLeft);
}

void THeaders::ShowLines(const std::vector<std::string>& lines) {
    kept = lines;
    // The empty line and the terminator end the server's reply; they are no header line.
    if (!kept.empty() && kept.back() == ".") kept.pop_back();
    if (!kept.empty() && kept.back().empty()) kept.pop_back();
    const TShownHeader shown = ShownHeader(kept);
    const std::string about = shown.From.Shown.empty() || shown.Subject.empty()
                                  ? shown.From.Shown + shown.Subject
                                  : shown.From.Shown + ": " + shown.Subject;
    setWindowTitle(about.empty() ? tr("Headers")
                                 : tr("Headers - %1").arg(QString::fromStdString(about)));
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
        for (const std::string& line : ViewerLines(kept))
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

// Opened from hidden, it stands beside the main window (right, else left) so that the rows it
// follows stay in sight; on a screen too small for that, at the screen's right edge.
void THeaders::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (event->spontaneous() || !parentWidget()) return;
    const QWidget& owner = *parentWidget()->window();
    const QRect area = owner.screen() ? owner.screen()->availableGeometry() : QRect();
    const QRect beside = owner.frameGeometry();
    const int frameWidth = frameGeometry().width() - width();
    const int frameHeight = frameGeometry().height() - height();
    if (area.isValid())
        resize(std::min(Roomy.width(), area.width() - frameWidth),
               std::min(Roomy.height(), area.height() - frameHeight));
    QRect frame(frameGeometry().topLeft(), size() + QSize(frameWidth, frameHeight));
    frame.moveTop(beside.top());
    if (!area.isValid() || beside.right() + frame.width() <= area.right())
        frame.moveLeft(beside.right() + 1);
    else if (beside.left() - frame.width() >= area.left())
        frame.moveRight(beside.left() - 1);
    else
        frame.moveRight(area.right());
    if (area.isValid() && frame.bottom() > area.bottom()) frame.moveBottom(area.bottom());
    move(frame.topLeft());
}

void THeaders::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
