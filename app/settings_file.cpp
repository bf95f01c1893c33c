#include "app/settings_file.h"

#include "accounts/cut_field.h"
#include "files/profile_file.h"
#include "platform/int_text.h"

#include <QDir>

namespace {
const char* const Section = "general";
const char* const ColumnKeys[5] = {"col1", "col2", "col3", "col4", "col5"};
constexpr int32_t Absent = -1;

std::string ReadKey(const char* key) {
    return GetPrivateProfileString(Section, key, "", SettingsFilePath());
}

bool WriteKey(const char* key, const std::string& value) {
    return WritePrivateProfileString(Section, key, value, SettingsFilePath());
}

// A whole number, or nothing; a stored -1 counts as absent too.
std::optional<int> ReadNumber(const char* key) {
    const int32_t value = StrToIntDef(ReadKey(key), Absent);
    if (value == Absent) return std::nullopt;
    return value;
}

bool IsWhole(const std::string& text) {
    return StrToIntDef(text, 0) == StrToIntDef(text, 1);
}
} // namespace

std::string SettingsFilePath() {
    return (QDir::currentPath() + QDir::separator() + "tarsel.ini").toStdString();
}

std::optional<TWindowSettings::TPair> ParsePair(const std::string& text) {
    std::string rest = text;
    const std::string first = CutField(rest, ',');
    if (first.size() == text.size() || !IsWhole(first) || !IsWhole(rest)) return std::nullopt;
    return TWindowSettings::TPair{StrToIntDef(first, 0), StrToIntDef(rest, 0)};
}

std::string FormatPair(const TWindowSettings::TPair& pair) {
    return std::to_string(pair.First) + "," + std::to_string(pair.Second);
}

TWindowSettings ReadWindowSettings(const TWindowSettings& designed) {
    TWindowSettings settings = designed;
    for (size_t i = 0; i < settings.Columns.size(); ++i) {
        // A negative width cannot be shown; it counts as absent like other unusable values.
        const std::optional<int> width = ReadNumber(ColumnKeys[i]);
        if (width && *width >= 0) settings.Columns[i] = *width;
    }
    if (auto position = ParsePair(ReadKey("window_pos"))) settings.Position = position;
    if (auto size = ParsePair(ReadKey("window_size")); size && size->First > 0 && size->Second > 0)
        settings.Size = size;
    settings.Maximized = StrToIntDef(ReadKey("window_max"), 0) != 0;
    if (auto panel = ReadNumber("panel2"); panel && *panel >= 0) settings.Panel2 = *panel;
    if (auto sort = ParsePair(ReadKey("sort"))) settings.Sort = *sort;
    if (auto split = ParsePair(ReadKey("preview_split"));
        split && split->First >= 0 && split->Second >= 0 && split->First + split->Second > 0)
        settings.PreviewSplit = split;
    return settings;
}

bool WriteWindowSettings(const TWindowSettings& settings) {
    bool written = true;
    auto write = [&](const char* key, const std::string& value) {
        written = WriteKey(key, value) && written;
    };
    for (size_t i = 0; i < settings.Columns.size(); ++i)
        write(ColumnKeys[i], std::to_string(settings.Columns[i]));
    if (!settings.Maximized) {
        if (settings.Position) write("window_pos", FormatPair(*settings.Position));
        if (settings.Size) write("window_size", FormatPair(*settings.Size));
    }
    write("window_max", settings.Maximized ? "1" : "0");
    write("panel2", std::to_string(settings.Panel2));
    write("sort", FormatPair(settings.Sort));
    if (settings.PreviewSplit) write("preview_split", FormatPair(*settings.PreviewSplit));
    return written;
}
