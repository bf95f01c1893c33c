#include "accounts/pin_store.h"

#include "accounts/accounts_file.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <utility>

namespace {
// Host names are compared without regard to case.
std::string Key(std::string server) {
    for (char& c : server)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return server;
}
} // namespace

std::string TPinStore::FilePath() {
    return QDir::current().filePath("mail.pin").toStdString();
}

bool TPinStore::Load() {
    pins.clear();
    QFile file(QString::fromStdString(FilePath()));
    if (!file.exists()) return true;
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray data = file.readAll();
    for (const std::string& line :
         SplitLines(std::string(data.constData(), static_cast<size_t>(data.size())))) {
        const size_t space = line.find(' ');
        if (space == std::string::npos || space == 0 || space + 1 == line.size()) continue;
        pins[Key(line.substr(0, space))] = line.substr(space + 1);
    }
    return true;
}

bool TPinStore::Save() const {
    std::string data;
    for (const auto& [server, fingerprint] : pins)
        data += server + " " + fingerprint + "\r\n";
    QSaveFile file(QString::fromStdString(FilePath()));
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) return false;
    const auto size = static_cast<qint64>(data.size());
    if (file.write(data.data(), size) != size) return false;
    return file.commit();
}

TPinStore::TPin TPinStore::Check(const std::string& server, const std::string& fingerprint) const {
    const auto pin = pins.find(Key(server));
    if (pin == pins.end()) return TPin::None;
    return pin->second == fingerprint ? TPin::Same : TPin::Changed;
}

void TPinStore::Trust(const std::string& server, const std::string& fingerprint) {
    pins[Key(server)] = fingerprint;
}
