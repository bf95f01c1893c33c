#include "files/whole_file.h"

#include <QFile>
#include <QSaveFile>

bool SaveWholeFile(const QString& path, const std::string& bytes,
                   std::optional<QFileDevice::Permissions> permissions) {
    QSaveFile file(path);
    file.setDirectWriteFallback(true);
    const bool created = !QFile::exists(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    // A new file is never writable by others, whatever the umask (000 would leave it 0666); an
    // existing one keeps the permissions it has.
    if (created && !permissions)
        permissions = file.permissions() & ~(QFileDevice::WriteGroup | QFileDevice::WriteOther);
    const auto size = static_cast<qint64>(bytes.size());
    // A buffered write that fails is only seen at the flush; commit() alone would rename the
    // short temporary file over the old one.
    const bool written = (!permissions || file.setPermissions(*permissions)) &&
                         file.write(bytes.data(), size) == size && file.flush() &&
                         file.error() == QFileDevice::NoError;
    if (!written) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
