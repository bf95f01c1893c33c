// Sign in... of the account editor against the test authorization server, with a script
// standing in for the browser.
#include "accounts/account_list.h"
#include "dialogs/account_editor.h"
#include "tests/support/authorization_server.h"
#include "tests/support/memory_secret_store.h"
#include "tests/support/message_recorder.h"
#include "tests/support/temp_working_dir.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The accounts file the editor saves goes to a folder of the test's own.
class SignInDialogTest : public test_support::TempWorkingDirTest {
protected:
    void SetUp() override {
        TempWorkingDirTest::SetUp();
        ASSERT_FALSE(server.port.empty());
    }
    // An editor for a new OAuth2 account of the test server's generic provider.
    Tacc_info& Open(TBrowser& browser) {
        editor = new Tacc_info(list);
        editor->UseKeyring(&keyring);
        editor->UseBrowser(&browser);
        Type("acc_name", "oauth");
        Type("acc_server", "pop.home");
        Find<QComboBox>("acc_method")->setCurrentIndex(2);
        Find<QComboBox>("acc_provider")->setCurrentIndex(2);
        Type("acc_clientid", "vellion-test");
        Type("acc_authurl", server.Url("/authorize"));
        Type("acc_tokenurl", server.Url("/token"));
        Type("acc_scope", "pop offline");
        editor->show();
        return *editor;
    }
    template <class T> T* Find(const char* name) { return editor->findChild<T*>(name); }
    void Type(const char* field, const std::string& text) {
        Find<QLineEdit>(field)->setText(QString::fromStdString(text));
    }

    AuthorizationServer server;
    MemorySecretStore keyring;
    MessageRecorder messages;
    TAccounts list;
    QPointer<Tacc_info> editor;
};

TEST_F(SignInDialogTest, SignedInTheAccountKeepsItsRefreshTokenInTheKeyring) {
    TCommandBrowser browser = FakeBrowser();
    Open(browser);
    Find<QPushButton>("sign_in")->click();
    EXPECT_EQ(Find<QLabel>("lbl_signed_in")->text(), "Signed in as oauth@example.test");
    EXPECT_EQ(Find<QLineEdit>("acc_user")->text(), "oauth@example.test") << "filled when empty";
    EXPECT_TRUE(Find<QCheckBox>("rem_pass")->isChecked());
    EXPECT_TRUE(messages.texts.empty());
    Find<QPushButton>("ok")->click();
    ASSERT_EQ(list.Count(), 1);
    const TAccount& account = list.At(0);
    EXPECT_EQ(account.SecretPlace, TSecretPlace::Keyring);
    ASSERT_EQ(keyring.secrets.count("refresh token oauth@example.test@pop.home"), 1u);
    EXPECT_EQ(keyring.secrets["refresh token oauth@example.test@pop.home"], account.RefreshToken);
    EXPECT_FALSE(account.AccessToken.empty());
}

// Cancel in the waiting dialog ends the wait at once and says nothing; a refusal is told.
TEST_F(SignInDialogTest, CancelledOrRefusedSignInLeavesTheAccountSignedOut) {
    TCommandBrowser nowhere("/bin/true"); // the user never comes back from the browser
    Open(nowhere);
    QTimer::singleShot(200, [] {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* cancel = window->findChild<QPushButton*>("sign_in_cancel"))
                if (window->isVisible()) cancel->click();
    });
    Find<QPushButton>("sign_in")->click();
    EXPECT_TRUE(messages.texts.empty());
    EXPECT_EQ(Find<QLabel>("lbl_signed_in")->text(), "Not signed in");
    TCommandBrowser browser = FakeBrowser();
    editor->UseBrowser(&browser);
    Type("acc_user", "deny"); // the test server refuses this one
    Find<QPushButton>("sign_in")->click();
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0].rfind("The sign-in did not succeed", 0), 0u) << messages.texts[0];
    EXPECT_EQ(Find<QLabel>("lbl_signed_in")->text(), "Not signed in");
    editor->close();
    delete editor;
}

} // namespace
