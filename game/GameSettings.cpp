#include "game/GameSettings.h"

#include "dictionary/fileLib.h"
#include "game/globalDefs.h"
#include "platform/Exceptions.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"

#include <algorithm>

namespace game {

const std::array<std::string, 4> DefaultPlayerNames{"Julie", "Thomas", "Camille", "Lucas"};

namespace {

const std::string SectionGeneral = "General";
const std::string SectionSounds = "Sounds";
const std::string SectionTheme = "Theme";

constexpr int32_t SmallestFontSize = 1; // points

// The attributes that forbid a write: read-only, hidden, system, volume label, folder.
constexpr uint32_t ProtectedAttributes = platform::faReadOnly | platform::faHidden | platform::faSysFile
    | platform::faVolumeID | platform::faDirectory;

std::string ReadString(const platform::TIniFile& ini, const std::string& section, const std::string& key,
                       const std::string& defaultValue)
{
    std::string value;
    dictionary::ReadIniString(section, key, defaultValue, value, ini);
    return value;
}

int32_t OutsideBecomes(int32_t value, int32_t low, int32_t high, int32_t replacement)
{
    return value < low || value > high ? replacement : value;
}

// A remembered edge is kept while the window still fits before the screen's far edge; compared
// without adding, so that no stored value can overflow.
bool FitsOnScreen(int32_t edge, int32_t windowSize, int32_t screenSize)
{
    return edge >= 0 && edge <= screenSize - windowSize;
}

void PlaceMainWindow(const TScreenLayout& screen)
{
    if (!FitsOnScreen(MainWindowLeft, screen.MainClientWidth, screen.ScreenWidth))
        MainWindowLeft = (screen.ScreenWidth - screen.MainClientWidth) / 2;
    if (!FitsOnScreen(MainWindowTop, screen.MainClientHeight, screen.ScreenHeight))
        MainWindowTop = (screen.ScreenHeight - screen.MainClientHeight) / 2;
}

// A side window that does not fit is centred over the main window.
void PlaceSideWindow(const TScreenLayout& screen, int32_t width, int32_t height, int32_t& left, int32_t& top)
{
    if (!FitsOnScreen(left, width, screen.ScreenWidth))
        left = MainWindowLeft + (screen.MainClientWidth - width) / 2;
    if (!FitsOnScreen(top, height, screen.ScreenHeight))
        top = MainWindowTop + (screen.MainClientHeight - height) / 2;
}

std::string PlayerKey(size_t row)
{
    return "Player" + std::to_string(row);
}

void ReadGeneral(const platform::TIniFile& ini, const TScreenLayout& screen, int32_t& defFontSize)
{
    TGameOptions& options = GameOptions;
    options.Keyboard = ini.ReadInteger(SectionGeneral, "Keyboard", KeyboardAzerty);
    options.Level = ini.ReadInteger(SectionGeneral, "Level", LevelShowEnds);
    options.UseSounds = ini.ReadBool(SectionGeneral, "UseSounds", false);
    options.TimePlay = ini.ReadBool(SectionGeneral, "TimePlay", false);
    options.TimePlayLimit = OutsideBecomes(ini.ReadInteger(SectionGeneral, "TimePlayLimit", DefaultTimePlayLimit),
                                           MinTimePlayLimit, MaxTimePlayLimit, DefaultTimePlayLimit);
    options.UpperCaseDisplay = ini.ReadBool(SectionGeneral, "UpperCaseDisplay", false);
    options.MultiPlayers = ini.ReadBool(SectionGeneral, "MultiPlayers", false);
    options.PlayersCount = OutsideBecomes(ini.ReadInteger(SectionGeneral, "PlayersCount", 2), 2, MaxPlayersCount, 2);
    for (size_t row = 1; row <= DefaultPlayerNames.size(); ++row) {
        TScores& player = options.Players[row];
        player.Name = ReadString(ini, SectionGeneral, PlayerKey(row), DefaultPlayerNames[row - 1]);
        player.SavedName = player.Name;
    }
    DictionaryPath = ReadString(ini, SectionGeneral, "LastFile", std::string());

    MainWindowLeft = ini.ReadInteger(SectionGeneral, "MainWindow.Left", UnsetPlace);
    MainWindowTop = ini.ReadInteger(SectionGeneral, "MainWindow.Top", UnsetPlace);
    PlaceMainWindow(screen);
    OptionWindowLeft = ini.ReadInteger(SectionGeneral, "OptionWindow.Left", UnsetPlace);
    OptionWindowTop = ini.ReadInteger(SectionGeneral, "OptionWindow.Top", UnsetPlace);
    PlaceSideWindow(screen, OptionWindowWidth, OptionWindowHeight, OptionWindowLeft, OptionWindowTop);
    ScoreWindowLeft = ini.ReadInteger(SectionGeneral, "ScoreWindow.Left", UnsetPlace);
    ScoreWindowTop = ini.ReadInteger(SectionGeneral, "ScoreWindow.Top", UnsetPlace);
    PlaceSideWindow(screen, ScoreWindowWidth, ScoreWindowHeight, ScoreWindowLeft, ScoreWindowTop);

    ZoomWindowVisible = ini.ReadInteger(SectionGeneral, "ZoomWindow.Visible", 0);
    ZoomWindowLeft = ini.ReadInteger(SectionGeneral, "ZoomWindow.Left", UnsetPlace);
    ZoomWindowTop = ini.ReadInteger(SectionGeneral, "ZoomWindow.Top", UnsetPlace);
    ZoomBackColor = ini.ReadInteger(SectionGeneral, "ZoomWindow.BackColor", DefaultZoomBackColor);
    if (ZoomBackColor == -1)
        ZoomBackColor = DefaultZoomBackColor;
    ZoomFontColor = ini.ReadInteger(SectionGeneral, "ZoomWindow.FontColor", DefaultZoomFontColor);
    if (ZoomFontColor == -1)
        ZoomFontColor = DefaultZoomFontColor;
    if (ZoomFontColor == ZoomBackColor) {
        // Text in the colour of its background could not be read.
        ZoomBackColor = DefaultZoomBackColor;
        ZoomFontColor = DefaultZoomFontColor;
    }
    // A size below one point would draw no text at all.
    ZoomFontSize = std::clamp(ini.ReadInteger(SectionGeneral, "ZoomWindow.FontSize", DefaultZoomFontSize),
                              SmallestFontSize, MaxZoomFontSize);

    HtmlInfoTextFR = ReadString(ini, SectionGeneral, "HTMLInfoFR",
                                "S&eacute;lectionnez un dictionnaire en cliquant sur le bouton repr&eacute;sentant "
                                "un dossier ou appuyez sur la touche [F2].");
    HtmlInfoTextUS = ReadString(ini, SectionGeneral, "HTMLInfoUS",
                                "Select a dictionary by clicking on the button with a folder image or press the "
                                "[F2] key.");
    defFontSize = std::max(ini.ReadInteger(SectionGeneral, "DefFontSize", MinDefFontSize), MinDefFontSize);
}

void ReadSounds(const platform::TIniFile& ini)
{
    KeySuccessSound = ReadString(ini, SectionSounds, "KeySuccess", SoundsFolder + "key_success.wav");
    KeyFailSound = ReadString(ini, SectionSounds, "KeyFail", SoundsFolder + "key_fail.wav");
    SuccessSound = ReadString(ini, SectionSounds, "Success", SoundsFolder + "success.wav");
    FailSound = ReadString(ini, SectionSounds, "Fail", SoundsFolder + "fail.wav");
}

void ReadTheme(const platform::TIniFile& ini)
{
    ThemeName = ReadString(ini, SectionTheme, "Name", "Standard");
    LanguageName = ReadString(ini, SectionTheme, "Language", "Francais");
    ThemeFolder = ThemesFolder + ThemeName;
    LanguageFolder = ThemeFolder + "/" + LanguageName;
}

} // namespace

void LoadGameOptions(const TScreenLayout& screen, int32_t& defFontSize)
{
    const platform::TIniFile ini(SettingsFilePath);
    ReadGeneral(ini, screen, defFontSize);
    ReadSounds(ini);
    ReadTheme(ini);
}

bool SettingsFileWritable(platform::TIniFile& ini)
{
    uint32_t attributes = 0;
    if (!platform::GetFileAttributes(ini.FileName(), attributes)) {
        try {
            ini.WriteString(SectionGeneral, "Create", "Ok");
        } catch (const platform::EInOutError&) {
            return false; // nowhere to create it
        }
        ini.UpdateFile(); // a folder that takes it but a disk that does not is an error
        if (!platform::GetFileAttributes(ini.FileName(), attributes))
            return false;
    }
    return (attributes & ProtectedAttributes) == 0;
}

void SaveGameOptions(int32_t mainWindowLeft, int32_t mainWindowTop, int32_t defFontSize)
{
    platform::TIniFile ini(SettingsFilePath);
    if (!SettingsFileWritable(ini))
        return;
    const TGameOptions& options = GameOptions;
    ini.WriteInteger(SectionGeneral, "Keyboard", options.Keyboard);
    ini.WriteInteger(SectionGeneral, "Level", options.Level);
    ini.WriteBool(SectionGeneral, "UseSounds", options.UseSounds);
    ini.WriteBool(SectionGeneral, "TimePlay", options.TimePlay);
    ini.WriteInteger(SectionGeneral, "TimePlayLimit", options.TimePlayLimit);
    ini.WriteBool(SectionGeneral, "UpperCaseDisplay", options.UpperCaseDisplay);
    ini.WriteBool(SectionGeneral, "MultiPlayers", options.MultiPlayers);
    ini.WriteInteger(SectionGeneral, "PlayersCount", options.PlayersCount);
    for (size_t row = 1; row <= DefaultPlayerNames.size(); ++row)
        ini.WriteString(SectionGeneral, PlayerKey(row), options.Players[row].Name);
    std::string lastFile;
    dictionary::GetFullPath(DictionaryPath, lastFile);
    ini.WriteString(SectionGeneral, "LastFile", lastFile);
    ini.WriteInteger(SectionGeneral, "MainWindow.Left", mainWindowLeft);
    ini.WriteInteger(SectionGeneral, "MainWindow.Top", mainWindowTop);
    ini.WriteInteger(SectionGeneral, "OptionWindow.Left", OptionWindowLeft);
    ini.WriteInteger(SectionGeneral, "OptionWindow.Top", OptionWindowTop);
    ini.WriteInteger(SectionGeneral, "ZoomWindow.Visible", ZoomWindowVisible);
    ini.WriteInteger(SectionGeneral, "ZoomWindow.Left", ZoomWindowLeft);
    ini.WriteInteger(SectionGeneral, "ZoomWindow.Top", ZoomWindowTop);
    ini.WriteInteger(SectionGeneral, "ZoomWindow.BackColor", ZoomBackColor);
    ini.WriteInteger(SectionGeneral, "ZoomWindow.FontColor", ZoomFontColor);
    ini.WriteInteger(SectionGeneral, "ZoomWindow.FontSize", ZoomFontSize);
    ini.WriteInteger(SectionGeneral, "DefFontSize", defFontSize);
    ini.WriteString(SectionTheme, "Name", ThemeName);
    ini.WriteString(SectionTheme, "Language", LanguageName);
    ini.UpdateFile();
}

} // namespace game
