#pragma once
#include <string>

// The XDG autostart entry that starts the program at log-in, on the configuration folder in use.

// $XDG_CONFIG_HOME/autostart/vellion.desktop, or ~/.config/autostart/vellion.desktop where that
// variable is unset or not absolute. Null variables are unset ones.
std::string AutostartPath(const char* configHome, const char* home);

// The entry's text: the program started on `folder`, with --tray when it starts in the tray.
std::string AutostartEntry(const std::string& program, const std::string& folder, bool inTray);

// Writes the entry (making its folder) or removes it; false when that failed.
bool WriteAutostart(const std::string& path, const std::string& entry);
bool RemoveAutostart(const std::string& path);
bool AutostartExists(const std::string& path);
