#include "game/LanguageTexts.h"

#include "game/TfrmAbout.h"
#include "game/TfrmMain.h"
#include "game/TfrmMainPictureButton.h"
#include "game/TfrmScores.h"
#include "game/TfrmZoom.h"
#include "game/globalDefs.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/QtTranslations.h"
#include "platform/WindowControls.h"
#include "platform/Windows1252.h"

#include <QLabel>
#include <QPushButton>

#include <map>
#include <utility>

namespace game {

namespace {

// Parts brought by the windows themselves, by lower-case window name.
std::map<std::string, TLanguagePart>& LanguageParts()
{
    static std::map<std::string, TLanguagePart> parts;
    return parts;
}

// Fills each text from Section: Key, keeping the text as its default.
void ReadTexts(const TThemeFiles& files, const std::string& section,
               std::initializer_list<std::pair<const char*, std::string*>> texts)
{
    for (const auto& [key, text] : texts)
        *text = files.Text(section, key, *text);
}

void SetPicture(QLabel* label, const QPixmap& picture)
{
    if (!picture.isNull())
        label->setPixmap(picture);
}

void SetHint(QWidget* control, const std::string& hint)
{
    control->setToolTip(platform::AnsiToUnicode(hint));
}

// The texts of section "Main" that the game's code keeps, and the engine's language.
void LoadProgramTexts(const TThemeFiles& files)
{
    LanguageCode = files.Integer("Main", "Language", LanguageCodeFrench);
    BytesText = files.Text("Main", "Bytes", "octets");
    DictionaryText = files.Text("Main", "Dictionary", "Dictionnaire");
    IndexFileText = files.Text("Main", "IndexFile", "Index");
    WordsText = files.Text("Main", "Words", "Mots");
    WordFoundText = files.Text("Main", "WordFound", "Mot trouv\xE9");
    WordsFoundText = files.Text("Main", "WordsFound", "Mots trouv\xE9s");
    DefaultPlayerName = files.Text("Main", "Noname", "Sans nom");
    SaveFailedText = files.Text("Main", "SaveFailed", DefaultSaveFailedText);
    TryRemainingText = files.Text("Main", "TryRemaining", "Essai restant:");
    TriesRemainingText = files.Text("Main", "TriesRemaining", "Essais restants:");
    dictionary::SetDictionaryLanguage(DictionaryTranslation, LanguageCode);
    platform::UseQtTranslations(LanguageCode); // Qt's own dialogs and buttons follow
    ZoomBackgroundMenuText = files.Text("Zoom", "ChangeBackgroundColor", "Changer la couleur du f&ond");
    ZoomTextMenuText = files.Text("Zoom", "ChangeTextColor", "Changer la couleur du &texte");
}

void LoadMainTexts(const TThemeFiles& files, TfrmMain& window)
{
    LoadProgramTexts(files);
    TMainTexts& texts = window.Texts;
    texts = TMainTexts{};
    ReadTexts(files, "Main",
              {{"HelpFile", &texts.HelpFile}, {"Help", &texts.Help}, {"Open", &texts.Open},
               {"Scores", &texts.Scores}, {"Options", &texts.Options}, {"About", &texts.About},
               {"CD-Player", &texts.CDPlayer}, {"Minimize", &texts.Minimize}, {"Zoom", &texts.Zoom},
               {"Start", &texts.Start}, {"Continue", &texts.Continue}, {"Stop", &texts.Stop},
               {"Exit", &texts.Exit}, {"EditDictionary", &texts.EditDictionary}, {"Copy", &texts.Copy},
               {"CopySelection", &texts.CopySelection}, {"Print", &texts.Print},
               {"IncreaseFontSize", &texts.IncreaseFontSize}, {"DecreaseFontSize", &texts.DecreaseFontSize},
               {"TimeRemaining", &texts.TimeRemaining}, {"PrintFailed", &texts.PrintFailed}});
    ReadTexts(files, "OpenDictionary",
              {{"Title", &texts.OpenDialogTitle},
               {"DictionaryFilter", &texts.DictionaryFilter},
               {"AllFilesFilter", &texts.AllFilesFilter}});

    SetPicture(window.imgBackground, files.ThemePicture("main.bmp"));
    const std::pair<TPictureButton*, const char*> themeButtons[] = {
        {window.btnEdit, "btnDictionary.bmp"}, {window.btnOpen, "btnOpen.bmp"},
        {window.btnOption, "btnOption.bmp"},   {window.btnViewScore, "btnScore.bmp"},
        {window.btnMinimize, "btnMinimize.bmp"}, {window.btnAbout, "btnAbout.bmp"},
        {window.btnExit, "btnExit.bmp"},       {window.btnMagnify, "btnMagnify.bmp"},
        {window.btnCDPlayer, "btnCDPlayer.bmp"}};
    for (const auto& [button, name] : themeButtons)
        button->SetGlyph(files.ThemePicture(name)); // a null picture keeps the face
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        window.LetterKey(letter)->SetGlyph(files.ThemePicture(std::string("btn") + letter + ".bmp"));
    SetPicture(window.TitleImage, files.LanguagePicture("title.bmp"));
    const std::pair<TPictureButton*, const char*> languageButtons[] = {{window.btnContinue, "btnContinue.bmp"},
                                                                       {window.btnHelp, "btnHelp.bmp"},
                                                                       {window.btnStart, "btnStart.bmp"},
                                                                       {window.btnStop, "btnStop.bmp"}};
    for (const auto& [button, name] : languageButtons)
        button->SetGlyph(files.LanguagePicture(name));

    platform::SetTextColor(&window, files.Color("WindowMain", "TextColor.Normal", 0x000000));
    platform::SetTextColor(window.lblTriesRemaining, window.palette().color(QPalette::WindowText));
    platform::SetTextColor(window.lblWord, files.Color("WindowMain", "TextColor.HighLight", 0x00FFFF));
    platform::SetTextColor(window.lblPlayerName, window.lblWord->palette().color(QPalette::WindowText));
    window.ShowTexts();
}

void LoadZoomTexts(const TThemeFiles& files, TfrmZoom& window)
{
    TZoomTexts& texts = window.Texts;
    texts = TZoomTexts{};
    ReadTexts(files, "Zoom",
              {{"IncreaseFontSize", &texts.IncreaseFontSize},
               {"DecreaseFontSize", &texts.DecreaseFontSize},
               {"ChangeBackgroundColor", &texts.ChangeBackgroundColor},
               {"ChangeTextColor", &texts.ChangeTextColor}});
}

// Levels 5 and 3 take the messages just read for levels 6 and 4 unless they have their own.
void LoadResultTexts(const TThemeFiles& files)
{
    for (int level = 7; level >= 0; --level)
        ResultTexts[level][0] = files.Text("SuccessAndFail", "Title" + std::to_string(level), DefaultResultTexts[level][0]);
    for (int slot = 1; slot <= 3; ++slot)
        for (int level = 7; level >= 0; --level) {
            const bool sharesAbove = level == 5 || level == 3;
            const std::string& fallback = sharesAbove ? ResultTexts[level + 1][slot] : DefaultResultTexts[level][slot];
            ResultTexts[level][slot] = files.Text(
                "SuccessAndFail", "Message" + std::to_string(level) + "_" + std::to_string(slot), fallback);
        }
}

void LoadScoresTexts(const TThemeFiles& files, TfrmScores& window, int32_t mode)
{
    TScoresTexts& texts = window.Texts;
    const TScoresTexts defaults;
    if (mode == ScoresModeBestTen || mode == ScoresModeRanking) {
        texts.ViewScoresTitle = files.Text("ViewScores", "Title", defaults.ViewScoresTitle);
        texts.NameColumnHeader = files.Text("ViewScores", "NameColumnHeader", defaults.NameColumnHeader);
        texts.ScoreColumnHeader = files.Text("ViewScores", "ScoreColumnHeader", defaults.ScoreColumnHeader);
        texts.RatioColumnHeader = files.Text("ViewScores", "RatioColumnHeader", defaults.RatioColumnHeader);
    } else if (mode == ScoresModeNameEntry) {
        texts.SetScoreTitle = files.Text("SetScore", "Title", defaults.SetScoreTitle);
        // The window appends the place and a full stop after one blank.
        std::string message = defaults.SetScoreMessage;
        if (!message.empty() && message.back() == ' ')
            message.pop_back();
        texts.SetScoreMessage = files.Text("SetScore", "Message", message) + " ";
        texts.PlayerNameLabel = files.Text("SetScore", "Name", defaults.PlayerNameLabel);
    } else {
        LoadResultTexts(files);
    }

    SetPicture(window.imgBackground, files.ThemePicture("score.bmp"));
    const QPixmap ok = files.LanguagePicture("btnOk.bmp");
    if (!ok.isNull())
        window.btnOk->setIcon(QIcon(ok));
    platform::SetTextColor(window.lblTitle, files.Color("WindowScores", "TextColor.Title", 0xFFFFFF));
    platform::SetTextColor(window.lblTitleShadow, files.Color("WindowScores", "TextColor.TitleShadow", 0x808080));
    platform::SetTextColor(window.lblMessage, files.Color("WindowScores", "TextColor.Normal", 0x000000));
    platform::SetTextColor(window.lblPlayerName, window.lblMessage->palette().color(QPalette::WindowText));
}

void LoadAboutTexts(const TThemeFiles& files, TfrmAbout& window)
{
    const std::string title = files.Text("About", "GameTitle", "Le Jeu du Garvo");
    window.lblTitle->setText(platform::AnsiToUnicode(title));
    window.lblTitleShadow->setText(window.lblTitle->text());
    window.lblContactAuthors->setText(
        platform::AnsiToUnicode(files.Text("About", "HowToContactAuhtors", "Contactez les auteurs:")));
    window.lblUpdates->setText(
        platform::AnsiToUnicode(files.Text("About", "UpdateOnTheWeb", "Les mises \xE0 jour sur le Web:")));
    ConnectToText = files.Text("About", "ConnectTo", "Se connecter au site de");
    SendMailToText = files.Text("About", "SendMailTo", "Envoyer un message \xE0");

    window.lblUrlAddress->setText(platform::AnsiToUnicode(SiteAddressFrench));
    SetHint(window.lblUrlAddress, ConnectToText + " " + AuthorName);
    window.lblEmail1->setText(platform::AnsiToUnicode(MailAddress1));
    SetHint(window.lblEmail1, SendMailToText + " " + MailName1);
    window.lblEmail2->setText(platform::AnsiToUnicode(MailAddress2));
    SetHint(window.lblEmail2, SendMailToText + " " + MailName2);
    window.imgLogo->setToolTip(window.lblUrlAddress->toolTip());
    SetHint(window.imgUmbo, ConnectToText + " " + AssociationName);
    for (QLabel* link : {window.lblUrlAddress, window.lblEmail1, window.lblEmail2})
        link->adjustSize();

    SetPicture(window.imgBackground, files.ThemePicture("about.bmp"));
    window.btnOk->SetGlyph(files.LanguagePicture("btnOk.bmp"));
    platform::SetTextColor(&window, files.Color("WindowAbout", "TextColor.Normal", 0xFFFFFF));
    platform::SetTextColor(window.lblTitle, files.Color("WindowAbout", "TextColor.Title", 0xFFFFFF));
    platform::SetTextColor(window.lblTitleShadow, files.Color("WindowAbout", "TextColor.TitleShadow", 0x808080));
    platform::SetTextColor(window.lblVersion, window.lblTitle->palette().color(QPalette::WindowText));
    for (QLabel* link : {window.lblUrlAddress, window.lblEmail1, window.lblEmail2})
        platform::SetTextColor(link, files.Color("WindowAbout", "TextColor.Link", 0xFF0000));
}

std::string LowerName(const std::string& name)
{
    return platform::AnsiLowerCase(name);
}

} // namespace

void LoadLanguageTexts(const std::string& windowName, int32_t mode)
{
    const TThemeFiles files;
    const std::string name = LowerName(windowName);
    if (name == "frmmain" && frmMain != nullptr)
        LoadMainTexts(files, *frmMain);
    else if (name == "frmscores" && frmScores != nullptr)
        LoadScoresTexts(files, *frmScores, mode);
    else if (name == "frmzoom" && frmZoom != nullptr)
        LoadZoomTexts(files, *frmZoom);
    else if (name == "frmabout" && frmAbout != nullptr)
        LoadAboutTexts(files, *frmAbout);
    else if (const auto part = LanguageParts().find(name); part != LanguageParts().end())
        part->second(files, mode);
}

void SetDefaultLanguageTexts()
{
    LoadProgramTexts(TThemeFiles(std::string(), std::string()));
}

void SetLanguagePart(const std::string& windowName, TLanguagePart part)
{
    const std::string name = LowerName(windowName);
    if (part)
        LanguageParts()[name] = std::move(part);
    else
        LanguageParts().erase(name);
}

TOptionsTexts ReadOptionsTexts(const TThemeFiles& files)
{
    TOptionsTexts texts;
    ReadTexts(files, "Options",
              {{"Title", &texts.Title},
               {"KeyboardDisposition", &texts.KeyboardDisposition},
               {"DifficultyLevel", &texts.DifficultyLevel},
               {"VeryEasyLevel", &texts.VeryEasyLevel},
               {"EasyLevel", &texts.EasyLevel},
               {"HardLevel", &texts.HardLevel},
               {"VeryHardLevel", &texts.VeryHardLevel},
               {"VeryEasyLevelHint", &texts.VeryEasyLevelHint},
               {"EasyLevelHint", &texts.EasyLevelHint},
               {"HardLevelHint", &texts.HardLevelHint},
               {"VeryHardLevelHint", &texts.VeryHardLevelHint},
               {"Miscellaneous", &texts.Miscellaneous},
               {"UseSounds", &texts.UseSounds},
               {"UseTheme", &texts.UseTheme},
               {"UpperCaseDisplay", &texts.UpperCaseDisplay},
               {"GameMode", &texts.GameMode},
               {"PlayAgainstTime", &texts.PlayAgainstTime},
               {"Second", &texts.Second},
               {"MultiPlayers", &texts.MultiPlayers},
               {"Players", &texts.Players},
               {"PlayersNames", &texts.PlayersNames},
               {"ClickToChange", &texts.ClickToChange}});
    texts.TitleColor = files.Color("WindowOptions", "TextColor.Title", 0xFFFFFF);
    texts.TitleShadowColor = files.Color("WindowOptions", "TextColor.TitleShadow", 0x808080);
    texts.NormalColor = files.Color("WindowOptions", "TextColor.Normal", 0x000000);
    return texts;
}

TCDPlayerTexts ReadCDPlayerTexts(const TThemeFiles& files)
{
    TCDPlayerTexts texts;
    ReadTexts(files, "CD-Player",
              {{"NumberOfTracks", &texts.NumberOfTracks},
               {"CurrentTrack", &texts.CurrentTrack},
               {"TrackTime", &texts.TrackTime},
               {"ElapsedTime", &texts.ElapsedTime},
               {"FastRewind", &texts.FastRewind},
               {"FastForward", &texts.FastForward},
               {"Play", &texts.Play},
               {"PreviousTrack", &texts.PreviousTrack},
               {"NextTrack", &texts.NextTrack},
               {"Stop", &texts.Stop},
               {"Pause", &texts.Pause},
               {"Eject", &texts.Eject},
               {"Exit", &texts.Exit},
               {"ChangeTextColor", &texts.ChangeTextColor},
               {"NoCDAudioSupport", &texts.NoCDAudioSupport},
               {"NoDriveOpen", &texts.NoDriveOpen},
               {"NoDisc", &texts.NoDisc},
               {"DriveDoesNotAnswer", &texts.DriveDoesNotAnswer},
               {"CannotOpenDrive", &texts.CannotOpenDrive},
               {"CommandRefused", &texts.CommandRefused},
               {"UnreadableTableOfContents", &texts.UnreadableTableOfContents},
               {"NoSuchTrack", &texts.NoSuchTrack}});
    const std::pair<const char*, const char*> statuses[] = {{"NotReady", "Non pr\xEAt"},
                                                            {"Stopped", "Arr\xEAt\xE9"},
                                                            {"Playing", "En cours de lecture"},
                                                            {"Recording", "En cours d'enregistrement"},
                                                            {"Seeking", "En cours de positionnement"},
                                                            {"Paused", "Suspendu"},
                                                            {"Empty", "Vide"}};
    for (size_t i = 0; i < CDStatusTexts.size(); ++i)
        CDStatusTexts[i] = files.Text("CD-Player", statuses[i].first, statuses[i].second).substr(0, CDStatusTextLength);
    return texts;
}

std::string StartCaption(const std::string& languageFilePath)
{
    return platform::TIniFile(platform::ResolvePathCase(languageFilePath)).ReadString("Buttons", "Start", "D\xE9marrer");
}

} // namespace game
