#include "game/globalDefs.h"

namespace game {

TGameOptions GameOptions;

dictionary::TDictionaryWord CurrentWord;
int32_t MaxTries = 7;
int32_t ResultLevel = 7;
bool RoundInProgress = false;
int32_t ElapsedSeconds = 0;
std::array<TKeySlot, KeySlotCount + 1> KeySlots;

std::array<TScores, 21> ScoreTable;
int32_t NewScoreRank = 0;
int32_t ScoresWindowMode = ScoresModeBestTen;
std::array<std::array<std::string, 4>, 8> ResultTexts;

std::string KeySuccessSound;
std::string KeyFailSound;
std::string SuccessSound;
std::string FailSound;

std::string DictionaryPath;
int32_t DictionaryWordCount = 0;
dictionary::TDictionaryFile CurrentDictionary;

int32_t MainWindowLeft = UnsetPlace;
int32_t MainWindowTop = UnsetPlace;
int32_t OptionWindowLeft = UnsetPlace;
int32_t OptionWindowTop = UnsetPlace;
int32_t ScoreWindowLeft = UnsetPlace;
int32_t ScoreWindowTop = UnsetPlace;
int32_t ZoomWindowLeft = UnsetPlace;
int32_t ZoomWindowTop = UnsetPlace;

int32_t ZoomWindowVisible = 0;
int32_t ZoomBackColor = DefaultZoomBackColor;
int32_t ZoomFontColor = DefaultZoomFontColor;
int32_t ZoomFontSize = DefaultZoomFontSize;

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

int32_t LanguageCode = LanguageCodeFrench;
std::string BytesText;
std::string DictionaryText;
std::string IndexFileText;
std::string WordsText;
std::string WordFoundText;
std::string WordsFoundText;
std::string TryRemainingText;
std::string TriesRemainingText;
std::string DefaultPlayerName;
std::string ZoomBackgroundMenuText;
std::string ZoomTextMenuText;
std::string ConnectToText;
std::string SendMailToText;
std::array<std::string, 7> CDStatusTexts;

} // namespace game
