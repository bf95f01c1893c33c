#pragma once

class TAccounts;
class TSecretStore;

// At start, where a keyring has come and mail.acc still holds scrambled secrets: asks the user
// once whether to move them there (the answer is kept in tarsel.ini, `[general]`
// `keyring_asked=1`); on yes moves them and saves the accounts file. Gives the number moved.
int OfferKeyring(TAccounts& accounts, TSecretStore& keyring);
