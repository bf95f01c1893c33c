#include "files/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <unistd.h>

namespace {
const QByteArray Raise = "raise\n";
const QByteArray Done = "ok\n";
constexpr int ConnectMs = 1000;
constexpr int AnswerMs = 3000;

// Asks the program listening on name to show its window. False when none listens.
bool AskToRaise(const QString& name) {
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(ConnectMs)) return false;
    socket.write(Raise);
    socket.waitForBytesWritten(ConnectMs);
    // A program that is too busy to answer still runs: this one ends all the same.
    socket.waitForReadyRead(AnswerMs);
    return true;
}
} // namespace

std::string TSingleInstance::SocketName(const std::string& folder) {
    const QByteArray digest =
        QCryptographicHash::hash(QByteArray::fromStdString(folder), QCryptographicHash::Sha256)
            .toHex()
            .left(16);
    // The user's own runtime folder, which Qt makes (or checks to be) owner-only: in a shared
    // temporary folder another user could take the name first and keep this program from
    // starting.
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (!runtime.isEmpty())
        return QDir(runtime).filePath("vellion-" + QString::fromLatin1(digest)).toStdString();
    return QDir::temp()
        .filePath(QString("vellion-%1-%2").arg(getuid()).arg(QString::fromLatin1(digest)))
        .toStdString();
}

TSingleInstance::TSingleInstance(std::string socketName) : name(std::move(socketName)) {}

TSingleInstance::~TSingleInstance() = default;

bool TSingleInstance::AnotherRuns() {
    const QString path = QString::fromStdString(name);
    if (AskToRaise(path)) return true;
    server = std::make_unique<QLocalServer>();
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(path)) {
        // Another start may have begun to listen in between; otherwise the socket is what a
        // crashed program left, and nobody answers on it.
        if (AskToRaise(path)) {
            server.reset();
            return true;
        }
        QLocalServer::removeServer(path);
        if (!server->listen(path)) {
            // Without the socket this program still runs, only alone in not being found.
            server.reset();
            return false;
        }
    }
    connect(server.get(), &QLocalServer::newConnection, this, &TSingleInstance::Answer);
    return false;
}

void TSingleInstance::Answer() {
    while (QLocalSocket* socket = server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) return;
            const bool raise = socket->readLine(64) == Raise;
            socket->write(Done);
            socket->disconnectFromServer();
            if (raise && OnRaise) OnRaise();
        });
    }
}
