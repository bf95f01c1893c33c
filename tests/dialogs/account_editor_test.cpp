#include "accounts/account_list.h"
#include "dialogs/account_editor.h"
#include "platform/tick_count.h"
#include "tests/support/memory_secret_store.h"
#include "tests/support/message_recorder.h"
#include "tests/support/temp_working_dir.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
struct NodeCall {
    std::vector<std::string> args;
};

// Runs each test in an empty directory, with a list the editor works on and recorded calls of
// the main window's tree updates.
class AccountEditorTest : public test_support::TempWorkingDirTest {
protected:
    void SetUp() override {
        TempWorkingDirTest::SetUp();
        SetTickSource([] { return 0u; });
    }
    void TearDown() override {
        if (editor) editor->deleteLater();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        SetTickSource({});
        TempWorkingDirTest::TearDown();
    }

    Tacc_info& Open(bool modify = false) {
        editor = new Tacc_info(list);
        editor->AddAccountNode = [this](const std::string& n, const std::string& s,
                                        const std::string& u) {
            added.push_back({{n, s, u}});
        };
        editor->RefreshAccountNodes = [this](const std::string& o, const std::string& n) {
            refreshed.push_back({{o, n}});
        };
        if (modify) {
            EXPECT_TRUE(editor->LoadCurrent());
        }
        editor->show();
        return *editor;
    }
    template <class T> T* Find(const char* name) { return editor->findChild<T*>(name); }
    void Type(const char* field, const QString& text) { Find<QLineEdit>(field)->setText(text); }
    void Fill(const QString& name, const QString& server, const QString& user, const QString& pass,
              bool remember, const QString& timeout = "90") {
        Type("acc_name", name);
        Type("acc_server", server);
        Type("acc_user", user);
        Type("acc_pass", pass);
        Find<QCheckBox>("rem_pass")->setChecked(remember);
        Type("tout", timeout);
    }
    void Click(const char* button) { QTest::mouseClick(Find<QPushButton>(button), Qt::LeftButton); }
    // True when the dialog has closed (and so scheduled its own deletion).
    bool Closed() {
        if (!editor) return true;
        const bool hidden = !editor->isVisible();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return hidden && editor.isNull();
    }
    void AddHomeAsCurrent() {
        ASSERT_TRUE(list.Add("home", "pop.home", "me", "pw", true));
        ASSERT_TRUE(list.Select(0, ""));
        list.At(0).Timeout = 45;
    }

    MessageRecorder messages;
    TAccounts list;
    QPointer<Tacc_info> editor;
    std::vector<NodeCall> added, refreshed;
};

TEST_F(AccountEditorTest, LayoutFollowsTheWindowDescription) {
    Tacc_info& dialog = Open();
    EXPECT_EQ(dialog.windowTitle(), "Account");
    EXPECT_GE(dialog.width(), 344); // grown to its texts where the font needs it
    EXPECT_GE(dialog.height(), 194);
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(dialog.EditMode(), Tacc_info::TEditMode::Add);
    EXPECT_EQ(Find<QLineEdit>("acc_name")->geometry(), QRect(120, 8, 121, 21));
    EXPECT_EQ(Find<QLineEdit>("tout")->size(), QSize(33, 21));
    EXPECT_GE(Find<QLineEdit>("tout")->x(), 192);
    EXPECT_EQ(Find<QLineEdit>("tout")->text(), "90");
    EXPECT_EQ(Find<QLineEdit>("acc_pass")->echoMode(), QLineEdit::Password);
    EXPECT_EQ(Find<QCheckBox>("rem_pass")->text(), "Save password");
    EXPECT_FALSE(Find<QCheckBox>("rem_pass")->isChecked());
    EXPECT_TRUE(Find<QPushButton>("ok")->isDefault());
    EXPECT_EQ(Find<QLabel>("lbl_server")->text(), "Mail Server :");
    // Tab follows the rows as they are seen, left to right.
    const char* order[] = {"acc_name", "acc_server", "acc_security", "acc_user", "acc_pass",
                           "rem_pass", "tout",       "ok",           "cancel"};
    for (int i = 0; i + 1 < 9; ++i)
        EXPECT_EQ(Find<QWidget>(order[i])->nextInFocusChain()->objectName(), order[i + 1]);
    // A server without a port is reached on its security mode's port, which the field shows.
    for (const auto& [mode, port] : {std::pair{0, "995"}, {1, "110"}, {2, "110"}}) {
        Find<QComboBox>("acc_security")->setCurrentIndex(mode);
        EXPECT_TRUE(Find<QLineEdit>("acc_server")->placeholderText().contains(port)) << mode;
    }
}

TEST_F(AccountEditorTest, MissingNameKeepsTheDialogOpenEvenAgainstTheFrame) {
    Open();
    Click("ok");
    ASSERT_EQ(messages.texts, std::vector<std::string>{"You have not specified an account name"});
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(editor->close()) << "a close request is refused until OK or Cancel allows it";
    EXPECT_FALSE(Closed());
    Click("cancel");
    EXPECT_TRUE(Closed());
    EXPECT_FALSE(QFile::exists("mail.acc"));
}

TEST_F(AccountEditorTest, AddingTheFirstAccountSelectsSavesAndAddsItsNode) {
    Open();
    Fill("Home", "pop.example.net", "me", "typed", false, " 30");
    Click("ok");
    EXPECT_TRUE(Closed());
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Current(), &list.At(0));
    EXPECT_EQ(list.At(0).Password, "") << "not saved, so erased by the save";
    EXPECT_EQ(list.At(0).Timeout, 30) << "the Timeout field counts in add mode";
    ASSERT_EQ(added.size(), 1u);
    EXPECT_EQ(added[0].args, (std::vector<std::string>{"Home", "pop.example.net", "me"}));
    QFile file("mail.acc");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), "NAME:Home\r\nSERVER:pop.example.net\r\nUSER:me\r\n"
                                            "PASS:00003039\r\nTOUT:30\r\nREMEM:0\r\n"
                                            "SECUR:tls\r\n\x0B\r\n");
    EXPECT_TRUE(messages.texts.empty());
}

TEST_F(AccountEditorTest, AddingASecondAccountLeavesTheCurrentOne) {
    AddHomeAsCurrent();
    Open();
    Fill("Work", "pop.work", "w", "pw", true, "abc");
    Click("ok");
    EXPECT_TRUE(Closed());
    ASSERT_EQ(list.Count(), 2);
    EXPECT_EQ(list.CurrentIndex(), 0);
    EXPECT_EQ(list.At(1).Password, "pw");
    EXPECT_EQ(list.At(1).Timeout, 90);
}

TEST_F(AccountEditorTest, AddingATakenNameClosesWithoutAdding) {
    AddHomeAsCurrent();
    Open();
    Fill("HOME", "x", "y", "", false);
    Click("ok");
    EXPECT_TRUE(Closed());
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"An account with that name already exists"});
    EXPECT_TRUE(added.empty());
    EXPECT_FALSE(QFile::exists("mail.acc"));
}

TEST_F(AccountEditorTest, AddWhoseSaveFailsKeepsTheAccountWithoutANode) {
    ASSERT_TRUE(QDir().mkdir("mail.acc"));
    Open();
    Fill("Home", "s", "u", "", false);
    Click("ok");
    EXPECT_TRUE(Closed());
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(messages.texts, std::vector<std::string>{"Error saving accounts file"});
    EXPECT_TRUE(added.empty());
}

TEST_F(AccountEditorTest, ModifyFillsTheFieldsFromTheCurrentAccount) {
    AddHomeAsCurrent();
    Tacc_info& dialog = Open(true);
    EXPECT_EQ(dialog.EditMode(), Tacc_info::TEditMode::Modify);
    EXPECT_EQ(Find<QLineEdit>("acc_name")->text(), "home");
    EXPECT_EQ(Find<QLineEdit>("acc_server")->text(), "pop.home");
    EXPECT_EQ(Find<QLineEdit>("acc_user")->text(), "me");
    EXPECT_EQ(Find<QLineEdit>("acc_pass")->text(), "pw");
    EXPECT_TRUE(Find<QCheckBox>("rem_pass")->isChecked());
    EXPECT_EQ(Find<QLineEdit>("tout")->text(), "45");
    list.At(0).SavePassword = false;
    Tacc_info second(list);
    ASSERT_TRUE(second.LoadCurrent());
    EXPECT_EQ(second.findChild<QLineEdit*>("acc_pass")->text(), "") << "unsaved: not shown";
    TAccounts empty;
    Tacc_info none(empty);
    EXPECT_FALSE(none.LoadCurrent());
    EXPECT_EQ(none.EditMode(), Tacc_info::TEditMode::Add);
}

TEST_F(AccountEditorTest, ModifyIgnoresACaseOnlyRenameAndUpdatesTheRest) {
    AddHomeAsCurrent();
    Open(true);
    Type("acc_name", "Home");
    Type("acc_server", "pop.new");
    Type("tout", "-3");
    Click("ok");
    EXPECT_TRUE(Closed());
    EXPECT_EQ(list.At(0).Name, "home");
    EXPECT_EQ(list.At(0).Server, "pop.new");
    EXPECT_EQ(list.At(0).Timeout, -3);
    EXPECT_TRUE(messages.texts.empty());
    ASSERT_EQ(refreshed.size(), 1u);
    EXPECT_EQ(refreshed[0].args, (std::vector<std::string>{"home", "home"}));
    EXPECT_FALSE(QFile::exists("mail.acc")) << "a modify is saved later, not here";
}

TEST_F(AccountEditorTest, ModifyRenamesUnlessAnotherAccountHasTheName) {
    AddHomeAsCurrent();
    ASSERT_TRUE(list.Add("Work", "pop.work", "w", "", false));
    Open(true);
    Type("acc_name", "WORK");
    Type("acc_server", "changed");
    Click("ok");
    EXPECT_TRUE(Closed());
    EXPECT_EQ(messages.texts,
              std::vector<std::string>{"You already have an account with this name:\r\n"
                                       "please choose a different name"});
    EXPECT_EQ(list.At(0).Name, "home");
    EXPECT_EQ(list.At(0).Server, "pop.home") << "nothing changed";
    EXPECT_TRUE(refreshed.empty());

    Open(true);
    Type("acc_name", "Holiday");
    Type("tout", "abc");
    Click("ok");
    EXPECT_EQ(list.At(0).Name, "Holiday");
    EXPECT_EQ(list.At(0).Timeout, 90);
    ASSERT_EQ(refreshed.size(), 1u);
    EXPECT_EQ(refreshed[0].args, (std::vector<std::string>{"home", "Holiday"}));
}

TEST_F(AccountEditorTest, ModifyStoresThePasswordOnlyWhenSaved) {
    AddHomeAsCurrent();
    Open(true);
    Find<QCheckBox>("rem_pass")->setChecked(false);
    Type("acc_pass", "ignored");
    Click("ok");
    EXPECT_EQ(list.At(0).Password, "pw");
    EXPECT_FALSE(list.At(0).SavePassword);

    Open(true);
    Find<QCheckBox>("rem_pass")->setChecked(true);
    Type("acc_pass", "");
    Click("ok");
    EXPECT_EQ(list.At(0).Password, "");
    EXPECT_TRUE(list.At(0).SavePassword);
}

TEST_F(AccountEditorTest, CancelAndEscapeChangeNothing) {
    AddHomeAsCurrent();
    Open(true);
    Type("acc_server", "changed");
    Click("cancel");
    EXPECT_TRUE(Closed());
    Open();
    Fill("New", "s", "u", "", false);
    QTest::keyClick(editor.data(), Qt::Key_Escape);
    EXPECT_TRUE(Closed());
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.At(0).Server, "pop.home");
    EXPECT_TRUE(added.empty() && refreshed.empty() && messages.texts.empty());
    EXPECT_FALSE(QFile::exists("mail.acc"));
}

TEST_F(AccountEditorTest, ModalRunEndsWithTheDialogDestroyed) {
    Open();
    editor->hide();
    Fill("Home", "s", "u", "", false);
    QTimer::singleShot(0, editor.data(), [this] { Click("ok"); });
    editor->exec();
    EXPECT_TRUE(editor.isNull());
    EXPECT_EQ(list.Count(), 1);
}

TEST_F(AccountEditorTest, EveryByteOfLatin1TextSurvivesTheFields) {
    ASSERT_TRUE(list.Add("Caf\xE9", "s\xFF", "\x80u", "p\xA0", true));
    ASSERT_TRUE(list.Select(0, ""));
    Open(true);
    Click("ok");
    EXPECT_EQ(list.At(0).Server, "s\xFF");
    EXPECT_EQ(list.At(0).User, "\x80u");
    EXPECT_EQ(list.At(0).Password, "p\xA0");
    EXPECT_EQ(refreshed.at(0).args, (std::vector<std::string>{"Caf\xE9", "Caf\xE9"}));
}
} // namespace

// New accounts default to SSL/TLS; the chosen mode is kept, and "None" warns about the password.
TEST_F(AccountEditorTest, SecurityChoiceIsKeptAndNoneWarns) {
    AddHomeAsCurrent();
    Open();
    auto* security = Find<QComboBox>("acc_security");
    EXPECT_EQ(security->currentText(), "SSL/TLS");
    EXPECT_FALSE(Find<QLabel>("lbl_unprotected")->isVisible());
    Click("cancel");
    ASSERT_TRUE(Closed());
    const struct {
        const char* item;
        TSecurity mode;
        bool warns;
    } cases[] = {{"None", TSecurity::None, true},
                 {"STARTTLS", TSecurity::StartTls, false},
                 {"SSL/TLS", TSecurity::Tls, false}};
    for (const auto& c : cases) {
        Open(true); // modify mode: the current account gets the choice
        security = Find<QComboBox>("acc_security");
        security->setCurrentText(c.item);
        EXPECT_EQ(Find<QLabel>("lbl_unprotected")->isVisible(), c.warns) << c.item;
        Click("ok");
        ASSERT_TRUE(Closed());
        EXPECT_EQ(list.At(0).Security, c.mode) << c.item;
        Open(true);
        EXPECT_EQ(Find<QComboBox>("acc_security")->currentText(), c.item) << "shown again";
        Click("cancel");
        ASSERT_TRUE(Closed());
    }
}

// The sign-in method: what each shows, what a preset fills in, and what OK keeps; the secret
// goes to the keyring where there is one, and the editor says where it stays where there is not.
TEST_F(AccountEditorTest, SignInMethodPresetsAndWhereTheSecretGoes) {
    const struct {
        int method;
        int provider;
        bool showsProvider;
        bool takesEndpoints;
        const char* server;
    } cases[] = {{0, 0, false, false, "pop.home"},
                 {1, 0, false, false, "pop.home"},
                 {2, 0, true, false, "outlook.office365.com:995"},
                 {2, 1, true, false, "pop.gmail.com:995"},
                 {2, 2, true, true, "pop.home"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.method) + "/" + std::to_string(c.provider));
        MemorySecretStore keyring;
        Open();
        editor->UseKeyring(&keyring);
        Fill("acc" + QString::number(list.Count()), "pop.home", "me", "pw", true);
        Find<QComboBox>("acc_security")->setCurrentText("None");
        Find<QComboBox>("acc_method")->setCurrentIndex(c.method);
        auto* provider = Find<QComboBox>("acc_provider");
        provider->setCurrentIndex(c.provider);
        emit provider->activated(c.provider);
        EXPECT_EQ(provider->isVisible(), c.showsProvider);
        EXPECT_EQ(Find<QPushButton>("sign_in")->isVisible(), c.showsProvider);
        EXPECT_EQ(Find<QLineEdit>("acc_tokenurl")->isEnabled(), c.takesEndpoints);
        EXPECT_EQ(Find<QLineEdit>("acc_pass")->isEnabled(), !c.showsProvider);
        EXPECT_EQ(Find<QLineEdit>("acc_server")->text().toStdString(), c.server);
        Type("acc_tokenurl", "https://id.example/token");
        Click("ok");
        ASSERT_TRUE(Closed());
        const TAccount& made = list.At(list.Count() - 1);
        EXPECT_EQ(made.SignIn, static_cast<TSignInMethod>(c.method));
        EXPECT_EQ(made.Security,
                  c.showsProvider && c.provider < 2 ? TSecurity::Tls : TSecurity::None);
        EXPECT_EQ(made.TokenUrl, c.takesEndpoints ? "https://id.example/token" : "");
        // A password account's password is in the keyring; an OAuth2 account has no refresh
        // token before Sign in..., so nothing of it is.
        EXPECT_EQ(keyring.secrets.size(), c.showsProvider ? 0u : 1u);
        EXPECT_EQ(made.SecretPlace, c.showsProvider ? TSecretPlace::File : TSecretPlace::Keyring);
    }
    Open();
    EXPECT_NE(Find<QLabel>("lbl_keyring")->text().toStdString().find("mail.acc"), std::string::npos)
        << "without a keyring the editor says where the password stays";
    Click("cancel");
}
