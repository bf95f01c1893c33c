#include "accounts/account_list.h"

#include "accounts/accounts_file.h"
#include "platform/exception.h"
#include "platform/whole_file.h"

#include <QFile>

namespace {
constexpr auto ownerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
constexpr int maxBackups = 100;

QString ToPath(const std::string& path) {
    return QString::fromStdString(path);
}

std::string ReadWholeFile(QFile& file) {
    const QByteArray data = file.readAll();
    return std::string(data.constData(), static_cast<size_t>(data.size()));
}
} // namespace

bool TAccounts::LoadFromFile() {
    const std::string path = AccountsFilePath();
    QFile file(ToPath(path));
    if (!file.exists()) return false;
    if (!file.open(QIODevice::ReadOnly)) {
        backupPending = true; // unread accounts must not be overwritten by the next save
        throw Exception("Cannot open file \"" + path + "\"");
    }
    TAccount building;
    for (const std::string& line : SplitLines(ReadWholeFile(file))) {
        try {
            if (!ApplyAccountLine(line, building)) continue;
        } catch (const Exception& failure) {
            std::string backup;
            backupPending = true;
            const std::string kept = KeepUnreadableFile(backup)
                                         ? "The accounts file was kept as \"" + backup + "\"."
                                         : "The accounts file could not be copied, so it will "
                                           "not be replaced until a copy can be made.";
            throw Exception(failure.Message() + "\r\n" + kept);
        }
        items.push_back(std::make_unique<TAccount>(std::move(building)));
        building = TAccount();
    }
    return true;
}

bool TAccounts::KeepUnreadableFile(std::string& backupPath) {
    const std::string path = AccountsFilePath();
    for (int n = 1; n <= maxBackups; ++n) {
        backupPath = path + ".bak" + (n == 1 ? std::string() : std::to_string(n));
        if (QFile::exists(ToPath(backupPath))) continue;
        if (!QFile::copy(ToPath(path), ToPath(backupPath))) return false;
        QFile::setPermissions(ToPath(backupPath), ownerOnly);
        backupPending = false;
        return true;
    }
    return false;
}

bool TAccounts::SaveToFile() {
    std::string data;
    for (const auto& account : items) {
        if (!account->SavePassword) account->Password.clear();
        data += AccountRecord(*account);
    }
    std::string backup;
    if (backupPending && !KeepUnreadableFile(backup)) return false;
    return SaveWholeFile(ToPath(AccountsFilePath()), data, ownerOnly);
}
