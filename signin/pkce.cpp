#include "signin/pkce.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QRandomGenerator>

namespace {

std::string RandomBytes(size_t count) {
    std::string bytes(count, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(QRandomGenerator::system()->bounded(256));
    return bytes;
}

} // namespace

std::string Base64Url(const std::string& bytes) {
    return QByteArray::fromStdString(bytes)
        .toBase64(QByteArray::Base64UrlEncoding | QByteArray::OmitTrailingEquals)
        .toStdString();
}

std::string S256Challenge(const std::string& verifier) {
    const QByteArray digest =
        QCryptographicHash::hash(QByteArray::fromStdString(verifier), QCryptographicHash::Sha256);
    return Base64Url(digest.toStdString());
}

TPkce MakePkce() {
    TPkce pkce;
    pkce.Verifier = Base64Url(RandomBytes(32));
    pkce.Challenge = S256Challenge(pkce.Verifier);
    return pkce;
}

std::string RandomState() {
    return Base64Url(RandomBytes(16));
}
