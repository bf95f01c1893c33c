#pragma once
#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace test_support {

// Each test runs in an empty working directory of its own, where the program keeps its files.
class TempWorkingDirTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        previous = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
    }
    void TearDown() override { QDir::setCurrent(previous); }

    QTemporaryDir dir;
    QString previous;
};

} // namespace test_support
