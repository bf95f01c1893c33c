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
        message.preview = Bytes(object["preview"]);
        for (const QJsonValue& name : object["attachments"].toArray())
            message.attachments.push_back(Bytes(name));
        out.push_back(std::move(message));
    }
    return out;
}

namespace {
std::filesystem::path Mailbox(const std::string& user) {
    const std::filesystem::path box = std::filesystem::path(DovecotDir()) / "mail" / user;
    if (!std::filesystem::is_directory(box)) throw std::runtime_error("no mailbox " + box.string());
    return box;
}

// A file name later than any before: the server numbers new mail in the order of its names.
void WriteMessage(const std::filesystem::path& box, const std::string& message) {
    struct stat owner {};
    if (::stat(box.c_str(), &owner) != 0) throw std::runtime_error("no mailbox " + box.string());
    static long serial = 0;
    const long stamp = static_cast<long>(::time(nullptr));
    const std::string name = std::to_string(stamp) + ".M" + std::to_string(1000000 + ++serial) +
                             "P" + std::to_string(::getpid()) + ".vellion:2,";
    const std::filesystem::path path = box / "cur" / name;
    std::ofstream out(path, std::ios::binary);
    out << message;
    out.close();
    // The server reads the mailbox as its owner (as root, another user).
    if (!out || ::chown(path.c_str(), owner.st_uid, owner.st_gid) != 0)
        throw std::runtime_error("cannot write " + path.string());
}
} // namespace

void RefillDovecotMailbox(const std::string& user, const std::vector<std::string>& messages) {
    const std::filesystem::path box = Mailbox(user);
    for (const char* sub : {"cur", "new"})
        for (const std::filesystem::directory_entry& entry :
             std::filesystem::directory_iterator(box / sub))
            std::filesystem::remove(entry.path());
    for (const std::string& message : messages)
        WriteMessage(box, message);
}

void DeliverToDovecot(const std::string& user, const std::string& message) {
    WriteMessage(Mailbox(user), message);
}

} // namespace test_support
