// The language and theme files hold every text and colour the game's loader reads, so no
// window falls back to a built-in French text in the English language, or to a default colour.
#include "content/ContentFolder.h"
#include "platform/IniFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using content::ThemeFolder;

struct TKey {
    std::string section;
    std::string key;
};

std::vector<TKey> LanguageKeys()
{
    std::vector<TKey> keys = {
        {"Main", "Language"}, {"Main", "HelpFile"}, {"Main", "Help"}, {"Main", "Open"}, {"Main", "Scores"},
        {"Main", "Options"}, {"Main", "About"}, {"Main", "CD-Player"}, {"Main", "Minimize"}, {"Main", "Zoom"},
        {"Main", "Start"}, {"Main", "Continue"}, {"Main", "Stop"}, {"Main", "Exit"}, {"Main", "EditDictionary"},
        {"Main", "Copy"}, {"Main", "CopySelection"}, {"Main", "Print"}, {"Main", "IncreaseFontSize"},
        {"Main", "DecreaseFontSize"}, {"Main", "TimeRemaining"}, {"Main", "Bytes"}, {"Main", "Dictionary"},
        {"Main", "IndexFile"}, {"Main", "Words"}, {"Main", "WordFound"}, {"Main", "WordsFound"}, {"Main", "Noname"},
        {"Main", "TryRemaining"}, {"Main", "TriesRemaining"}, {"Main", "PrintFailed"}, {"Main", "SaveFailed"},
        {"Zoom", "ChangeBackgroundColor"}, {"Zoom", "ChangeTextColor"}, {"Zoom", "IncreaseFontSize"},
        {"Zoom", "DecreaseFontSize"},
        {"OpenDictionary", "Title"}, {"OpenDictionary", "DictionaryFilter"}, {"OpenDictionary", "AllFilesFilter"},
        {"Options", "Title"}, {"Options", "KeyboardDisposition"}, {"Options", "DifficultyLevel"},
        {"Options", "VeryEasyLevel"}, {"Options", "EasyLevel"}, {"Options", "HardLevel"},
        {"Options", "VeryHardLevel"}, {"Options", "VeryEasyLevelHint"}, {"Options", "EasyLevelHint"},
        {"Options", "HardLevelHint"}, {"Options", "VeryHardLevelHint"}, {"Options", "Miscellaneous"},
        {"Options", "UseSounds"}, {"Options", "UseTheme"}, {"Options", "UpperCaseDisplay"}, {"Options", "GameMode"},
        {"Options", "PlayAgainstTime"}, {"Options", "Second"}, {"Options", "MultiPlayers"}, {"Options", "Players"},
        {"Options", "PlayersNames"}, {"Options", "ClickToChange"},
        {"About", "GameTitle"}, {"About", "HowToContactAuhtors"}, {"About", "UpdateOnTheWeb"},
        {"About", "ConnectTo"}, {"About", "SendMailTo"},
        {"CD-Player", "NumberOfTracks"}, {"CD-Player", "CurrentTrack"}, {"CD-Player", "TrackTime"},
        {"CD-Player", "ElapsedTime"}, {"CD-Player", "FastRewind"}, {"CD-Player", "FastForward"},
        {"CD-Player", "Play"}, {"CD-Player", "PreviousTrack"}, {"CD-Player", "NextTrack"}, {"CD-Player", "Stop"},
        {"CD-Player", "Pause"}, {"CD-Player", "Eject"}, {"CD-Player", "Exit"}, {"CD-Player", "ChangeTextColor"},
        {"CD-Player", "NotReady"}, {"CD-Player", "Stopped"}, {"CD-Player", "Playing"}, {"CD-Player", "Recording"},
        {"CD-Player", "Seeking"}, {"CD-Player", "Paused"}, {"CD-Player", "Empty"},
        {"CD-Player", "NoCDAudioSupport"}, {"CD-Player", "NoDriveOpen"}, {"CD-Player", "NoDisc"},
        {"CD-Player", "DriveDoesNotAnswer"}, {"CD-Player", "CannotOpenDrive"}, {"CD-Player", "CommandRefused"},
        {"CD-Player", "UnreadableTableOfContents"}, {"CD-Player", "NoSuchTrack"},
        {"ViewScores", "Title"}, {"ViewScores", "NameColumnHeader"}, {"ViewScores", "ScoreColumnHeader"},
        {"ViewScores", "RatioColumnHeader"},
        {"SetScore", "Title"}, {"SetScore", "Message"}, {"SetScore", "Name"},
        {"Buttons", "Start"},
    };
    // Result texts: a title and three messages for each count of tries left, 0 to 7.
    for (int left = 0; left <= 7; ++left) {
        keys.push_back({"SuccessAndFail", "Title" + std::to_string(left)});
        for (int message = 1; message <= 3; ++message)
            keys.push_back({"SuccessAndFail", "Message" + std::to_string(left) + "_" + std::to_string(message)});
    }
    return keys;
}

struct TLanguage {
    const char* folder;
    int code;
};

class LanguageFile : public testing::TestWithParam<TLanguage> {
protected:
    platform::TIniFile Ini() const
    {
        return platform::TIniFile((ThemeFolder() / GetParam().folder / "language.ini").string());
    }
};

TEST_P(LanguageFile, HoldsEveryKeyTheLoaderReadsWithAText)
{
    const platform::TIniFile ini = Ini();
    for (const TKey& key : LanguageKeys()) {
        EXPECT_TRUE(ini.ValueExists(key.section, key.key)) << key.section << "/" << key.key;
        EXPECT_NE(ini.ReadString(key.section, key.key, ""), "") << key.section << "/" << key.key;
    }
}

TEST_P(LanguageFile, NamesItsLanguageCodeAndAnExistingHelpFile)
{
    const platform::TIniFile ini = Ini();
    EXPECT_EQ(ini.ReadInteger("Main", "Language", -1), GetParam().code);
    const std::string help = ini.ReadString("Main", "HelpFile", "");
    EXPECT_TRUE(std::filesystem::is_regular_file(content::DataFolder() / "Aide" / help)) << help;
}

TEST_P(LanguageFile, KeepsCDStatusTextsWithinTheirTwentyCharacters)
{
    const platform::TIniFile ini = Ini();
    for (const char* key : {"NotReady", "Stopped", "Playing", "Recording", "Seeking", "Paused", "Empty"})
        EXPECT_LE(ini.ReadString("CD-Player", key, "").size(), 20u) << key;
}

TEST_P(LanguageFile, IsWindowsTextWithCrLf)
{
    EXPECT_TRUE(content::IsWindowsText(content::ReadBytes(ThemeFolder() / GetParam().folder / "language.ini")));
}

INSTANTIATE_TEST_SUITE_P(Standard, LanguageFile,
                         testing::Values(TLanguage{"Francais", 33}, TLanguage{"English", 1}),
                         [](const testing::TestParamInfo<TLanguage>& info) { return std::string(info.param.folder); });

TEST(ThemeFile, HoldsEveryColourTheLoaderReads)
{
    const TKey colours[] = {
        {"WindowMain", "TextColor.Normal"},       {"WindowMain", "TextColor.HighLight"},
        {"WindowOptions", "TextColor.Title"},     {"WindowOptions", "TextColor.TitleShadow"},
        {"WindowOptions", "TextColor.Normal"},    {"WindowAbout", "TextColor.Normal"},
        {"WindowAbout", "TextColor.Title"},       {"WindowAbout", "TextColor.TitleShadow"},
        {"WindowAbout", "TextColor.Link"},        {"WindowScores", "TextColor.Title"},
        {"WindowScores", "TextColor.TitleShadow"}, {"WindowScores", "TextColor.Normal"},
    };
    const platform::TIniFile ini((ThemeFolder() / "theme.ini").string());
    for (const TKey& colour : colours) {
        // Two different defaults: only a value read from the file gives the same answer to both.
        const int32_t value = ini.ReadInteger(colour.section, colour.key, -1);
        EXPECT_EQ(value, ini.ReadInteger(colour.section, colour.key, -2)) << colour.section << "/" << colour.key;
        EXPECT_GE(value, 0);
        EXPECT_LE(value, 0xFFFFFF);
    }
    EXPECT_TRUE(content::IsWindowsText(content::ReadBytes(ThemeFolder() / "theme.ini")));
}

} // namespace
