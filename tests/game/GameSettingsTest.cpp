#include "GameFixture.h"

#include "game/GameSettings.h"
#include "platform/IniFile.h"
#include "tests/support/SaveWatch.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <optional>

using namespace game;

namespace {

// A 1024 x 768 screen with the 800 x 600 main window.
constexpr TScreenLayout Screen{1024, 768, 800, 600};

class GameSettingsTest : public TGameTest {
protected:
    int32_t Load()
    {
        int32_t defFontSize = 0;
        LoadGameOptions(Screen, defFontSize);
        return defFontSize;
    }

    void WriteGeneral(const std::string& lines) { Write("garvo.ini", "[General]\r\n" + lines); }
};

TEST_F(GameSettingsTest, MissingFileGivesDefaults)
{
    EXPECT_EQ(Load(), 8);
    const TGameOptions& options = GameOptions;
    EXPECT_EQ(options.Keyboard, KeyboardAzerty);
    EXPECT_EQ(options.Level, 0);
    EXPECT_EQ(options.TimePlayLimit, 30);
    EXPECT_FALSE(options.UseSounds || options.TimePlay || options.UpperCaseDisplay || options.MultiPlayers);
    EXPECT_EQ(options.PlayersCount, 2);
    for (size_t row = 1; row <= 4; ++row) {
        EXPECT_EQ(options.Players[row].Name, DefaultPlayerNames[row - 1]);
        EXPECT_EQ(options.Players[row].SavedName, DefaultPlayerNames[row - 1]);
    }
    EXPECT_EQ(DictionaryPath, "");
    // Unset places: the main window centred, the side windows centred over it.
    EXPECT_EQ(std::make_pair(MainWindowLeft, MainWindowTop), std::make_pair(112, 84));
    EXPECT_EQ(std::make_pair(OptionWindowLeft, OptionWindowTop), std::make_pair(262, 184));
    EXPECT_EQ(std::make_pair(ScoreWindowLeft, ScoreWindowTop), std::make_pair(352, 224));
    EXPECT_EQ(std::make_pair(ZoomWindowLeft, ZoomWindowTop), std::make_pair(-1, -1));
    EXPECT_EQ(ZoomWindowVisible, 0);
    EXPECT_EQ(ZoomBackColor, 0);
    EXPECT_EQ(ZoomFontColor, 0xFFFF);
    EXPECT_EQ(ZoomFontSize, 30);
    EXPECT_EQ(HtmlInfoTextUS,
              "Select a dictionary by clicking on the button with a folder image or press the [F2] key.");
    EXPECT_EQ(KeySuccessSound, Path("Sons/key_success.wav"));
    EXPECT_EQ(FailSound, Path("Sons/fail.wav"));
    EXPECT_EQ(ThemeFolder, Path("Themes/Standard"));
    EXPECT_EQ(LanguageFolder, Path("Themes/Standard/Francais"));
    EXPECT_FALSE(Exists("garvo.ini")) << "reading never creates the file";
}

struct TReadCase {
    const char* name;
    const char* line;
    int32_t (*field)(int32_t defFontSize);
    int32_t expected;
};

class ReadRuleTest : public GameSettingsTest, public ::testing::WithParamInterface<TReadCase> {};

TEST_P(ReadRuleTest, CorrectsOnReading)
{
    WriteGeneral(std::string(GetParam().line) + "\r\n");
    EXPECT_EQ(GetParam().field(Load()), GetParam().expected);
}

int32_t TimeLimit(int32_t) { return GameOptions.TimePlayLimit; }
int32_t Players(int32_t) { return GameOptions.PlayersCount; }
int32_t ZoomSize(int32_t) { return ZoomFontSize; }
int32_t ViewSize(int32_t defFontSize) { return defFontSize; }
int32_t Level(int32_t) { return GameOptions.Level; }
int32_t Keyboard(int32_t) { return GameOptions.Keyboard; }
int32_t Sounds(int32_t) { return GameOptions.UseSounds; }
int32_t BackColor(int32_t) { return ZoomBackColor; }
int32_t FontColor(int32_t) { return ZoomFontColor; }
int32_t MainLeft(int32_t) { return MainWindowLeft; }
int32_t MainTop(int32_t) { return MainWindowTop; }
int32_t ScoreLeft(int32_t) { return ScoreWindowLeft; }
int32_t OptionLeft(int32_t) { return OptionWindowLeft; }

INSTANTIATE_TEST_SUITE_P(
    Keys, ReadRuleTest,
    ::testing::Values(TReadCase{"TimeLimitAboveRange", "TimePlayLimit=601", TimeLimit, 30},
                      TReadCase{"TimeLimitAtTop", "TimePlayLimit=600", TimeLimit, 600},
                      TReadCase{"TimeLimitBelowRange", "TimePlayLimit=19", TimeLimit, 30},
                      TReadCase{"TimeLimitAtBottom", "TimePlayLimit=20", TimeLimit, 20},
                      TReadCase{"PlayersAboveRange", "PlayersCount=5", Players, 2},
                      TReadCase{"PlayersBelowRange", "PlayersCount=1", Players, 2},
                      TReadCase{"PlayersAtTop", "PlayersCount=4", Players, 4},
                      TReadCase{"ZoomSizeHexAboveRange", "ZoomWindow.FontSize=0x80", ZoomSize, 120},
                      TReadCase{"ZoomSizeDollarHex", "ZoomWindow.FontSize=$2E", ZoomSize, 46},
                      TReadCase{"ZoomSizeTooSmall", "ZoomWindow.FontSize=0", ZoomSize, 1},
                      TReadCase{"ViewSizeAboveTheMenusRange", "DefFontSize=1000", ViewSize, 1000},
                      TReadCase{"ViewSizeBelowRange", "DefFontSize=4", ViewSize, 8},
                      TReadCase{"ViewSizeOdd", "DefFontSize=9", ViewSize, 9},
                      TReadCase{"LevelTakenAsIs", "Level=9", Level, 9},
                      TReadCase{"NoNumberGivesDefault", "Level=abc", Level, 0},
                      TReadCase{"TrailingTextGivesDefault", "Keyboard=2x", Keyboard, 1},
                      TReadCase{"UpperCaseHexPrefix", "Keyboard=0X2", Keyboard, 2},
                      TReadCase{"AnyNonZeroIsTrue", "UseSounds=-3", Sounds, 1},
                      TReadCase{"BackColorUnset", "ZoomWindow.BackColor=-1", BackColor, 0},
                      TReadCase{"FontColorUnset", "ZoomWindow.FontColor=-1", FontColor, 0xFFFF},
                      TReadCase{"MainLeftPastTheEdge", "MainWindow.Left=300", MainLeft, 112},
                      TReadCase{"MainLeftTouchingTheEdge", "MainWindow.Left=224", MainLeft, 224},
                      TReadCase{"MainLeftHuge", "MainWindow.Left=2147483647", MainLeft, 112},
                      TReadCase{"MainTopNegative", "MainWindow.Top=-5", MainTop, 84},
                      TReadCase{"ScorePlaceHonoured", "ScoreWindow.Left=10", ScoreLeft, 10},
                      TReadCase{"OptionPlacePastTheEdge", "OptionWindow.Left=525", OptionLeft, 262}),
    [](const ::testing::TestParamInfo<TReadCase>& info) { return std::string(info.param.name); });

TEST_F(GameSettingsTest, ZoomColoursThatMatchGoBackToDefaults)
{
    WriteGeneral("ZoomWindow.BackColor=255\r\nZoomWindow.FontColor=255\r\n");
    Load();
    EXPECT_EQ(ZoomBackColor, 0);
    EXPECT_EQ(ZoomFontColor, 0xFFFF);
}

TEST_F(GameSettingsTest, EmptyValuesGiveDefaults)
{
    Write("garvo.ini", "[General]\r\nPlayer2=\r\nLastFile=\r\n[Sounds]\r\nFail=\r\n[Theme]\r\nName=\r\nLanguage=English\r\n");
    Load();
    EXPECT_EQ(GameOptions.Players[2].Name, DefaultPlayerNames[1]);
    EXPECT_EQ(FailSound, Path("Sons/fail.wav"));
    EXPECT_EQ(LanguageFolder, Path("Themes/Standard/English"));
}

TEST_F(GameSettingsTest, MissingFileIsCreatedThenWritten)
{
    ThemeName = "Standard";
    LanguageName = "Francais";
    SaveGameOptions(112, 84, 10);
    const std::string text = Read("garvo.ini");
    EXPECT_EQ(text.rfind("[General]\r\nCreate=Ok\r\nKeyboard=1\r\n", 0), 0u) << text;
    const platform::TIniFile ini(Path("garvo.ini"));
    for (const char* key : {"Level", "UseSounds", "TimePlay", "TimePlayLimit", "UpperCaseDisplay", "MultiPlayers",
                            "PlayersCount", "Player1", "Player4", "LastFile", "MainWindow.Left", "MainWindow.Top",
                            "OptionWindow.Left", "OptionWindow.Top", "ZoomWindow.Visible", "ZoomWindow.Left",
                            "ZoomWindow.Top", "ZoomWindow.BackColor", "ZoomWindow.FontColor", "ZoomWindow.FontSize",
                            "DefFontSize"})
        EXPECT_TRUE(ini.ValueExists("General", key)) << key;
    EXPECT_FALSE(ini.ValueExists("General", "ScoreWindow.Left"));
    EXPECT_FALSE(ini.ValueExists("General", "HTMLInfoFR"));
    EXPECT_FALSE(ini.SectionExists("Sounds"));
    EXPECT_EQ(ini.ReadString("Theme", "Language", ""), "Francais");
}

TEST_F(GameSettingsTest, SavedSettingsReadBack)
{
    TGameOptions& options = GameOptions;
    options.Keyboard = 0;
    options.Level = 2;
    options.UseSounds = true;
    options.TimePlay = true;
    options.TimePlayLimit = 45;
    options.UpperCaseDisplay = true;
    options.MultiPlayers = true;
    options.PlayersCount = 3;
    options.Players[1].Name = "Ana";
    options.Players[3].Name = "L\xE9o";
    Write("animaux.dat", "chat[un animal]");
    DictionaryPath = Path("animaux.dat");
    OptionWindowLeft = 40;
    OptionWindowTop = 50;
    ZoomWindowVisible = 1;
    ZoomWindowLeft = 60;
    ZoomWindowTop = 70;
    ZoomBackColor = 0xFF0000;
    ZoomFontColor = 0x00FF00;
    ZoomFontSize = 48;
    ThemeName = "Nuit";
    LanguageName = "English";
    SaveGameOptions(100, 110, 14);

    SetUp();
    EXPECT_EQ(Load(), 14);
    EXPECT_EQ(options.Keyboard, 0);
    EXPECT_EQ(options.Level, 2);
    EXPECT_TRUE(options.UseSounds && options.TimePlay && options.UpperCaseDisplay && options.MultiPlayers);
    EXPECT_EQ(options.TimePlayLimit, 45);
    EXPECT_EQ(options.PlayersCount, 3);
    EXPECT_EQ(options.Players[1].SavedName, "Ana");
    EXPECT_EQ(options.Players[2].Name, DefaultPlayerNames[1]);
    EXPECT_EQ(options.Players[3].Name, "L\xE9o");
    EXPECT_EQ(DictionaryPath, Path("animaux.dat"));
    EXPECT_EQ(std::make_pair(MainWindowLeft, MainWindowTop), std::make_pair(100, 110));
    EXPECT_EQ(std::make_pair(OptionWindowLeft, OptionWindowTop), std::make_pair(40, 50));
    EXPECT_EQ(std::make_pair(ZoomWindowLeft, ZoomWindowTop), std::make_pair(60, 70));
    EXPECT_EQ(ZoomWindowVisible, 1);
    EXPECT_EQ(ZoomBackColor, 0xFF0000);
    EXPECT_EQ(ZoomFontColor, 0x00FF00);
    EXPECT_EQ(ZoomFontSize, 48);
    EXPECT_EQ(ThemeFolder, Path("Themes/Nuit"));
    EXPECT_EQ(LanguageFolder, Path("Themes/Nuit/English"));
}

TEST_F(GameSettingsTest, OtherSectionsSurviveAWrite)
{
    Write("garvo.ini", "[Lexorim]\r\nLanguage=1\r\nLastPath=/dic\r\n[General]\r\nCDPlayerWindow.Left=5\r\n");
    SaveGameOptions(0, 0, 8);
    const platform::TIniFile ini(Path("garvo.ini"));
    EXPECT_EQ(ini.ReadString("Lexorim", "LastPath", ""), "/dic");
    EXPECT_EQ(ini.ReadInteger("General", "CDPlayerWindow.Left", 0), 5);
    EXPECT_FALSE(ini.ValueExists("General", "Create")) << "only a new file is marked";
}

// Generation G of the settings: values that no other generation has.
void SaveGeneration(int generation)
{
    GameOptions.Level = generation;
    GameOptions.TimePlayLimit = 40 + generation;
    for (size_t row = 1; row <= 4; ++row)
        GameOptions.Players[row].Name = "Gen" + std::to_string(generation) + "Player" + std::to_string(row);
    OptionWindowLeft = 10 + generation;
    ZoomFontSize = 50 + generation;
    ThemeName = "Theme" + std::to_string(generation);
    LanguageName = "Language" + std::to_string(generation);
    SaveGameOptions(100 + generation, 200 + generation, 10 + generation);
}

TEST_F(GameSettingsTest, SaveReplacesTheFileOnce)
{
    Write("garvo.ini", "[Lexorim]\r\nLanguage=1\r\n");
    TFileWrites writes(Path(), "garvo.ini");
    SaveGeneration(1);
    EXPECT_EQ(writes.Count(), 1);
    SaveGeneration(1);
    EXPECT_EQ(writes.Count(), 1) << "settings saved again unchanged leave the file alone";
}

TEST_F(GameSettingsTest, SaveKilledMidwayLeavesOneWholeSave)
{
    std::array<std::string, 2> saved;
    for (int generation : {0, 1}) {
        SaveGeneration(generation);
        saved[generation] = Read("garvo.ini");
    }
    const std::optional<std::string> mixed = MixedContentAfterKilledSaves(Path("garvo.ini"), 40, saved, SaveGeneration);
    EXPECT_FALSE(mixed.has_value()) << mixed.value_or("");
}

// Files the game must leave alone.
struct TProtectedCase {
    const char* name;
    const char* fileName;
    bool readOnly;
};

class WriteRuleTest : public GameSettingsTest, public ::testing::WithParamInterface<TProtectedCase> {};

TEST_P(WriteRuleTest, ProtectedFileIsNeverWritten)
{
    const TProtectedCase& c = GetParam();
    const std::string before = "[General]\r\nLevel=3\r\n";
    Write(c.fileName, before);
    if (c.readOnly)
        SetReadOnly(c.fileName);
    SettingsFilePath = Path(c.fileName);
    GameOptions.Level = 1;
    EXPECT_NO_THROW(SaveGameOptions(0, 0, 8));
    EXPECT_EQ(Read(c.fileName), before);
}

INSTANTIATE_TEST_SUITE_P(Files, WriteRuleTest,
                         ::testing::Values(TProtectedCase{"ReadOnly", "garvo.ini", true},
                                           TProtectedCase{"Hidden", ".garvo.ini", false}),
                         [](const ::testing::TestParamInfo<TProtectedCase>& info) { return std::string(info.param.name); });

TEST_F(GameSettingsTest, FolderOrMissingFolderIsNotWritten)
{
    std::filesystem::create_directory(Path("garvo.ini"));
    EXPECT_NO_THROW(SaveGameOptions(0, 0, 8));
    EXPECT_TRUE(std::filesystem::is_empty(Path("garvo.ini")));

    SettingsFilePath = Path("nowhere/garvo.ini");
    EXPECT_NO_THROW(SaveGameOptions(0, 0, 8));
    EXPECT_FALSE(std::filesystem::exists(Path("nowhere")));
}

} // namespace
