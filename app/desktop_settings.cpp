#include "app/desktop_settings.h"

#include "app/settings_file.h"
#include "files/profile_file.h"
#include "platform/int_text.h"

#include <algorithm>

namespace {
const char* const Section = "general";
const char* const RoundsSection = "rounds";
const char* const IntervalSection = "check_minutes";

std::string Flag(bool on) {
    return on ? "1" : "0";
}
} // namespace

int CheckMinutesFrom(const std::string& text) {
    const int32_t minutes = StrToIntDef(text, 0);
    if (minutes <= 0) return 0;
    return std::clamp<int>(minutes, MinCheckMinutes, MaxCheckMinutes);
}

std::optional<int> OwnCheckMinutesFrom(const std::string& text) {
    if (StrToIntDef(text, 0) != StrToIntDef(text, 1)) return std::nullopt; // not a number
    if (StrToIntDef(text, 0) <= 0) return 0;
    return CheckMinutesFrom(text);
}

std::optional<int> OwnCheckMinutes(const std::string& account) {
    return OwnCheckMinutesFrom(
        GetPrivateProfileString(IntervalSection, account, "", SettingsFilePath()));
}

bool SetOwnCheckMinutes(const std::string& account, std::optional<int> minutes) {
    return WritePrivateProfileString(IntervalSection, account,
                                     minutes ? std::to_string(*minutes) : "", SettingsFilePath());
}

TDesktopSettings ReadDesktopSettings() {
    auto read = [](const char* key) {
        return GetPrivateProfileString(Section, key, "", SettingsFilePath());
    };
    auto flag = [&](const char* key, bool absent) {
        return StrToIntDef(read(key), absent ? 1 : 0) != 0;
    };
    TDesktopSettings settings;
    settings.CheckMinutes = CheckMinutesFrom(read("check_minutes"));
    settings.CloseToTray = flag("close_to_tray", false);
    settings.ShowNotices = flag("show_notices", true);
    settings.PlaySound = flag("play_sound", true);
    settings.StartInTray = flag("start_in_tray", false);
    settings.PreviewLines =
        std::clamp<int>(StrToIntDef(read("preview_lines"), 20), 1, MaxPreviewLines);
    settings.PreviewWhileChecking = flag("preview_while_checking", false);
    return settings;
}

bool WriteDesktopSettings(const TDesktopSettings& settings) {
    bool written = true;
    auto write = [&](const char* key, const std::string& value) {
        written = WritePrivateProfileString(Section, key, value, SettingsFilePath()) && written;
    };
    write("check_minutes", std::to_string(settings.CheckMinutes));
    write("close_to_tray", Flag(settings.CloseToTray));
    write("show_notices", Flag(settings.ShowNotices));
    write("play_sound", Flag(settings.PlaySound));
    write("start_in_tray", Flag(settings.StartInTray));
    write("preview_lines", std::to_string(settings.PreviewLines));
    write("preview_while_checking", Flag(settings.PreviewWhileChecking));
    return written;
}

bool InRounds(const std::string& account) {
    return StrToIntDef(GetPrivateProfileString(RoundsSection, account, "", SettingsFilePath()),
                       1) != 0;
}

bool SetInRounds(const std::string& account, bool included) {
    return WritePrivateProfileString(RoundsSection, account, Flag(included), SettingsFilePath());
}

bool MoveAccountSettings(const std::string& from, const std::string& to) {
    bool written = true;
    for (const char* section : {RoundsSection, IntervalSection}) {
        const std::string value = GetPrivateProfileString(section, from, "", SettingsFilePath());
        if (value.empty() || from == to) continue;
        if (!to.empty())
            written = WritePrivateProfileString(section, to, value, SettingsFilePath()) && written;
        written = WritePrivateProfileString(section, from, "", SettingsFilePath()) && written;
    }
    return written;
}
