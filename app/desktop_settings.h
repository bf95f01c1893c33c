#pragma once
#include <string>

// The settings of checking in the background, in "tarsel.ini" (section "general") beside the
// window's: check_minutes (0 or absent: off) and close_to_tray (1: closing the window keeps the
// program in the tray). The user writes them; the program only reads them.
struct TDesktopSettings {
    int CheckMinutes = 0;
    bool CloseToTray = false;
};

// Fewer minutes would load a server for little gain; more do not fit a day.
constexpr int MinCheckMinutes = 2;
constexpr int MaxCheckMinutes = 24 * 60;

// The interval a key's text gives: 0 (off) for an absent, non-numeric, zero or negative value,
// else the number held between the two limits.
int CheckMinutesFrom(const std::string& text);

TDesktopSettings ReadDesktopSettings();
