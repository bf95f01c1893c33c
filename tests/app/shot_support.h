#pragma once
// Shared by the programs that take the pictures (demo_shot, tray_shot).
#include "dialogs/qt_message_box.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <cstdio>
#include <functional>

// Runs the event loop until done() holds, for at most ms milliseconds.
inline bool WaitFor(const std::function<bool()>& done, int ms) {
    QElapsedTimer timer;
    timer.start();
    while (!done()) {
        if (timer.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// The application set up as the program sets it up; false, after the usage line, unless the
// one argument (the picture's file) is there.
inline bool PrepareShot(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <png>\n", argv[0]);
        return false;
    }
    QApplication::setApplicationName("Vellion");
    QIcon::setThemeName("Adwaita");
    InstallQtMessageBoxHandler();
    return true;
}
