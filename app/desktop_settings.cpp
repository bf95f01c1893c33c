#include "app/desktop_settings.h"

#include "app/settings_file.h"
#include "platform/int_text.h"
#include "platform/profile_file.h"

#include <algorithm>

int CheckMinutesFrom(const std::string& text) {
    const int32_t minutes = StrToIntDef(text, 0);
    if (minutes <= 0) return 0;
    return std::clamp<int>(minutes, MinCheckMinutes, MaxCheckMinutes);
}

TDesktopSettings ReadDesktopSettings() {
    auto read = [](const char* key) {
        return GetPrivateProfileString("general", key, "", SettingsFilePath());
    };
    TDesktopSettings settings;
    settings.CheckMinutes = CheckMinutesFrom(read("check_minutes"));
    settings.CloseToTray = StrToIntDef(read("close_to_tray"), 0) != 0;
    return settings;
}
