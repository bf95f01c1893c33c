#pragma once
#include <string>

// The settings of the program on the desktop, in "tarsel.ini" (section "general") beside the
// window's: check_minutes (0 or absent: off), close_to_tray (1: closing the window keeps the
// program in the tray), show_notices and play_sound (absent: 1), start_in_tray (1: a start at
// log-in shows only the tray icon), preview_lines (body lines the preview reads, 20 when
// absent). The settings window writes them; a hand-written file works as well. Accounts left
// out of rounds are in section "rounds", keyed by name ("name=0").
struct TDesktopSettings {
    int CheckMinutes = 0;
    bool CloseToTray = false;
    bool ShowNotices = true;
    bool PlaySound = true;
    bool StartInTray = false;
    int PreviewLines = 20;
};

constexpr int MaxPreviewLines = 1000;

// Fewer minutes would load a server for little gain; more do not fit a day.
constexpr int MinCheckMinutes = 2;
constexpr int MaxCheckMinutes = 24 * 60;

// The interval a key's text gives: 0 (off) for an absent, non-numeric, zero or negative value,
// else the number held between the two limits.
int CheckMinutesFrom(const std::string& text);

TDesktopSettings ReadDesktopSettings();
// False when a key could not be written.
bool WriteDesktopSettings(const TDesktopSettings& settings);

// Whether Check All and the periodic check take the account (absent: yes).
bool InRounds(const std::string& account);
bool SetInRounds(const std::string& account, bool included);
