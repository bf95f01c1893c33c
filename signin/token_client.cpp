#include "signin/token_client.h"

#include "platform/translated_text.h"

#include <QDateTime>
#include <QEventLoop>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <QUrl>
#include <QUrlQuery>

namespace {

std::string Field(const std::string& name, const std::string& value) {
    return QUrl::toPercentEncoding(QString::fromStdString(name)).toStdString() + "=" +
           QUrl::toPercentEncoding(QString::fromStdString(value)).toStdString();
}

// The account an ID token names; its signature is not checked, as it serves only to show whom
// the user signed in as.
std::string AccountOfIdToken(const std::string& idToken) {
    const QList<QByteArray> parts = QByteArray::fromStdString(idToken).split('.');
    if (parts.size() < 2) return {};
    const QJsonObject claims =
        QJsonDocument::fromJson(QByteArray::fromBase64(parts[1], QByteArray::Base64UrlEncoding))
            .object();
    const QString email = claims.value("email").toString();
    return (email.isEmpty() ? claims.value("preferred_username").toString() : email).toStdString();
}

} // namespace

bool SafeEndpoint(const std::string& url) {
    const QUrl parsed(QString::fromStdString(url));
    if (!parsed.isValid()) return false;
    if (parsed.scheme() == "https") return true;
    return parsed.scheme() == "http" &&
           (parsed.host() == "127.0.0.1" || parsed.host() == "localhost");
}

TTokenClient::TReply TTokenClient::ExchangeCode(const TOAuthProvider& provider,
                                                const std::string& code,
                                                const std::string& verifier,
                                                const std::string& redirectUri) {
    return Post(provider, Field("grant_type", "authorization_code") + "&" + Field("code", code) +
                              "&" + Field("code_verifier", verifier) + "&" +
                              Field("redirect_uri", redirectUri));
}

TTokenClient::TReply TTokenClient::Refresh(const TOAuthProvider& provider,
                                           const std::string& refreshToken) {
    return Post(provider,
                Field("grant_type", "refresh_token") + "&" + Field("refresh_token", refreshToken));
}

TTokenClient::TReply TTokenClient::Post(const TOAuthProvider& provider, std::string form) {
    TReply reply;
    if (!SafeEndpoint(provider.TokenUrl)) {
        reply.Error = Translated("TTokenClient", "The token address must begin with https://");
        return reply;
    }
    form += "&" + Field("client_id", provider.ClientId);
    if (!provider.ClientSecret.empty()) form += "&" + Field("client_secret", provider.ClientSecret);
    QNetworkAccessManager network;
    QNetworkRequest request(QUrl(QString::fromStdString(provider.TokenUrl)));
    request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
    request.setRawHeader("Accept", "application/json");
    request.setTransferTimeout(timeoutMs);
    QNetworkReply* answer = network.post(request, QByteArray::fromStdString(form));
    QEventLoop loop;
    QObject::connect(answer, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!answer->isFinished()) loop.exec();
    const QByteArray body = answer->readAll();
    const int status = answer->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QString networkError = answer->errorString();
    answer->deleteLater();
    const QJsonObject json = QJsonDocument::fromJson(body).object();
    if (status == 200 && json.value("access_token").isString()) {
        reply.Outcome = TOutcome::Ok;
        reply.AccessToken = json.value("access_token").toString().toStdString();
        reply.RefreshToken = json.value("refresh_token").toString().toStdString();
        const int expiresIn = json.value("expires_in").toInt(0);
        if (expiresIn > 0) reply.ExpiresAt = QDateTime::currentSecsSinceEpoch() + expiresIn;
        reply.Account = AccountOfIdToken(json.value("id_token").toString().toStdString());
        return reply;
    }
    const QString error = json.value("error").toString();
    // RFC 6749 5.2: the grant itself is bad; anything else may pass.
    if (status == 400 && error == "invalid_grant") reply.Outcome = TOutcome::Refused;
    const std::string code =
        std::to_string(status) + (error.isEmpty() ? "" : " " + error.toStdString());
    reply.Error =
        status ? Filled(Translated("TTokenClient", "The provider refused the sign-in (%1)"), code)
               : Filled(Translated("TTokenClient", "The provider could not be reached: %1"),
                        networkError.toLatin1().toStdString());
    return reply;
}
