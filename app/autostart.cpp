#include "app/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
// An argument of Exec: quoted, with the characters the desktop-entry format reserves escaped.
std::string Quoted(const std::string& argument) {
    std::string quoted = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    // The entry's own escape level doubles every backslash once more.
    std::string escaped;
    for (char c : quoted) {
        if (c == '\\') escaped += '\\';
        if (c == '%') escaped += '%';
        escaped += c;
    }
    return escaped;
}
} // namespace

std::string AutostartPath(const char* configHome, const char* home) {
    std::string base;
    if (configHome && configHome[0] == '/')
        base = configHome;
    else
        base = std::string(home ? home : "") + "/.config";
    return base + "/autostart/vellion.desktop";
}

std::string AutostartEntry(const std::string& program, const std::string& folder, bool inTray) {
    std::string exec = Quoted(program) + " --config-dir " + Quoted(folder);
    if (inTray) exec += " --tray";
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Vellion\n"
           "Comment=Checks POP3 mailboxes at log-in\n"
           "Icon=vellion\n"
           "Exec=" +
           exec +
           "\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

bool WriteAutostart(const std::string& path, const std::string& entry) {
    const QString file = QString::fromStdString(path);
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) return false;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return false;
    out.write(entry.data(), static_cast<qint64>(entry.size()));
    return out.commit();
}

bool RemoveAutostart(const std::string& path) {
    QFile file(QString::fromStdString(path));
    return !file.exists() || file.remove();
}

bool AutostartExists(const std::string& path) {
    return QFileInfo::exists(QString::fromStdString(path));
}
