#pragma once
#include <array>
#include <optional>
#include <string>

// The window settings kept in "tarsel.ini" (section "general") in the working directory.
struct TWindowSettings {
    struct TPair {
        int First = 0;
        int Second = 0;
        bool operator==(const TPair&) const = default;
    };

    std::array<int, 5> Columns{119, 145, 151, 53, 64};
    std::optional<TPair> Position; // left, top; absent: centred
    std::optional<TPair> Size;     // width, height; absent: the designed size
    bool Maximized = false;
    int Panel2 = 153;
    TPair Sort{0, 0};                  // table column 1 to 5 (0: message order), 1 when descending
    std::optional<TPair> PreviewSplit; // heights of the table and the preview; absent: designed
};

// The path of "tarsel.ini" in the working directory as it is now.
std::string SettingsFilePath();

// Starts from designed and overrides what the file gives; unusable values count as absent.
TWindowSettings ReadWindowSettings(const TWindowSettings& designed);

// Writes the nine keys in their order, then sort and preview_split (when known); window_pos and
// window_size only when not maximized. False when a key could not be written (that key keeps its
// old value in the file).
bool WriteWindowSettings(const TWindowSettings& settings);

// Two whole numbers joined by a comma ("197,186"); anything else gives nothing.
std::optional<TWindowSettings::TPair> ParsePair(const std::string& text);
std::string FormatPair(const TWindowSettings::TPair& pair);
