#include "secrets/keyring_store.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QEventLoop>
#include <QTimer>
#include <qt6keychain/keychain.h>

namespace {

const QString service = QStringLiteral("vellion");

TSecretStore::TResult ResultOf(QKeychain::Error error) {
    switch (error) {
    case QKeychain::NoError:
        return TSecretStore::TResult::Ok;
    case QKeychain::EntryNotFound:
        return TSecretStore::TResult::NotFound;
    case QKeychain::NoBackendAvailable:
    case QKeychain::NotImplemented:
        return TSecretStore::TResult::Unavailable;
    case QKeychain::AccessDenied:
    case QKeychain::AccessDeniedByUser:
        return TSecretStore::TResult::Refused;
    default:
        return TSecretStore::TResult::Failed;
    }
}

// The keyring services QtKeychain speaks to on this platform.
const char* const keyringServices[] = {"org.freedesktop.secrets", "org.kde.kwalletd6",
                                       "org.kde.kwalletd5"};

// Runs the job to its end; a job that outlives the wait counts as refused (a prompt nobody
// answered) and is left to delete itself when it does end.
TSecretStore::TResult Run(QKeychain::Job* job, const std::string& key, int waitMs) {
    job->setAutoDelete(false);
    job->setInsecureFallback(false); // never a clear-text file instead of the keyring
    job->setKey(QString::fromStdString(key));
    QEventLoop loop;
    bool done = false;
    QObject::connect(job, &QKeychain::Job::finished, &loop, [&] {
        done = true;
        loop.quit();
    });
    QTimer::singleShot(waitMs, &loop, &QEventLoop::quit);
    job->start();
    if (!done) loop.exec();
    if (!done) {
        QObject::disconnect(job, &QKeychain::Job::finished, nullptr, nullptr);
        QObject::connect(job, &QKeychain::Job::finished, job, &QObject::deleteLater);
        return TSecretStore::TResult::Refused;
    }
    TSecretStore::TResult result = ResultOf(job->error());
    delete job;
    // QtKeychain reports a missing service as any other failure.
    if (result == TSecretStore::TResult::Failed && !TKeyringStore::Available())
        result = TSecretStore::TResult::Unavailable;
    return result;
}

} // namespace

TSecretStore::TResult TKeyringStore::Write(const std::string& key, const std::string& secret) {
    auto* job = new QKeychain::WritePasswordJob(service);
    job->setBinaryData(QByteArray::fromStdString(secret));
    return Run(job, key, waitMs);
}

TSecretStore::TResult TKeyringStore::Read(const std::string& key, std::string& secret) {
    auto* job = new QKeychain::ReadPasswordJob(service);
    QObject::connect(job, &QKeychain::Job::finished, job, [job, &secret] {
        if (job->error() == QKeychain::NoError) secret = job->binaryData().toStdString();
    });
    return Run(job, key, waitMs);
}

TSecretStore::TResult TKeyringStore::Remove(const std::string& key) {
    return Run(new QKeychain::DeletePasswordJob(service), key, waitMs);
}

bool TKeyringStore::Available() {
    const QDBusConnection bus = QDBusConnection::sessionBus();
    const QDBusConnectionInterface* names = bus.isConnected() ? bus.interface() : nullptr;
    if (!names) return false;
    const QStringList startable = names->activatableServiceNames().value();
    for (const char* service : keyringServices)
        if (names->isServiceRegistered(service).value() || startable.contains(service)) return true;
    return false;
}
