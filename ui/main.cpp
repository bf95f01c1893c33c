#include "ui/main_window.h"
#include "ui/program.h"
#include "ui/qt_message_box.h"

#include <QApplication>
#include <QIcon>

namespace {
// Without a desktop session Qt names no icon theme; the freedesktop default still has one.
void ChooseIconTheme() {
    if (QIcon::themeName().isEmpty() || QIcon::themeName() == "hicolor")
        QIcon::setThemeName("Adwaita");
}
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // No display name: the toolkit would add it to every window title ("Status - Vellion").
    QApplication::setApplicationName("Vellion");
    ChooseIconTheme();
    InstallQtMessageBoxHandler();
    TProgram program;
    QObject::connect(program.Form1.get(), &TForm1::closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);
    program.Form1->ShowAtStart();
    return QApplication::exec();
}
