#pragma once
#include "accounts/account.h"
#include "signin/browser.h"
#include "signin/provider.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <string>

// The test authorization server (tests/support/servers/oauth_server.py) and the script that stands
// in for the browser. VELLION_SUPPORT_DIR names tests/support.

// The test authorization server at a port: the endpoints of its generic provider, and its own
// addresses (/expire, /revoke) that make tokens go bad.
struct AuthorizationEndpoints {
    std::string port;

    std::string Url(const std::string& path) const { return "http://127.0.0.1:" + port + path; }
    TOAuthProvider Provider() const {
        return AccountProvider("generic", "vellion-test", Url("/authorize"), Url("/token"),
                               "pop offline");
    }
    void Get(const std::string& path) const {
        QNetworkAccessManager network;
        QNetworkReply* reply =
            network.get(QNetworkRequest(QUrl(QString::fromStdString(Url(path)))));
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        loop.exec();
        delete reply;
    }
    // An OAuth2 account of that provider for the user, with no tokens yet.
    TAccount Account(const std::string& user) const {
        TAccount account;
        account.User = user;
        account.SignIn = TSignInMethod::OAuth2;
        account.Provider = "generic";
        account.ClientId = "vellion-test";
        account.AuthorizeUrl = Url("/authorize");
        account.TokenUrl = Url("/token");
        return account;
    }
};

inline std::string ReadPort(const QString& path) {
    QFile file(path);
    for (int i = 0; i < 200 && !file.exists(); ++i)
        QThread::msleep(25);
    return file.open(QIODevice::ReadOnly) ? file.readAll().trimmed().toStdString() : "";
}

// A server of its own, started for one test and ended with it.
class AuthorizationServer : public AuthorizationEndpoints {
public:
    AuthorizationServer() {
        process.start("python3", {VELLION_SUPPORT_DIR "/servers/oauth_server.py", dir.path()});
        port = ReadPort(dir.filePath("port"));
    }
    ~AuthorizationServer() {
        process.kill();
        process.waitForFinished(5000);
    }

private:
    QTemporaryDir dir;
    QProcess process;
};

inline TCommandBrowser FakeBrowser() {
    return TCommandBrowser(VELLION_SUPPORT_DIR "/servers/fake_browser.py");
}
