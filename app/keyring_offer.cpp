#include "app/keyring_offer.h"

#include "app/settings_file.h"
#include "files/profile_file.h"
#include "platform/message_box.h"
#include "platform/translated_text.h"
#include "secrets/account_secrets.h"

int OfferKeyring(TAccounts& accounts, TSecretStore& keyring) {
    if (!HasSecretsInFile(accounts)) return 0;
    if (GetPrivateProfileString("general", "keyring_asked", "", SettingsFilePath()) == "1")
        return 0;
    WritePrivateProfileString("general", "keyring_asked", "1", SettingsFilePath());
    if (!Confirm(Translated("TKeyringOffer",
                            "Saved passwords are kept scrambled in mail.acc, which anyone who can "
                            "read the file can undo. Move them into the desktop's keyring?")))
        return 0;
    const int moved = MoveSecretsToKeyring(accounts, keyring);
    if (moved > 0 && !accounts.SaveToFile())
        ShowMessage(Translated("TKeyringOffer", "Error saving accounts file"));
    if (HasSecretsInFile(accounts))
        ShowMessage(
            Translated("TKeyringOffer",
                       "The keyring did not take every password: the others stay in mail.acc."));
    return moved;
}
