#include "tests/support/dovecot_fixture.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <fstream>
#include <stdexcept>

namespace test_support {

namespace {

// The manifest keeps one byte per code point (latin-1), so this gives the bytes back.
std::string Bytes(const QJsonValue& value) {
    QByteArray bytes = value.toString().toLatin1();
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

} // namespace

std::string DovecotDir() {
    return VELLION_DOVECOT_DIR;
}

uint16_t DovecotPort() {
    std::ifstream file(DovecotDir() + "/port");
    long port = 0;
    if (!(file >> port) || port <= 0 || port > 65535) return 0;
    return static_cast<uint16_t>(port);
}

std::string DovecotManifestPath() {
    return DovecotDir() + "/manifest.json";
}

std::vector<DovecotMessage> DovecotManifest(const std::string& user) {
    QFile file(QString::fromStdString(DovecotManifestPath()));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + DovecotManifestPath());
    QJsonParseError error{};
    QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    QJsonValue messages = document.object()["users"].toObject()[QString::fromStdString(user)];
    if (error.error != QJsonParseError::NoError || !messages.isArray())
        throw std::runtime_error("no user " + user + " in " + DovecotManifestPath());
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

} // namespace test_support
