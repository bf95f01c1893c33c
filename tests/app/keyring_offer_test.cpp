// The question at start whether to move scrambled passwords into the keyring.
#include "app/program.h"
#include "tests/support/memory_secret_store.h"
#include "ui_fixture.h"

namespace {

class KeyringOfferTest : public UiTest {};

// Asked once, whatever the answer; yes moves the saved passwords and saves mail.acc without them.
TEST_F(KeyringOfferTest, AskedOnceMovingThePasswordsOnYes) {
    for (const TMsgResult answer : {TMsgResult::Yes, TMsgResult::No}) {
        SCOPED_TRACE(answer == TMsgResult::Yes ? "yes" : "no");
        QFile::remove("tarsel.ini");
        WriteAccounts({{"Home", "pop.home", "me", "secret", true}, {"Work", "pop.work", "me"}});
        MemorySecretStore keyring;
        TAccounts accounts;
        accounts.LoadFromFile();
        messages.requests.clear();
        messages.answers = {answer};
        EXPECT_EQ(OfferKeyring(accounts, keyring), answer == TMsgResult::Yes ? 1 : 0);
        EXPECT_EQ(messages.requests.size(), 1u);
        EXPECT_EQ(keyring.secrets.size(), answer == TMsgResult::Yes ? 1u : 0u);
        const bool inFile = ReadFile("mail.acc").find("SECRET:keyring") == std::string::npos;
        EXPECT_EQ(inFile, answer == TMsgResult::No);
        EXPECT_EQ(OfferKeyring(accounts, keyring), 0);
        EXPECT_EQ(messages.requests.size(), 1u) << "not asked again";
    }
}

} // namespace
