#include "accounts/pin_store.h"
#include "tests/support/temp_working_dir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {
const std::string first = "AA:BB";
const std::string second = "CC:DD";

class PinStoreTest : public test_support::TempWorkingDirTest {
protected:
    static std::string ReadFile() {
        QFile file("mail.pin");
        return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : "<missing>";
    }
};

TEST_F(PinStoreTest, TrustedCertificatesAreSavedOwnerOnlyAndLoadedBack) {
    TPinStore store;
    ASSERT_TRUE(store.Load()) << "no file is an empty store";
    EXPECT_EQ(store.Check("localhost:995", first), TPinStore::TPin::None);
    store.Trust("Mail.Example:995", first);
    store.Trust("localhost:995", first);
    store.Trust("localhost:995", second); // a certificate trusted again after it changed
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(ReadFile(), "localhost:995 CC:DD\r\nmail.example:995 AA:BB\r\n");
    struct stat info {};
    ASSERT_EQ(stat("mail.pin", &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
    EXPECT_EQ(TPinStore::FilePath(), QDir(dir.path()).filePath("mail.pin").toStdString());

    TPinStore loaded;
    ASSERT_TRUE(loaded.Load());
    const struct {
        const char* server;
        const std::string& fingerprint;
        TPinStore::TPin pin;
    } cases[] = {{"localhost:995", second, TPinStore::TPin::Same},
                 {"localhost:995", first, TPinStore::TPin::Changed},
                 {"MAIL.example:995", first, TPinStore::TPin::Same},
                 {"mail.example:110", first, TPinStore::TPin::None}};
    for (const auto& c : cases)
        EXPECT_EQ(loaded.Check(c.server, c.fingerprint), c.pin) << c.server;
}

TEST_F(PinStoreTest, LinesThatAreNotPinsAreSkipped) {
    QFile file("mail.pin");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("garbage\n host:1 AA\nhost:2 \nhost:3 EE:FF\n");
    file.close();
    TPinStore store;
    ASSERT_TRUE(store.Load());
    EXPECT_EQ(store.Check("host:3", "EE:FF"), TPinStore::TPin::Same);
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(ReadFile(), "host:3 EE:FF\r\n");
}

TEST_F(PinStoreTest, ASaveThatCannotWriteKeepsTheOldFile) {
    ASSERT_TRUE(QDir().mkdir("mail.pin"));
    TPinStore store;
    EXPECT_FALSE(store.Load());
    store.Trust("host:995", first);
    EXPECT_FALSE(store.Save());
    EXPECT_TRUE(QFileInfo("mail.pin").isDir());
}

} // namespace
