#pragma once
#include <optional>
#include <string>

// The settings of the program on the desktop, in "tarsel.ini" (section "general") beside the
// window's: check_minutes (0 or absent: off), close_to_tray (1: closing the window keeps the
// program in the tray), show_notices and play_sound (absent: 1), start_in_tray (1: a start at
// log-in shows only the tray icon), preview_lines (body lines the preview reads, 20 when
// absent), preview_while_checking (1: each check reads those lines of every message with its
// header, so the preview needs no connection of its own). The settings window writes them; a
// hand-written file works as well. Accounts left out of rounds are in section "rounds", keyed by
// name ("name=0"); an account's own interval of the periodic check in section "check_minutes"
// ("name=30", 0: never; absent: the global one).
struct TDesktopSettings {
    int CheckMinutes = 0;
    bool CloseToTray = false;
    bool ShowNotices = true;
    bool PlaySound = true;
    bool StartInTray = false;
    int PreviewLines = 20;
    bool PreviewWhileChecking = false;
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

// An account's own interval as a key's text gives it: none for an absent or non-numeric value,
// 0 (never) for zero or a negative one, else the number held between the two limits.
std::optional<int> OwnCheckMinutesFrom(const std::string& text);
std::optional<int> OwnCheckMinutes(const std::string& account);
bool SetOwnCheckMinutes(const std::string& account, std::optional<int> minutes);

// Whether Check All and the periodic check take the account (absent: yes).
bool InRounds(const std::string& account);
bool SetInRounds(const std::string& account, bool included);

// Carries an account's keys of both sections to its new name; an empty name drops them, so that
// a later account of the old name starts from the defaults. False when a key could not be written.
bool MoveAccountSettings(const std::string& from, const std::string& to);
