#include "dialogs/qt_message_box.h"

#include "platform/message_box.h"
#include "platform/ui_thread.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

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

QString CaptionOf(const TMsgRequest& request) {
    if (!request.Caption.empty()) return QString::fromLatin1(request.Caption);
    return QApplication::applicationDisplayName();
}

TMsgResult Ask(const TMsgRequest& request) {
    QMessageBox box(IconOf(request.Kind), CaptionOf(request), QString::fromLatin1(request.Text),
                    QMessageBox::NoButton, QApplication::activeWindow());
    QPushButton* first = nullptr;
    switch (request.Buttons) {
    case TMsgButtons::YesNo:
        first = box.addButton("&Yes", QMessageBox::YesRole);
        box.addButton("&No", QMessageBox::NoRole);
        break;
    case TMsgButtons::OkCancel:
        first = box.addButton("OK", QMessageBox::AcceptRole);
        box.addButton("Cancel", QMessageBox::RejectRole);
        break;
    case TMsgButtons::Ok:
        first = box.addButton("OK", QMessageBox::AcceptRole);
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
