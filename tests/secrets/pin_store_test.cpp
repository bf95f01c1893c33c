#include "secrets/pin_store.h"
#include "tests/support/full_disk.h"
#include "tests/support/temp_working_dir.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

namespace {
const std::string first = "AA:BB";
const std::string second = "CC:DD";

class PinStoreTest : public test_support::TempWorkingDirTest {
protected:
    static std::string PinFile() { return ReadFile("mail.pin", "<missing>"); }
};

TEST_F(PinStoreTest, TrustedCertificatesAreSavedOwnerOnlyAndLoadedBack) {
    TPinStore store;
    ASSERT_TRUE(store.Load()) << "no file is an empty store";
    EXPECT_EQ(store.Check("localhost:995", first), TPinStore::TPin::None);
    store.Trust("Mail.Example:995", first);
    store.Trust("localhost:995", first);
    store.Trust("localhost:995", second); // a certificate trusted again after it changed
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(PinFile(), "localhost:995 CC:DD\r\nmail.example:995 AA:BB\r\n");
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

// A hand-edited file: lines that are not pins are skipped, and a fingerprint in lower case or
// with blanks after it is the same fingerprint.
TEST_F(PinStoreTest, LinesThatAreNotPinsAreSkippedAndHandEditsRead) {
    QFile file("mail.pin");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("garbage\n host:1 AA\nhost:2 \nhost:3 EE:FF\nhost:4 ab:cd \t\nhost:5  AB:CD\n");
    file.close();
    TPinStore store;
    ASSERT_TRUE(store.Load());
    EXPECT_EQ(store.Check("host:3", "EE:FF"), TPinStore::TPin::Same);
    EXPECT_EQ(store.Check("host:4", "AB:CD"), TPinStore::TPin::Same);
    EXPECT_EQ(store.Check("host:5", "AB:CD"), TPinStore::TPin::Same);
    EXPECT_EQ(store.Check("host:4", "AB:CE"), TPinStore::TPin::Changed);
    ASSERT_TRUE(store.Save());
    EXPECT_EQ(PinFile(), "host:3 EE:FF\r\nhost:4 AB:CD\r\nhost:5 AB:CD\r\n");
}

// A full disk, on a small tmpfs where the machine lets the test mount one, and under a file-size
// limit: the save is refused and every pin trusted before stays.
TEST_F(PinStoreTest, AFullDiskKeepsTheTrustedCertificates) {
    const std::string old = "host:1 AA:BB\r\n";
    for (const bool tmpfs : {true, false}) {
        SCOPED_TRACE(tmpfs ? "tmpfs" : "size limit");
        const QString where = dir.filePath(tmpfs ? "tmpfs" : "limited");
        ASSERT_TRUE(QDir().mkpath(where));
        std::optional<test_support::SmallTmpfs> disk;
        if (tmpfs && !disk.emplace(where.toStdString()).Mounted()) continue; // not allowed here
        ASSERT_TRUE(QDir::setCurrent(where));
        QFile file("mail.pin");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(old.data(), static_cast<qint64>(old.size()));
        file.close();
        TPinStore store;
        ASSERT_TRUE(store.Load());
        store.Trust("host:2", std::string(100, 'C'));
        bool saved = true;
        if (disk) {
            disk->Fill();
            saved = store.Save();
        } else {
            test_support::FileSizeLimit limit(8);
            saved = store.Save();
        }
        EXPECT_FALSE(saved);
        EXPECT_EQ(PinFile(), old);
        EXPECT_EQ(QDir().entryList({"mail.pin*"}, QDir::Files | QDir::Hidden),
                  QStringList{"mail.pin"});
        ASSERT_TRUE(QDir::setCurrent(dir.path()));
    }
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
