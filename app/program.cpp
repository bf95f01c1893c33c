#include "app/program.h"

#include "app/main_window.h"
#include "app/settings_file.h"
#include "dialogs/header_viewer.h"
#include "dialogs/status_dialog.h"
#include "files/profile_file.h"
#include "platform/message_box.h"
#include "platform/translated_text.h"
#include "secrets/account_secrets.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

TProgram::TProgram()
    : Form1(std::make_unique<TForm1>()), Headers(new THeaders(Form1.get())),
      Status(new TStatus(Form1.get())) {
    Form1->AttachWindows(Headers, Status);
}

TProgram::~TProgram() = default;

void LoadTranslations() {
    const QLocale locale;
    auto* own = new QTranslator(QCoreApplication::instance());
    if (own->load(locale, "vellion", "_", ":/i18n"))
        QCoreApplication::installTranslator(own);
    else
        delete own;
    // The toolkit's own texts: the buttons of message boxes and dialogs.
    auto* toolkit = new QTranslator(QCoreApplication::instance());
    if (toolkit->load(locale, "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(toolkit);
    else
        delete toolkit;
}

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
