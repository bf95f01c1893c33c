#pragma once
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <string>

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

    static void WriteFile(const std::string& name, const std::string& bytes) {
        QFile file(QString::fromStdString(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
    // The file's bytes; missing when there is no such file.
    static std::string ReadFile(const std::string& name, const std::string& missing = "") {
        QFile file(QString::fromStdString(name));
        if (!file.open(QIODevice::ReadOnly)) return missing;
        const QByteArray data = file.readAll();
        return std::string(data.constData(), static_cast<size_t>(data.size()));
    }

    QTemporaryDir dir;
    QString previous;
};

} // namespace test_support
