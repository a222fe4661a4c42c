#include "game/globalDefs.h"

namespace game {

TGameOptions GameOptions;

dictionary::TDictionaryWord CurrentWord;
int32_t MaxTries;
int32_t ResultLevel;
bool RoundInProgress;
int32_t ElapsedSeconds;
std::array<TKeySlot, KeySlotCount + 1> KeySlots;

std::array<TScores, 21> ScoreTable;
int32_t NewScoreRank;
int32_t ScoresWindowMode;
std::array<std::array<std::string, 4>, 8> ResultTexts;

std::string KeySuccessSound;
std::string KeyFailSound;
std::string SuccessSound;
std::string FailSound;

std::string DictionaryPath;
int32_t DictionaryWordCount;
dictionary::TDictionaryFile CurrentDictionary;

int32_t MainWindowLeft;
int32_t MainWindowTop;
int32_t OptionWindowLeft;
int32_t OptionWindowTop;
int32_t ScoreWindowLeft;
int32_t ScoreWindowTop;
int32_t ZoomWindowLeft;
int32_t ZoomWindowTop;

int32_t ZoomWindowVisible;
int32_t ZoomBackColor;
int32_t ZoomFontColor;
int32_t ZoomFontSize;

std::string HtmlInfoTextFR;
std::string HtmlInfoTextUS;

std::string ProgramFolder;
std::string HelpFolder;
std::string SoundsFolder;
std::string ThemesFolder;
std::string SettingsFilePath;
std::string ScoresFilePath;

std::string SiteAddressFrench;
std::string SiteAddressOther;
std::string MailAddress1;
std::string MailAddress2;
std::string MailName1;
std::string MailName2;
std::string AuthorName;
std::string AssociationSiteAddress;
std::string AssociationName;

std::string ThemeName;
std::string LanguageName;
std::string ThemeFolder;
std::string LanguageFolder;

int32_t LanguageCode;
std::string BytesText;
std::string DictionaryText;
std::string IndexFileText;
std::string WordsText;
std::string WordFoundText;
std::string WordsFoundText;
std::string TryRemainingText;
std::string TriesRemainingText;
std::string DefaultPlayerName;
const std::string DefaultSaveFailedText = "Impossible d'\xE9" "crire dans";
std::string SaveFailedText = DefaultSaveFailedText;
std::string ZoomBackgroundMenuText;
std::string ZoomTextMenuText;
std::string ConnectToText;
std::string SendMailToText;
std::array<std::string, 7> CDStatusTexts;


void ResetGameState()
{
    GameOptions = {};

    CurrentWord = {};
    MaxTries = TriesPerWord;
    ResultLevel = TriesPerWord;
    RoundInProgress = false;
    ElapsedSeconds = 0;
    KeySlots = {};

    ScoreTable = {};
    NewScoreRank = 0;
    ScoresWindowMode = ScoresModeBestTen;
    ResultTexts = {};

    DictionaryWordCount = 0;
    CurrentDictionary = {};

    for (int32_t* edge : {&MainWindowLeft, &MainWindowTop, &OptionWindowLeft, &OptionWindowTop, &ScoreWindowLeft,
                          &ScoreWindowTop, &ZoomWindowLeft, &ZoomWindowTop})
        *edge = UnsetPlace;

    ZoomWindowVisible = 0;
    ZoomBackColor = DefaultZoomBackColor;
    ZoomFontColor = DefaultZoomFontColor;
    ZoomFontSize = DefaultZoomFontSize;

    LanguageCode = LanguageCodeFrench;
    CDStatusTexts = {};
    SaveFailedText = DefaultSaveFailedText;

    for (std::string* text :
         {&KeySuccessSound, &KeyFailSound, &SuccessSound, &FailSound, &DictionaryPath, &HtmlInfoTextFR, &HtmlInfoTextUS,
          &ProgramFolder, &HelpFolder, &SoundsFolder, &ThemesFolder, &SettingsFilePath, &ScoresFilePath,
          &SiteAddressFrench, &SiteAddressOther, &MailAddress1, &MailAddress2, &MailName1, &MailName2, &AuthorName,
          &AssociationSiteAddress, &AssociationName, &ThemeName, &LanguageName, &ThemeFolder, &LanguageFolder,
          &BytesText, &DictionaryText, &IndexFileText, &WordsText, &WordFoundText, &WordsFoundText,
          &TryRemainingText, &TriesRemainingText, &DefaultPlayerName, &ZoomBackgroundMenuText, &ZoomTextMenuText,
          &ConnectToText, &SendMailToText})
        text->clear();
}

} // namespace game
