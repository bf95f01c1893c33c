#include "accounts/account_list.h"
#include "accounts/accounts_file.h"
#include "accounts/password_codec.h"
#include "platform/exception.h"
#include "platform/tick_count.h"
#include "tests/support/full_disk.h"
#include "tests/support/message_recorder.h"

#include "tests/support/temp_working_dir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

namespace {
const std::string officeRecord = "NAME:Office\r\nSERVER:192.0.2.10\r\nUSER:user1\r\n"
                                 "PASS:00003039\r\nTOUT:90\r\nREMEM:0\r\n\x0B\r\n";
const std::string homeRecord = "NAME:Home\r\nSERVER:pop.example.net\r\nUSER:me\r\n"
                               "PASS:00003039F6BD34D96C44\r\nTOUT:-5\r\nREMEM:1\r\n\x0B\r\n";
// The same records as this program saves them, with the security line before the end line.
std::string Saved(const std::string& record, const std::string& mode = "none") {
    return record.substr(0, record.size() - 3) + "SECUR:" + mode + "\r\n\x0B\r\n";
}

// Each test runs in a directory of its own, with the tick count fixed at 0 (seed 00003039).
class AccountsFileTest : public test_support::TempWorkingDirTest {
protected:
    void SetUp() override {
        TempWorkingDirTest::SetUp();
        SetTickSource([] { return 0u; });
    }
    void TearDown() override {
        SetTickSource({});
        TempWorkingDirTest::TearDown();
    }

    static unsigned Mode(const std::string& name) {
        struct stat info {};
        stat(name.c_str(), &info);
        return info.st_mode & 0777;
    }
    void AddOfficeAndHome() {
        ASSERT_TRUE(list.Add("Office", "192.0.2.10", "user1", "typed", false));
        ASSERT_TRUE(list.Add("Home", "pop.example.net", "me", "secret", true));
        list.At(1).Timeout = -5;
    }
    // Loads into a fresh list and returns it.
    TAccounts Load(const std::string& bytes) {
        WriteFile("mail.acc", bytes);
        TAccounts loaded;
        EXPECT_TRUE(loaded.LoadFromFile());
        return loaded;
    }

    MessageRecorder messages;
    TAccounts list;
};

TEST_F(AccountsFileTest, SaveWritesTheRecordsByteForByte) {
    AddOfficeAndHome();
    ASSERT_TRUE(list.SaveToFile());
    EXPECT_EQ(ReadFile("mail.acc"), Saved(officeRecord) + Saved(homeRecord));
    EXPECT_EQ(list.At(0).Password, "") << "no saved password: erased in memory";
    EXPECT_EQ(list.At(1).Password, "secret");
    EXPECT_EQ(AccountsFilePath(), QDir(dir.path()).filePath("mail.acc").toStdString());
}

TEST_F(AccountsFileTest, EmptyListGivesEmptyFileAndLoadsBackEmpty) {
    ASSERT_TRUE(list.SaveToFile());
    EXPECT_EQ(ReadFile("mail.acc", "<missing>"), "");
    TAccounts loaded;
    EXPECT_TRUE(loaded.LoadFromFile());
    EXPECT_EQ(loaded.Count(), 0);
}

TEST_F(AccountsFileTest, SaveThenLoadGivesTheStoredFieldsBack) {
    AddOfficeAndHome();
    list.At(0).Rows = {"row"};
    list.At(0).PasswordGiven = true;
    SetTickSource({}); // real clock: any seed must decode
    ASSERT_TRUE(list.SaveToFile());
    TAccounts loaded;
    ASSERT_TRUE(loaded.LoadFromFile());
    ASSERT_EQ(loaded.Count(), 2);
    const TAccount& office = loaded.At(0);
    EXPECT_EQ(office.Name, "Office");
    EXPECT_EQ(office.Server, "192.0.2.10");
    EXPECT_EQ(office.User, "user1");
    EXPECT_EQ(office.Password, "");
    EXPECT_FALSE(office.SavePassword);
    EXPECT_FALSE(office.PasswordGiven);
    EXPECT_TRUE(office.Rows.empty());
    EXPECT_EQ(office.LastRefresh, "(none)");
    EXPECT_EQ(loaded.At(1).Password, "secret");
    EXPECT_EQ(loaded.At(1).Timeout, -5);
    EXPECT_TRUE(loaded.At(1).SavePassword);
}

TEST_F(AccountsFileTest, MissingFileGivesFalseAndKeepsTheList) {
    AddOfficeAndHome();
    EXPECT_FALSE(list.LoadFromFile());
    EXPECT_EQ(list.Count(), 2);
}

TEST_F(AccountsFileTest, LoadingAppendsAndLeavesSelectionAlone) {
    AddOfficeAndHome();
    ASSERT_TRUE(list.Select(1, ""));
    list.Modified = true;
    WriteFile("mail.acc", officeRecord + officeRecord);
    ASSERT_TRUE(list.LoadFromFile());
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.At(2).Name, "Office");
    EXPECT_EQ(list.IndexOf("Office"), 0) << "duplicates load; IndexOf finds the first";
    EXPECT_EQ(list.CurrentIndex(), 1);
    EXPECT_EQ(list.Current(), &list.At(1));
    EXPECT_TRUE(list.Modified);
}

TEST_F(AccountsFileTest, LineRulesComparePrefixesExactly) {
    const TAccounts loaded = Load("name:lower\r\nSERVE:pop.x\r\nSERVE--later\r\n"
                                  "NOTE:ignored\r\n\r\nUSE\r\nUSER:a\r\nUSER:b\r\n"
                                  "PASS:0000303\r\nTOUT:abc\r\nREMEMX5\r\n\x0B\r\n"
                                  "NAME:Two\r\nTOUT:   30\r\nREMEM:0\r\n\x0B\r\n");
    ASSERT_EQ(loaded.Count(), 2);
    const TAccount& first = loaded.At(0);
    EXPECT_EQ(first.Name, "") << "a lowercase prefix is ignored";
    EXPECT_EQ(first.Server, "later") << "later line wins; chars 6 and 7 dropped";
    EXPECT_EQ(first.User, "b");
    EXPECT_EQ(first.Password, "");
    EXPECT_EQ(first.Timeout, 90);
    EXPECT_TRUE(first.SavePassword) << "any digit but 0 sets it; the 6th char is not compared";
    EXPECT_EQ(loaded.At(1).Name, "Two");
    EXPECT_EQ(loaded.At(1).Timeout, 30);
    EXPECT_FALSE(loaded.At(1).SavePassword);
}

TEST_F(AccountsFileTest, ServePrefixLosesTheFirstServerCharacter) {
    const TAccounts loaded = Load("SERVE:pop.example.net\r\nSERVE\r\n\x0B\r\n"
                                  "SERVE:pop.example.net\r\n\x0B");
    ASSERT_EQ(loaded.Count(), 2);
    EXPECT_EQ(loaded.At(0).Server, "") << "a bare SERVE line empties it";
    EXPECT_EQ(loaded.At(1).Server, "op.example.net");
}

TEST_F(AccountsFileTest, LoneCrAndLoneLfEndLinesToo) {
    const TAccounts loaded = Load("NAME:A\rUSER:u\n\x0B\rNAME:B\n\x0B\n");
    ASSERT_EQ(loaded.Count(), 2);
    EXPECT_EQ(loaded.At(0).Name, "A");
    EXPECT_EQ(loaded.At(0).User, "u");
    EXPECT_EQ(loaded.At(1).Name, "B");
}

TEST_F(AccountsFileTest, RecordWithoutEndLineIsDropped) {
    const TAccounts loaded = Load(officeRecord + "NAME:Unfinished\r\nSERVER:s\r\n");
    ASSERT_EQ(loaded.Count(), 1);
    EXPECT_EQ(loaded.At(0).Name, "Office");
    EXPECT_EQ(Load("NAME:x\r\n\x0B\x0B\r\n \x0B\r\n").Count(), 0) << "0x0B must be alone";
}

// A damaged file loads by the usual rules; when it held bytes that became no account it is
// kept as a backup, and one message says so. Unknown lines are for later versions: no damage.
TEST_F(AccountsFileTest, ADamagedFileIsKeptAndReportedOnce) {
    const std::string intact = officeRecord + homeRecord;
    std::string flipped = intact;
    flipped[officeRecord.size() - 3] = '\x0A'; // the first record's 0x0B
    const struct {
        std::string bytes;
        int accounts;
        bool kept;
    } cases[] = {
        {intact, 2, false},
        {"", 0, false},
        {officeRecord + "TLS:1\r\nNEW:x\r\n\x0B\r\n", 2, false},
        {intact.substr(0, intact.size() - 3), 1, true}, // cut: the last record is unclosed
        {flipped, 1, true},                             // two records read as one
        {"just some text\r\n", 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        QFile::remove("mail.acc.bak");
        messages.texts.clear();
        EXPECT_EQ(Load(c.bytes).Count(), c.accounts);
        EXPECT_EQ(ReadFile("mail.acc.bak", "<missing>"), c.kept ? c.bytes : "<missing>");
        const std::vector<std::string> said{"Part of the accounts file could not be read.\r\n"
                                            "The accounts file was kept as \"" +
                                            AccountsFilePath() + ".bak\"."};
        EXPECT_EQ(messages.texts, c.kept ? said : std::vector<std::string>{});
    }
}

TEST_F(AccountsFileTest, ANamedPipeIsNeitherReadNorReplaced) {
    ASSERT_EQ(mkfifo("mail.acc", 0600), 0);
    EXPECT_THROW(list.LoadFromFile(), Exception); // and does not wait for a writer
    AddOfficeAndHome();
    EXPECT_FALSE(list.SaveToFile());
    EXPECT_TRUE(QFileInfo("mail.acc").exists() && !QFileInfo("mail.acc").isFile());
}

TEST_F(AccountsFileTest, BadRememberLineStopsLoadingWithTheConversionError) {
    const std::string original = officeRecord + "NAME:Broken\r\nREMEM:\r\n\x0B\r\n" + homeRecord;
    WriteFile("mail.acc", original);
    try {
        list.LoadFromFile();
        FAIL() << "no error";
    } catch (const Exception& failure) {
        const std::string backup = AccountsFilePath() + ".bak";
        EXPECT_EQ(failure.Message(), "'' is not a valid integer value\r\n"
                                     "The accounts file was kept as \"" +
                                         backup + "\".");
    }
    ASSERT_EQ(list.Count(), 1) << "accounts before the bad line stay";
    EXPECT_EQ(list.At(0).Name, "Office");
    EXPECT_EQ(ReadFile("mail.acc.bak"), original);
    EXPECT_EQ(Mode("mail.acc.bak"), 0600u);

    ASSERT_TRUE(list.SaveToFile());
    EXPECT_EQ(ReadFile("mail.acc"), Saved(officeRecord));
    EXPECT_EQ(ReadFile("mail.acc.bak"), original) << "nothing of the file is lost";
}

TEST_F(AccountsFileTest, NonDigitRememberCharacterIsNamedAndBackupsAreNotOverwritten) {
    WriteFile("mail.acc.bak", "older backup");
    const std::string original = "NAME:x\r\nREMEM:y1\r\n\x0B\r\n";
    WriteFile("mail.acc", original);
    TAccounts loaded;
    try {
        loaded.LoadFromFile();
        FAIL() << "no error";
    } catch (const Exception& failure) {
        EXPECT_EQ(failure.Message().rfind("'y' is not a valid integer value\r\n", 0), 0u);
        EXPECT_NE(failure.Message().find("mail.acc.bak2\""), std::string::npos);
    }
    EXPECT_EQ(loaded.Count(), 0) << "the account under construction is discarded";
    EXPECT_EQ(ReadFile("mail.acc.bak"), "older backup");
    EXPECT_EQ(ReadFile("mail.acc.bak2"), original);
}

TEST_F(AccountsFileTest, FileIsReadableByItsOwnerOnly) {
    AddOfficeAndHome();
    ASSERT_TRUE(list.SaveToFile());
    EXPECT_EQ(Mode("mail.acc"), 0600u);
    ASSERT_EQ(chmod("mail.acc", 0644), 0);
    ASSERT_TRUE(list.SaveToFile());
    EXPECT_EQ(Mode("mail.acc"), 0600u) << "an existing wider mode is narrowed";
}

TEST_F(AccountsFileTest, SaveUsesTheWorkingDirectoryOfTheMoment) {
    AddOfficeAndHome();
    ASSERT_TRUE(QDir().mkdir("elsewhere"));
    ASSERT_TRUE(QDir::setCurrent(dir.filePath("elsewhere")));
    ASSERT_TRUE(list.SaveToFile());
    EXPECT_EQ(ReadFile(dir.filePath("elsewhere/mail.acc").toStdString()),
              Saved(officeRecord) + Saved(homeRecord));
    EXPECT_EQ(ReadFile(dir.filePath("mail.acc").toStdString(), "<missing>"), "<missing>");
}

TEST_F(AccountsFileTest, SaveThatCannotCreateTheFileGivesFalse) {
    ASSERT_TRUE(QDir().mkdir("mail.acc"));
    AddOfficeAndHome();
    EXPECT_FALSE(list.SaveToFile());
    EXPECT_EQ(list.At(0).Password, "") << "the erase happens before writing";
    EXPECT_EQ(list.At(1).Password, "secret");
    EXPECT_TRUE(QFileInfo("mail.acc").isDir());
}

// A full disk in the middle of a save, on a small tmpfs where the machine lets the test mount
// one, and under a file-size limit; a short list fits in the write buffer, a long one does not.
TEST_F(AccountsFileTest, SaveOnAFullDiskLeavesTheOldFileUntouched) {
    const std::string old = officeRecord + homeRecord;
    for (const bool tmpfs : {true, false})
        for (const int count : {3, 400}) {
            SCOPED_TRACE((tmpfs ? "tmpfs, " : "size limit, ") + std::to_string(count));
            const QString where = dir.filePath(QString("disk%1-%2").arg(tmpfs).arg(count));
            ASSERT_TRUE(QDir().mkpath(where));
            std::optional<test_support::SmallTmpfs> disk;
            if (tmpfs && !disk.emplace(where.toStdString()).Mounted()) continue; // not allowed
            ASSERT_TRUE(QDir::setCurrent(where));
            WriteFile("mail.acc", old);
            TAccounts accounts;
            for (int i = 0; i < count; ++i)
                ASSERT_TRUE(accounts.Add("Account " + std::to_string(i), "pop.example.net", "user",
                                         "", false));
            bool saved = true;
            if (disk) {
                disk->Fill();
                saved = accounts.SaveToFile();
            } else {
                test_support::FileSizeLimit limit(64);
                saved = accounts.SaveToFile();
            }
            EXPECT_FALSE(saved);
            EXPECT_EQ(ReadFile("mail.acc"), old);
            EXPECT_EQ(QDir().entryList({"mail.acc*"}, QDir::Files | QDir::Hidden),
                      QStringList{"mail.acc"})
                << "no temporary left";
            ASSERT_TRUE(QDir::setCurrent(dir.path()));
        }
}

// In a folder that is read-only while "mail.acc" is writable, the file is written in place.
TEST_F(AccountsFileTest, AReadOnlyFolderIsWrittenInPlace) {
    WriteFile("mail.acc", officeRecord);
    AddOfficeAndHome();
    ASSERT_EQ(chmod(".", 0500), 0);
    bool saved = false;
    bool refused = true;
    {
        test_support::FilePermissionsApply obeyed;
        saved = list.SaveToFile();
        ASSERT_EQ(chmod("mail.acc", 0400), 0);
        refused = !list.SaveToFile(); // a read-only file in a read-only folder
    }
    ASSERT_EQ(chmod(".", 0700), 0);
    EXPECT_TRUE(saved);
    EXPECT_TRUE(refused);
    EXPECT_EQ(ReadFile("mail.acc"), Saved(officeRecord) + Saved(homeRecord));
    EXPECT_EQ(QDir().entryList(QDir::Files | QDir::Hidden), QStringList{"mail.acc"});
}

TEST_F(AccountsFileTest, UnreadableFileIsNeverOverwritten) {
    ASSERT_TRUE(QDir().mkdir("mail.acc")); // exists, yet cannot be read as a file
    EXPECT_THROW(list.LoadFromFile(), Exception);
    AddOfficeAndHome();
    EXPECT_FALSE(list.SaveToFile());
    EXPECT_TRUE(QFileInfo("mail.acc").isDir());
}
} // namespace

// The security line: absent in files of older programs (None), read and written in each mode.
TEST_F(AccountsFileTest, SecurityLineIsReadAndWrittenBeforeTheEndLine) {
    const struct {
        std::string record;
        TSecurity loaded;
        std::string saved;
    } cases[] = {
        {officeRecord, TSecurity::None, Saved(officeRecord, "none")},
        {Saved(officeRecord, "tls"), TSecurity::Tls, Saved(officeRecord, "tls")},
        {Saved(officeRecord, "starttls"), TSecurity::StartTls, Saved(officeRecord, "starttls")},
        {Saved(officeRecord, "none"), TSecurity::None, Saved(officeRecord, "none")},
        {Saved(officeRecord, "quantum"), TSecurity::Tls, Saved(officeRecord, "tls")},
    };
    for (const auto& c : cases) {
        TAccounts loaded = Load(c.record + homeRecord);
        ASSERT_EQ(loaded.Count(), 2) << c.record;
        EXPECT_EQ(loaded.At(0).Security, c.loaded) << c.record;
        EXPECT_EQ(loaded.At(1).Security, TSecurity::None) << "the mode ends with its record";
        EXPECT_EQ(loaded.At(0).Server, "192.0.2.10");
        ASSERT_TRUE(loaded.SaveToFile());
        EXPECT_EQ(ReadFile("mail.acc"), c.saved + Saved(homeRecord)) << c.record;
    }
}

TEST_F(AccountsFileTest, SignInLinesAreReadAndWrittenBeforeTheEndLine) {
    const auto with = [](const std::string& record, const std::string& lines) {
        const std::string saved = Saved(record);
        return saved.substr(0, saved.size() - 3) + lines + "\x0B\r\n";
    };
    const std::string oauth = "SIGNIN:oauth2\r\nPROVIDER:microsoft\r\nCLIENTID:c-1\r\n";
    const std::string generic = "SIGNIN:oauth2\r\nPROVIDER:generic\r\nAUTHURL:https://a/auth\r\n"
                                "TOKENURL:https://a/token\r\nSCOPE:pop offline\r\n";
    const std::string refresh = "REFRESH:" + EncodePassword("rt") + "\r\n";
    std::string homeInKeyring = homeRecord; // its password field holds an empty password
    homeInKeyring.replace(homeInKeyring.find("PASS:") + 13, 12, "");
    const struct {
        std::string record;
        std::string saved;
        TSignInMethod signIn;
        TSecretPlace place;
        std::string refreshToken;
    } cases[] = {
        {with(homeRecord, "SIGNIN:plain\r\n"), with(homeRecord, "SIGNIN:plain\r\n"),
         TSignInMethod::Plain, TSecretPlace::File, ""},
        {with(homeRecord, oauth + refresh), with(homeRecord, oauth + refresh),
         TSignInMethod::OAuth2, TSecretPlace::File, "rt"},
        {with(homeRecord, generic), with(homeRecord, generic), TSignInMethod::OAuth2,
         TSecretPlace::File, ""},
        // No refresh token for an account that does not remember its secret.
        {with(officeRecord, oauth + refresh), with(officeRecord, oauth), TSignInMethod::OAuth2,
         TSecretPlace::File, "rt"},
        // The keyring holds the secret: the file holds no password and no refresh token.
        {with(homeRecord, oauth + refresh + "SECRET:keyring\r\n"),
         with(homeInKeyring, oauth + "SECRET:keyring\r\n"), TSignInMethod::OAuth2,
         TSecretPlace::Keyring, "rt"},
        {with(homeRecord, "SECRET:wallet\r\n"), with(homeInKeyring, "SECRET:keyring\r\n"),
         TSignInMethod::Password, TSecretPlace::Keyring, ""},
        {with(homeRecord, "SIGNIN:carrier-pigeon\r\n"), Saved(homeRecord), TSignInMethod::Password,
         TSecretPlace::File, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.record);
        TAccounts loaded = Load(c.record);
        ASSERT_EQ(loaded.Count(), 1);
        const TAccount& account = loaded.At(0);
        EXPECT_EQ(account.SignIn, c.signIn);
        EXPECT_EQ(account.SecretPlace, c.place);
        EXPECT_EQ(account.RefreshToken, c.refreshToken);
        ASSERT_TRUE(loaded.SaveToFile());
        EXPECT_EQ(ReadFile("mail.acc"), c.saved);
    }
}
