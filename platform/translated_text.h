#pragma once
#include <QString>
#include <string>

// Words for the user in the user's language, as the 8-bit text the system holds and widgets
// show: Latin-1, so every catalogue text that goes through here keeps to Latin-1. Without a
// catalogue (English, the C locale) the text comes back byte for byte as written.
// scripts/update-translations.sh tells lupdate to read Translated() as it reads translate().
std::string Translated(const char* context, const char* text, const char* disambiguation = nullptr,
                       int n = -1);

// A translated text's %1, %2, ... filled in one pass with bytes, every byte kept; a "%1" inside
// a value (a server's reply) is left alone.
template <typename... T> std::string Filled(const std::string& pattern, const T&... values) {
    const QString text = QString::fromLatin1(pattern.data(), qsizetype(pattern.size()))
                             .arg(QString::fromLatin1(values.data(), qsizetype(values.size()))...);
    return text.toLatin1().toStdString();
}
