#include "signin/loopback_listener.h"

#include "platform/exception.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

// A request line and headers beyond this are no browser's redirect.
constexpr qsizetype MaxRequest = 16384;

struct TLoopbackListener::TPending {
    QByteArray bytes;
};

TLoopbackListener::TLoopbackListener(std::string expectedState) : state(std::move(expectedState)) {
    if (!server.listen(QHostAddress::LocalHost, 0))
        throw Exception("Cannot listen for the sign-in's answer: " +
                        server.errorString().toStdString());
    redirectUri = "http://127.0.0.1:" + std::to_string(server.serverPort()) + "/";
    QObject::connect(&server, &QTcpServer::newConnection, &server, [this] { Accept(); });
}

TLoopbackListener::~TLoopbackListener() = default;

std::string TLoopbackListener::RedirectUri() const {
    return redirectUri;
}

void TLoopbackListener::Accept() {
    while (QTcpSocket* socket = server.nextPendingConnection()) {
        auto pending = std::make_shared<TPending>();
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, pending] {
            pending->bytes += socket->readAll();
            if (pending->bytes.contains("\r\n\r\n") || pending->bytes.size() > MaxRequest)
                Answer(socket, *pending);
        });
    }
}

void TLoopbackListener::Answer(QTcpSocket* socket, TPending& pending) {
    const QList<QByteArray> words = pending.bytes.left(pending.bytes.indexOf("\r\n")).split(' ');
    const QUrlQuery query(words.size() >= 2 ? QUrl(QString::fromLatin1(words[1])) : QUrl());
    const bool carries = !result && (query.hasQueryItem("code") || query.hasQueryItem("error"));
    QByteArray page =
        QCoreApplication::translate("TLoopbackListener",
                                    "You may close this window and return to the program.")
            .toUtf8();
    if (carries) {
        const std::string code = query.queryItemValue("code", QUrl::FullyDecoded).toStdString();
        const std::string error = query.queryItemValue("error", QUrl::FullyDecoded).toStdString();
        using TKind = TRedirect::TKind;
        // A redirect without our state may be forged by another page: it is not taken.
        if (query.queryItemValue("state", QUrl::FullyDecoded).toStdString() != state)
            result = std::make_unique<TRedirect>(TRedirect{TKind::WrongState, "", ""});
        else if (!error.empty())
            result = std::make_unique<TRedirect>(TRedirect{TKind::Refused, "", error});
        else
            result = std::make_unique<TRedirect>(TRedirect{TKind::Code, code, ""});
        if (result->Kind != TKind::Code)
            page = QCoreApplication::translate("TLoopbackListener", "The sign-in did not succeed.")
                       .toUtf8();
        server.close();
    }
    const QByteArray status = carries ? "200 OK" : "404 Not Found";
    socket->write("HTTP/1.1 " + status +
                  "\r\nContent-Type: text/plain; charset=utf-8\r\nConnection: close\r\n"
                  "Content-Length: " +
                  QByteArray::number(page.size()) + "\r\n\r\n" + page);
    socket->disconnectFromHost();
    QObject::disconnect(socket, &QTcpSocket::readyRead, nullptr, nullptr);
}

TLoopbackListener::TRedirect TLoopbackListener::Wait(int timeoutMs,
                                                     const std::atomic<bool>* cancel) {
    QEventLoop loop;
    QTimer poll;
    bool timedOut = false;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (result || (cancel && *cancel)) loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, [&] {
        timedOut = true;
        loop.quit();
    });
    poll.start(20);
    if (!result) loop.exec();
    server.close();
    if (result) return *result;
    return {timedOut ? TRedirect::TKind::TimedOut : TRedirect::TKind::Canceled, "", ""};
}
