// Secrets in the desktop's keyring, on a private session bus (keyring_session.sh): stored and
// read, moved over from the accounts file, a locked keyring, and no keyring at all.
#include "accounts/account_list.h"
#include "accounts/accounts_file.h"
#include "secrets/account_secrets.h"
#include "secrets/keyring_store.h"
#include "tests/support/message_recorder.h"
#include "tests/support/temp_working_dir.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using TResult = TSecretStore::TResult;

class KeyringTest : public test_support::TempWorkingDirTest {
protected:
    static std::string FileText() {
        QFile file("mail.acc");
        EXPECT_TRUE(file.open(QIODevice::ReadOnly));
        return file.readAll().toStdString();
    }
    // Two accounts whose passwords are saved scrambled, as before the keyring.
    void AddSavedAccounts() {
        ASSERT_TRUE(list.Add("Home", "pop.example.net", "me", "secret", true));
        ASSERT_TRUE(list.Add("Work", "pop.example.org", "me", "other", true));
        list.At(1).SignIn = TSignInMethod::OAuth2;
        list.At(1).RefreshToken = "refresh-1";
    }

    MessageRecorder messages;
    TAccounts list;
    TKeyringStore store{20000};
};

// Locks every collection of the keyring daemon, as the desktop does after a while.
void LockKeyring() {
    const auto bus = QDBusConnection::sessionBus();
    const QString path = "/org/freedesktop/secrets";
    auto get = QDBusMessage::createMethodCall("org.freedesktop.secrets", path,
                                              "org.freedesktop.DBus.Properties", "Get");
    get << "org.freedesktop.Secret.Service"
        << "Collections";
    const QDBusMessage collections = bus.call(get);
    ASSERT_EQ(collections.type(), QDBusMessage::ReplyMessage);
    auto lock = QDBusMessage::createMethodCall("org.freedesktop.secrets", path,
                                               "org.freedesktop.Secret.Service", "Lock");
    const auto paths = qvariant_cast<QDBusVariant>(collections.arguments().at(0)).variant();
    lock << paths;
    ASSERT_EQ(bus.call(lock).type(), QDBusMessage::ReplyMessage);
}

} // namespace

TEST_F(KeyringTest, StoresReadsAndRemoves) {
    EXPECT_TRUE(TKeyringStore::Available());
    EXPECT_EQ(store.Write("password me@host", std::string("p\xE4ss\0w", 7)), TResult::Ok);
    std::string secret;
    EXPECT_EQ(store.Read("password me@host", secret), TResult::Ok);
    EXPECT_EQ(secret, std::string("p\xE4ss\0w", 7));
    EXPECT_EQ(store.Remove("password me@host"), TResult::Ok);
    EXPECT_EQ(store.Read("password me@host", secret), TResult::NotFound);
}

TEST_F(KeyringTest, MigrationMovesSavedSecretsAndTheFileKeepsNone) {
    AddSavedAccounts();
    ASSERT_TRUE(list.SaveToFile());
    EXPECT_TRUE(HasSecretsInFile(list));
    EXPECT_EQ(MoveSecretsToKeyring(list, store), 2);
    EXPECT_FALSE(HasSecretsInFile(list));
    ASSERT_TRUE(list.SaveToFile());
    const std::string text = FileText();
    EXPECT_EQ(text.find("REFRESH:"), std::string::npos);
    EXPECT_NE(text.find("PASS:"), std::string::npos);

    TAccounts loaded;
    ASSERT_TRUE(loaded.LoadFromFile());
    ASSERT_EQ(loaded.Count(), 2);
    EXPECT_EQ(loaded.At(0).Password, "") << "read when first needed, not at load";
    EXPECT_EQ(FetchSecret(loaded.At(0), store), TResult::Ok);
    EXPECT_EQ(FetchSecret(loaded.At(1), store), TResult::Ok);
    EXPECT_EQ(loaded.At(0).Password, "secret");
    EXPECT_EQ(loaded.At(1).RefreshToken, "refresh-1");
    EXPECT_EQ(loaded.At(1).Password, "");

    EXPECT_EQ(ForgetSecret(loaded.At(0), store), TResult::Ok);
    EXPECT_EQ(loaded.At(0).SecretPlace, TSecretPlace::File);
    std::string gone;
    EXPECT_EQ(store.Read(SecretKey(loaded.At(0)), gone), TResult::NotFound);
}

TEST_F(KeyringTest, ALockedKeyringIsAskedOnceAndChangesNothing) {
    AddSavedAccounts();
    ASSERT_EQ(MoveSecretsToKeyring(list, store), 2);
    ASSERT_TRUE(list.SaveToFile());
    LockKeyring();
    TAccounts loaded;
    ASSERT_TRUE(loaded.LoadFromFile());
    TKeyringStore quick(3000); // nobody is there to answer the unlock prompt
    const TResult first = FetchSecret(loaded.At(0), quick);
    EXPECT_NE(first, TResult::Ok);
    EXPECT_EQ(loaded.At(0).Password, "");
    EXPECT_EQ(FetchSecret(loaded.At(0), quick), TResult::Ok) << "not asked a second time";
    EXPECT_EQ(loaded.At(0).SecretPlace, TSecretPlace::Keyring);
}

TEST_F(KeyringTest, WithoutAKeyringTheScrambledFieldStays) {
    AddSavedAccounts();
    ASSERT_TRUE(list.SaveToFile());
    const std::string before = FileText();
    EXPECT_FALSE(TKeyringStore::Available());
    EXPECT_EQ(store.Write("password me@host", "pw"), TResult::Unavailable);
    EXPECT_EQ(MoveSecretsToKeyring(list, store), 0);
    EXPECT_TRUE(HasSecretsInFile(list));
    EXPECT_EQ(list.At(0).SecretPlace, TSecretPlace::File);
    ASSERT_TRUE(list.SaveToFile());
    TAccounts loaded;
    ASSERT_TRUE(loaded.LoadFromFile());
    EXPECT_EQ(loaded.At(0).Password, "secret");
    EXPECT_EQ(loaded.At(1).RefreshToken, "refresh-1");
    EXPECT_EQ(FileText().find("SECRET:"), std::string::npos);
}
