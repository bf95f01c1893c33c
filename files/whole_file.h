#pragma once
#include <QFileDevice>
#include <QString>
#include <optional>
#include <string>

// Replaces a file with these bytes, or gives false. The bytes go to a temporary file beside it,
// which replaces the old file only once every byte is written and flushed, so a full disk
// leaves the old file as it was. Where no temporary file can be made next to it (a read-only
// folder with a writable file) the file is written in place; a failure there is still false.
// Without `permissions` a new file is made writable by its owner only (0644 under any umask that
// allows it) and an existing one keeps its own.
bool SaveWholeFile(const QString& path, const std::string& bytes,
                   std::optional<QFileDevice::Permissions> permissions = std::nullopt);
