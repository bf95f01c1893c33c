#include "dialogs/qt_message_box.h"

#include "platform/message_box.h"
#include "platform/ui_thread.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStringDecoder>

namespace {
QMessageBox::Icon IconOf(TMsgKind kind) {
    switch (kind) {
    case TMsgKind::Confirmation:
        return QMessageBox::Question;
    case TMsgKind::Warning:
        return QMessageBox::Warning;
    case TMsgKind::Error:
        return QMessageBox::Critical;
    case TMsgKind::Information:
        break;
    }
    return QMessageBox::NoIcon;
}

// Texts are UTF-8 where they are valid UTF-8 (names from a header), else 8-bit bytes as
// Latin-1; the "\n\r" line breaks the texts carry show, and are read out, as plain line ends.
QString TextOf(const std::string& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (utf8.hasError())
        text = QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return text.remove('\r');
}

QString CaptionOf(const TMsgRequest& request) {
    if (!request.Caption.empty()) return QString::fromLatin1(request.Caption);
    return QApplication::applicationDisplayName();
}

TMsgResult Ask(const TMsgRequest& request) {
    QMessageBox box(IconOf(request.Kind), CaptionOf(request), TextOf(request.Text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    QPushButton* first = nullptr;
    switch (request.Buttons) {
    case TMsgButtons::YesNo:
        first =
            box.addButton(QCoreApplication::translate("TMessageBox", "&Yes"), QMessageBox::YesRole);
        box.addButton(QCoreApplication::translate("TMessageBox", "&No"), QMessageBox::NoRole);
        break;
    case TMsgButtons::OkCancel:
        first = box.addButton(QCoreApplication::translate("TMessageBox", "OK"),
                              QMessageBox::AcceptRole);
        box.addButton(QCoreApplication::translate("TMessageBox", "Cancel"),
                      QMessageBox::RejectRole);
        break;
    case TMsgButtons::Ok:
        first = box.addButton(QCoreApplication::translate("TMessageBox", "OK"),
                              QMessageBox::AcceptRole);
        break;
    }
    box.setDefaultButton(first);
    box.exec();
    const bool firstChosen = box.clickedButton() == first;
    switch (request.Buttons) {
    case TMsgButtons::YesNo:
        return firstChosen ? TMsgResult::Yes : TMsgResult::No;
    case TMsgButtons::OkCancel:
        return firstChosen ? TMsgResult::Ok : TMsgResult::Cancel;
    case TMsgButtons::Ok:
        break;
    }
    return TMsgResult::Ok;
}

// Widgets live on the user-interface thread; a question from another thread waits there.
TMsgResult AskFromAnyThread(const TMsgRequest& request) {
    return AskOnUiThread<TMsgResult>([request] { return Ask(request); }).value_or(TMsgResult::Ok);
}
} // namespace

void InstallQtMessageBoxHandler() {
    SetMessageBoxHandler(AskFromAnyThread);
}
