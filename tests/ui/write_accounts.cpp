// Writes "mail.acc" in the working directory with the accounts named on the command line, each
// given as name,server,login; used to prepare the screenshot.
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
        if (!accounts.Add(name, server, rest, "", false)) return 1;
    }
    if (!accounts.SaveToFile()) {
        std::fputs("Error saving accounts file\n", stderr);
        return 1;
    }
    return 0;
}
