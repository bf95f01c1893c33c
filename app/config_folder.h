#pragma once
#include <string>

// The folder that holds "mail.acc", "tarsel.ini" and "mail.pin". Every file path is taken from
// the working directory when it is used, so choosing a folder means entering it at start.
struct TConfigFolder {
    std::string path; // empty: the working directory the program was started in
};

// A named folder wins; the launcher's is $XDG_CONFIG_HOME/vellion, or ~/.config/vellion where
// that variable is unset or not absolute; otherwise the working directory. Null variables are
// unset ones.
TConfigFolder ChooseConfigFolder(bool launcher, const std::string& named, const char* configHome,
                                 const char* home);

// Makes the folder where it is missing, owner-only with any missing parents, since "mail.acc"
// holds passwords, then enters it. Empty on success, otherwise why it could not be used.
std::string EnterConfigFolder(const TConfigFolder& folder);
