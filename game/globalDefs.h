#pragma once
// The game's program-wide state: settings and players, the word in play, the high-score table of
// the open dictionary, the program's folders and the texts of the current language. One instance
// of each, alive for the whole run, read and written by the main window and the side windows.
// Every variable takes its start value from ResetGameState, which the program calls before it
// reads anything, and each test before it plays.
#include "dictionary/unitDictionary.h"

#include <array>
#include <cstdint>
#include <string>

namespace game {

// One player, or one row of the high-score table.
struct TScores {
    std::string Name;
    std::string SavedName; // the name as the settings set it; sorting never moves it
    int32_t Score = 0;     // words found
    int32_t Games = 0;     // words played
    double Ratio = 0.0;    // Score / Games, a working value of the sort
    bool Highlight = false;
};

constexpr int32_t MaxPlayersCount = 4;

// Tries per word, set when the main window is made.
constexpr int32_t TriesPerWord = 7;

// Letter-key layouts.
constexpr int32_t KeyboardAlphabetical = 0;
constexpr int32_t KeyboardAzerty = 1;
constexpr int32_t KeyboardQwerty = 2;

// Difficulty levels: what the player is shown of the word to guess. Any other value shows
// nothing, like LevelShowNothing.
constexpr int32_t LevelShowEnds = 0; // the first and the last letter
constexpr int32_t LevelShowDefinition = 1;
constexpr int32_t LevelShowEndsAndDefinition = 2;
constexpr int32_t LevelShowNothing = 3;

constexpr bool LevelShowsEnds(int32_t level)
{
    return level == LevelShowEnds || level == LevelShowEndsAndDefinition;
}

constexpr bool LevelShowsDefinition(int32_t level)
{
    return level == LevelShowDefinition || level == LevelShowEndsAndDefinition;
}

struct TGameOptions {
    int32_t Keyboard = KeyboardAzerty; // 1 AZERTY, 2 QWERTY, any other value alphabetical
    int32_t Level = LevelShowEnds;
    int32_t TimePlayLimit = 30;        // seconds per word in timed mode
    bool UseSounds = false;
    bool TimePlay = false;
    bool UpperCaseDisplay = false;
    bool MultiPlayers = false;
    int32_t PlayersCount = 2;
    int32_t PlayerIndex = 0; // 0 alone, 1..PlayersCount in a multi-player game
    std::array<TScores, MaxPlayersCount + 1> Players;
};

// Rows 1..10 of ScoreTable are the best ten; row 11 holds the candidate during an insertion.
constexpr int32_t BestScoresCount = 10;
constexpr int32_t CandidateRow = BestScoresCount + 1;

// ScoresWindowMode values.
constexpr int32_t ScoresModeBestTen = 1;
constexpr int32_t ScoresModeWordFound = 4;
constexpr int32_t ScoresModeWordLost = 5;
constexpr int32_t ScoresModeNameEntry = 6;
constexpr int32_t ScoresModeRanking = 7;

// A place of the letter-key table, in pixels of the main window's client area.
struct TKeySlot {
    int32_t X = 0;
    int32_t Y = 0;
};
constexpr int32_t KeySlotCount = 30;

constexpr int32_t LanguageCodeFrench = 33;

// Remembered window edge not set yet.
constexpr int32_t UnsetPlace = -1;

// The zoom window's look until the settings say otherwise.
constexpr int32_t DefaultZoomBackColor = 0x000000; // black
constexpr int32_t DefaultZoomFontColor = 0x00FFFF; // yellow
constexpr int32_t DefaultZoomFontSize = 30;

// Settings and players.
extern TGameOptions GameOptions;

// Word play.
extern dictionary::TDictionaryWord CurrentWord;
extern int32_t MaxTries;
extern int32_t ResultLevel; // tries left in the current word; 0 when it is lost
extern bool RoundInProgress;
extern int32_t ElapsedSeconds;
extern std::array<TKeySlot, KeySlotCount + 1> KeySlots; // slots 1..30

// High scores and the scores window.
extern std::array<TScores, 21> ScoreTable;
extern int32_t NewScoreRank;
extern int32_t ScoresWindowMode;
// Per number of tries left (0 = lost): the title, then three messages.
extern std::array<std::array<std::string, 4>, 8> ResultTexts;

// Sound files.
extern std::string KeySuccessSound;
extern std::string KeyFailSound;
extern std::string SuccessSound;
extern std::string FailSound;

// The open dictionary.
extern std::string DictionaryPath; // empty when none is open
extern int32_t DictionaryWordCount;
extern dictionary::TDictionaryFile CurrentDictionary;

// Remembered window edges in screen pixels; -1 when unset.
extern int32_t MainWindowLeft;
extern int32_t MainWindowTop;
extern int32_t OptionWindowLeft;
extern int32_t OptionWindowTop;
extern int32_t ScoreWindowLeft;
extern int32_t ScoreWindowTop;
extern int32_t ZoomWindowLeft;
extern int32_t ZoomWindowTop;

// The zoom window: shown at the last exit (1), colours (0x00BBGGRR) and type size in points.
extern int32_t ZoomWindowVisible;
extern int32_t ZoomBackColor;
extern int32_t ZoomFontColor;
extern int32_t ZoomFontSize;

// The information page shown while no dictionary is open.
extern std::string HtmlInfoTextFR;
extern std::string HtmlInfoTextUS;

// Program folders and files, each folder ending with "/".
extern std::string ProgramFolder;
extern std::string HelpFolder;
extern std::string SoundsFolder;
extern std::string ThemesFolder;
extern std::string SettingsFilePath;
extern std::string ScoresFilePath;

// The about window's links and the names in their hints, set with the program folders.
extern std::string SiteAddressFrench; // shown, and opened for LanguageCode 33
extern std::string SiteAddressOther;  // opened for every other language
extern std::string MailAddress1;
extern std::string MailAddress2;
extern std::string MailName1;
extern std::string MailName2;
extern std::string AuthorName;
extern std::string AssociationSiteAddress;
extern std::string AssociationName;

// Theme and language in use; their folders end without "/".
extern std::string ThemeName;
extern std::string LanguageName;
extern std::string ThemeFolder;
extern std::string LanguageFolder;

// Texts of the current language kept for the game's code.
extern int32_t LanguageCode;
extern std::string BytesText;
extern std::string DictionaryText;
extern std::string IndexFileText;
extern std::string WordsText;
extern std::string WordFoundText;
extern std::string WordsFoundText;
extern std::string TryRemainingText;
extern std::string TriesRemainingText;
extern std::string DefaultPlayerName;
extern const std::string DefaultSaveFailedText;
extern std::string SaveFailedText; // followed by the path of the file that could not be written
extern std::string ZoomBackgroundMenuText;
extern std::string ZoomTextMenuText;
extern std::string ConnectToText;
extern std::string SendMailToText;
extern std::array<std::string, 7> CDStatusTexts;

// Every variable above back at its start value: no dictionary, folders or texts, default
// settings, unset window places.
void ResetGameState();

} // namespace game
