#pragma once
#include <memory>

class TAccounts;
class TForm1;
class TSecretStore;
class THeaders;
class TStatus;

// The program's start: its catalogues, its windows, and the offer of the keyring.

// The program's three windows, created in the order of start-up: the main window (which reads
// its settings and accounts as it is created), then the header viewer and the status dialog,
// both hidden.
struct TProgram {
    TProgram();
    ~TProgram();
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    std::unique_ptr<TForm1> Form1;
    THeaders* Headers = nullptr; // owned by Form1 (a window of its own)
    TStatus* Status = nullptr;   // owned by Form1 (a window of its own)
};

// Installs the program's and the toolkit's catalogues for the user's language (LANGUAGE,
// LC_ALL, LC_MESSAGES, LANG). English and the C locale load none: every text stays as written.
void LoadTranslations();

// At start, where a keyring has come and mail.acc still holds scrambled secrets: asks the user
// once whether to move them there (the answer is kept in tarsel.ini, `[general]`
// `keyring_asked=1`); on yes moves them and saves the accounts file. Gives the number moved.
int OfferKeyring(TAccounts& accounts, TSecretStore& keyring);
