#pragma once
#include <QString>
#include <string>

// The store keeps 8-bit text; widgets show it as Latin-1 so that every byte survives the trip
// to a widget and back. A typed character outside Latin-1 becomes '?'.
inline QString ToQString(const std::string& bytes) {
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string ToBytes(const QString& text) {
    return text.toLatin1().toStdString();
}
