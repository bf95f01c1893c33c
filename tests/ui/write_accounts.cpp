// Writes "mail.acc" in the working directory with the accounts named on the command line, each
// given as name,server,login or name,server,login,password (the password then saved); used to
// prepare the screenshot and the demo.
#include "accounts/account_list.h"
#include "accounts/cut_field.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    TAccounts accounts;
    for (int i = 1; i < argc; ++i) {
        std::string rest = argv[i];
        const std::string name = CutField(rest, ',');
        const std::string server = CutField(rest, ',');
        const bool withPassword = rest.find(',') != std::string::npos;
        const std::string user = withPassword ? CutField(rest, ',') : rest;
        const std::string password = withPassword ? rest : "";
        if (!accounts.Add(name, server, user, password, withPassword)) return 1;
    }
    if (!accounts.SaveToFile()) {
        std::fputs("Error saving accounts file\n", stderr);
        return 1;
    }
    return 0;
}
