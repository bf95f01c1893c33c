// Writes "mail.acc" in the working directory with the accounts named on the command line, each
// given as name,server,login or name,server,login,password (the password then saved), optionally
// followed by ",tls", ",starttls" or ",none" (default none); used to prepare the screenshot and
// the demo. "--pin <host:port> <fingerprint>" also trusts that certificate in "mail.pin".
#include "accounts/account_list.h"
#include "accounts/cut_field.h"
#include "accounts/security_mode.h"
#include "secrets/pin_store.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    TAccounts accounts;
    TPinStore pins;
    bool pinned = false;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--pin") == 0 && i + 2 < argc) {
            pins.Trust(argv[i + 1], argv[i + 2]);
            pinned = true;
            i += 2;
            continue;
        }
        std::string rest = argv[i];
        const std::string name = CutField(rest, ',');
        const std::string server = CutField(rest, ',');
        const bool withPassword = rest.find(',') != std::string::npos;
        const std::string user = withPassword ? CutField(rest, ',') : rest;
        const std::string password = withPassword ? CutField(rest, ',') : "";
        const std::string security = withPassword && !rest.empty() ? rest : "none";
        if (!accounts.Add(name, server, user, password, withPassword)) return 1;
        accounts.At(accounts.Count() - 1).Security = SecurityFromWord(security);
    }
    if (!accounts.SaveToFile() || (pinned && !pins.Save())) {
        std::fputs("Error saving accounts file\n", stderr);
        return 1;
    }
    return 0;
}
