#pragma once
#include <string>

// Initialisation files ("[section]" lines and "key=value" lines) with the behaviour of the
// Windows private-profile functions. Sections and keys are found without regard to (ASCII)
// case; only the first section of a name counts; texts are bytes and are never converted.

// The value of `key` in `section`, blanks around it removed and one pair of matching quotes
// taken off; `defaultValue` without trailing blanks when the file, the section or the key is
// missing.
std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, const std::string& fileName);

// Sets `key` in `section` to `value`, creating the file, the section or the key when missing.
// Every other line of the file is kept byte for byte; the file is replaced atomically (in place
// in a read-only folder). False when the file cannot be written, and then the old file is as it
// was; false too when the key is empty or a text holds a line break.
bool WritePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& fileName);
