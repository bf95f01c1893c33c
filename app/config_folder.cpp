#include "app/config_folder.h"

#include <QCoreApplication>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// Said on the terminal and in a box, UTF-8 as the folder's name.
std::string Said(const char* text, const std::string& folder, const char* reason) {
    return QCoreApplication::translate("TConfigFolder", text)
        .arg(QString::fromStdString(folder), QString::fromLocal8Bit(reason))
        .toStdString();
}

bool Absolute(const char* path) {
    return path && path[0] == '/';
}

// mkdir -p with mode 0700 for what it creates; folders already there keep their mode.
int MakeFolders(const std::string& path) {
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string part = path.substr(0, slash);
        if (!part.empty() && ::mkdir(part.c_str(), 0700) != 0 && errno != EEXIST) return errno;
        if (slash == std::string::npos) return 0;
    }
}
} // namespace

TConfigFolder ChooseConfigFolder(bool launcher, const std::string& named, const char* configHome,
                                 const char* home) {
    if (!named.empty()) return {named};
    if (!launcher) return {};
    // The base directory rules ignore a relative value.
    if (Absolute(configHome)) return {std::string(configHome) + "/vellion"};
    if (Absolute(home)) return {std::string(home) + "/.config/vellion"};
    return {};
}

std::string EnterConfigFolder(const TConfigFolder& folder) {
    if (folder.path.empty()) return {};
    if (const int error = MakeFolders(folder.path))
        return Said(QT_TRANSLATE_NOOP("TConfigFolder", "Cannot create the folder %1: %2"),
                    folder.path, std::strerror(error));
    if (::chdir(folder.path.c_str()) != 0)
        return Said(QT_TRANSLATE_NOOP("TConfigFolder", "Cannot use the folder %1: %2"), folder.path,
                    std::strerror(errno));
    return {};
}
