#include <QApplication>
#include <gtest/gtest.h>

// Windows and dialogs need a widget application; without a display they run offscreen.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName("Vellion");
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
