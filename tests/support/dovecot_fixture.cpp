#include "tests/support/dovecot_fixture.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace test_support {

namespace {

// The manifest keeps one byte per code point (latin-1), so this gives the bytes back.
std::string Bytes(const QJsonValue& value) {
    QByteArray bytes = value.toString().toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

} // namespace

std::string ServerDir(const std::string& server) {
    return std::string(VELLION_SERVERS_DIR) + "/" + server;
}

namespace {
uint16_t PortIn(const std::string& path) {
    std::ifstream file(path);
    long port = 0;
    if (!(file >> port) || port <= 0 || port > 65535) return 0;
    return static_cast<uint16_t>(port);
}
} // namespace

uint16_t ServerPort(const std::string& server) {
    return PortIn(ServerDir(server) + "/port");
}

uint16_t DovecotTlsPort() {
    return PortIn(DovecotDir() + "/port_tls");
}

std::vector<DovecotMessage> ServerManifest(const std::string& server, const std::string& user) {
    const std::string path = ServerDir(server) + "/manifest.json";
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) throw std::runtime_error("cannot read " + path);
    QJsonParseError error{};
    QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    QJsonValue messages = document.object()["users"].toObject()[QString::fromStdString(user)];
    if (error.error != QJsonParseError::NoError || !messages.isArray())
        throw std::runtime_error("no user " + user + " in " + path);
    std::vector<DovecotMessage> out;
    for (const QJsonValue& entry : messages.toArray()) {
        QJsonObject object = entry.toObject();
        DovecotMessage message;
        message.number = object["number"].toInt();
        message.size = static_cast<long long>(object["size"].toDouble());
        for (const QJsonValue& line : object["header_lines"].toArray())
            message.headerLines.push_back(Bytes(line));
        message.subjectLine = Bytes(object["subject_line"]);
        message.fromLine = Bytes(object["from_line"]);
        message.dateLine = Bytes(object["date_line"]);
        message.messageIdLine = Bytes(object["message_id_line"]);
        out.push_back(std::move(message));
    }
    return out;
}

void RefillDovecotMailbox(const std::string& user, const std::vector<std::string>& messages) {
    namespace fs = std::filesystem;
    const fs::path box = fs::path(DovecotDir()) / "mail" / user;
    struct stat owner {};
    if (::stat(box.c_str(), &owner) != 0) throw std::runtime_error("no mailbox " + box.string());
    for (const char* sub : {"cur", "new"})
        for (const fs::directory_entry& entry : fs::directory_iterator(box / sub))
            fs::remove(entry.path());
    // Names later than any before, in message order: the server numbers new mail by name.
    static long serial = 0;
    const long stamp = static_cast<long>(::time(nullptr));
    for (size_t i = 0; i < messages.size(); ++i) {
        const std::string name = std::to_string(stamp) + ".M" + std::to_string(1000000 + ++serial) +
                                 "P" + std::to_string(::getpid()) + ".vellion:2,";
        const fs::path path = box / "cur" / name;
        std::ofstream out(path, std::ios::binary);
        out << messages[i];
        out.close();
        // The server reads the mailbox as its owner (as root, another user).
        if (!out || ::chown(path.c_str(), owner.st_uid, owner.st_gid) != 0)
            throw std::runtime_error("cannot write " + path.string());
    }
}

} // namespace test_support
