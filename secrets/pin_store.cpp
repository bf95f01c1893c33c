#include "secrets/pin_store.h"

#include "accounts/accounts_file.h"
#include "files/whole_file.h"

#include <QDir>
#include <QFile>
#include <utility>

namespace {
// Host names are compared without regard to case.
std::string Key(std::string server) {
    for (char& c : server)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return server;
}

// A fingerprint as it is compared: hex digits in capitals, without the blanks a hand edit may
// leave at either end.
std::string Fingerprint(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    std::string fingerprint = text.substr(first, text.find_last_not_of(" \t") + 1 - first);
    for (char& c : fingerprint)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return fingerprint;
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
        if (space == std::string::npos || space == 0) continue;
        const std::string fingerprint = Fingerprint(line.substr(space + 1));
        if (!fingerprint.empty()) pins[Key(line.substr(0, space))] = fingerprint;
    }
    return true;
}

bool TPinStore::Save() const {
    std::string data;
    for (const auto& [server, fingerprint] : pins)
        data += server + " " + fingerprint + "\r\n";
    return SaveWholeFile(QString::fromStdString(FilePath()), data,
                         QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TPinStore::TPin TPinStore::Check(const std::string& server, const std::string& fingerprint) const {
    const auto pin = pins.find(Key(server));
    if (pin == pins.end()) return TPin::None;
    return pin->second == Fingerprint(fingerprint) ? TPin::Same : TPin::Changed;
}

void TPinStore::Trust(const std::string& server, const std::string& fingerprint) {
    pins[Key(server)] = Fingerprint(fingerprint);
}
