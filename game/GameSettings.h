#pragma once
// The game's sections of the settings file (SettingsFilePath): settings and players, window
// places, the zoom window's look, the view's text size, sound files, theme and language; and the
// rule that guards every write of the game's own files.
#include <array>
#include <cstdint>
#include <string>

namespace platform {
class TIniFile;
}

namespace game {

// What the settings reader needs to know of the screen to correct remembered window places.
struct TScreenLayout {
    int32_t ScreenWidth = 0;
    int32_t ScreenHeight = 0;
    int32_t MainClientWidth = 0;
    int32_t MainClientHeight = 0;
};

constexpr int32_t OptionWindowWidth = 500;
constexpr int32_t OptionWindowHeight = 400;
constexpr int32_t ScoreWindowWidth = 320;
constexpr int32_t ScoreWindowHeight = 320;

// Bounds applied on reading.
constexpr int32_t MinTimePlayLimit = 20;
constexpr int32_t MaxTimePlayLimit = 600;
constexpr int32_t DefaultTimePlayLimit = 30;
constexpr int32_t MaxZoomFontSize = 120;
constexpr int32_t MinDefFontSize = 8;
// The smallest size the zoom window's menu steps down to, the largest the view's steps up to.
constexpr int32_t MinZoomFontSize = 20;
constexpr int32_t MaxDefFontSize = 32;

// Names of players 1..4 until the settings give others.
extern const std::array<std::string, 4> DefaultPlayerNames;

// Reads sections "General", "Sounds" and "Theme" into GameOptions and the globals, correcting
// out-of-range values, and sets ThemeFolder and LanguageFolder. DefFontSize receives the text
// size of the definition view.
void LoadGameOptions(const TScreenLayout& screen, int32_t& defFontSize);

// Writes sections "General" and "Theme" when the file may be written: the settings, the player
// names, the main window's current place, the remembered places and the view's text size.
// Throws platform::EInOutError when the file may be written but the write fails.
void SaveGameOptions(int32_t mainWindowLeft, int32_t mainWindowTop, int32_t defFontSize);

// Whether the game may write to Ini's file now. A missing file is first created holding section
// "General", key "Create" = "Ok"; a file that is read-only, hidden, a system file, a volume label
// or a folder, or that has no folder to be created in, is never written. Throws
// platform::EInOutError when the creation fails in a folder that takes it (a full disk).
bool SettingsFileWritable(platform::TIniFile& ini);

} // namespace game
