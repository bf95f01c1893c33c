#include "accounts/account_list.h"

#include "accounts/accounts_file.h"
#include "files/whole_file.h"
#include "platform/exception.h"
#include "platform/message_box.h"
#include "platform/translated_text.h"

#include <QFile>
#include <QFileInfo>
#include <set>

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
    // A named pipe or a device would block the start or never end; a folder cannot be read.
    if (!QFileInfo(file).isFile()) throw Exception("\"" + path + "\" is not a file");
    if (!file.open(QIODevice::ReadOnly)) {
        backupPending = true; // unread accounts must not be overwritten by the next save
        throw Exception("Cannot open file \"" + path + "\"");
    }
    const std::string data = ReadWholeFile(file);
    const int before = Count();
    TAccount building;
    std::set<std::string> fields; // of the record under construction
    bool lost = false;            // bytes that did not become an account
    for (const std::string& line : SplitLines(data)) {
        const std::string field = FieldOfLine(line);
        if (!field.empty() && !fields.insert(field).second) lost = true; // two records as one
        try {
            if (!ApplyAccountLine(line, building)) continue;
        } catch (const Exception& failure) {
            throw Exception(failure.Message() + "\r\n" + KeepCopy());
        }
        items.push_back(std::make_unique<TAccount>(std::move(building)));
        building = TAccount();
        fields.clear();
    }
    // An unclosed last record (a cut file), or a file of bytes that gave no account.
    if (!fields.empty() || (!data.empty() && Count() == before) || lost)
        ShowMessage(Translated("TAccounts", "Part of the accounts file could not be read.") +
                    "\r\n" + KeepCopy());
    return true;
}

std::string TAccounts::KeepCopy() {
    std::string backup;
    backupPending = true;
    return KeepUnreadableFile(backup)
               ? Filled(Translated("TAccounts", "The accounts file was kept as \"%1\"."), backup)
               : Translated("TAccounts", "The accounts file could not be copied, so it will not "
                                         "be replaced until a copy can be made.");
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
        if (!account->SavePassword) {
            account->Password.clear();
            account->RefreshToken.clear();
        }
        data += AccountRecord(*account);
    }
    const QFileInfo existing(ToPath(AccountsFilePath()));
    if (existing.exists() && !existing.isFile()) return false; // never replace a pipe or folder
    std::string backup;
    if (backupPending && !KeepUnreadableFile(backup)) return false;
    return SaveWholeFile(ToPath(AccountsFilePath()), data, ownerOnly);
}
