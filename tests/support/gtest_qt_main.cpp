#include <QCoreApplication>
#include <gtest/gtest.h>

// The socket session and the platform layer post Qt events, so every test program has an
// application object on its main thread.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
