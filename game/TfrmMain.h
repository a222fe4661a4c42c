#pragma once
// The game's main window: the playing surface with the masked word, the gallows picture, the
// letter keys and the definition view, and the buttons that reach everything else. It opens the
// dictionaries, wraps every page it shows, plays the rounds (the rules are in WordPlay, Players
// and HighScores; this window shows what they decide) and answers the function keys.
//
// Units: TfrmMain.cpp (building the window, showing, closing, keys, buttons), TfrmMainDictionary
// (opening dictionaries), TfrmMainPages (pages and links), TfrmMainRound (the round and the end
// of a game).
#include "dictionary/unitDictionary.h"
#include "game/GameResources.h"
#include "game/globalDefs.h"
#include "htmlview/PageLinks.h"

#include <QColor>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QProgressBar;
class QTextEdit;

namespace htmlview {
class THtmlView;
}
namespace platform {
class TQtProgress;
}

namespace game {

class TPictureButton;
class TWindowDrag;

// Texts of the main window that the language file may replace (Windows-1252).
struct TMainTexts {
    std::string HelpFile = "garvo.htm"; // in HelpFolder
    std::string Help = "Consulter l'aide [Touche F1]";
    std::string Open = "Ouvrir un dictionnaire [Touche F2]";
    std::string Scores = "Visualiser les meilleurs scores [Touche F3]";
    std::string Options = "Configurer les options [Touche F4]";
    std::string About = "A propos du Jeu du Garvo [Touche F5]";
    std::string CDPlayer = "Lecteur de CD audio [Touche F6]";
    std::string Minimize = "R\xE9" "duire l'application [Touche F7]";
    std::string Zoom = "Afficher/Masquer la fen\xEAtre de zoom [Touche F8]";
    std::string Start = "Commencer une partie [Touche F9]";
    std::string Continue = "Continuer la partie en cours [Touche F9]";
    std::string Stop = "Arr\xEAter la partie en cours [Touche F10]";
    std::string Exit = "Quitter le Jeu du Garvo [Touche F10]";
    std::string EditDictionary = "Cr\xE9" "er ou modifier un dictionnaire [Touches Ctrl-F3]";
    std::string Copy = "Co&pier tout";
    std::string CopySelection = "Co&pier la s\xE9lection";
    std::string Print = "Im&primer";
    std::string IncreaseFontSize = "&Augmenter la taille des caract\xE8res";
    std::string DecreaseFontSize = "&Diminuer la taille des caract\xE8res";
    std::string TimeRemaining = "Temps restant";
    std::string OpenDialogTitle = "Ouvrir un dictionnaire";
    std::string DictionaryFilter = "Dictionnaire";
    std::string AllFilesFilter = "Tous les fichiers";
    std::string PrintFailed = "Impression impossible\xA0: aucune imprimante n'est pr\xEAte.";
};

// Yellow: the masked word and the name of the player whose turn it is.
inline const QColor HighlightTextColor{255, 255, 0};

// The French texts the game's code keeps for later (information page, round labels, player
// name, zoom menu) and the engine's messages in French: what a language file that gives
// nothing leaves.
void SetDefaultLanguageTexts();

// Result of the last engine call and the engine's messages in the current language.
extern dictionary::TDictionaryError DictionaryError;
extern dictionary::TDictionaryTranslation DictionaryTranslation;

// The dictionary named on the command line: the first argument whose lower-case form holds
// "/d=", from its fourth character on (Arguments without the program's own name).
std::optional<std::string> DictionaryPathFromArguments(const std::vector<std::string>& arguments);

// Pages (TfrmMainPages.cpp).

using htmlview::DesktopLinkTarget;
using htmlview::WrapHtmlPageInFolder;
// The folder relative pictures and links of a page resolve against: the open dictionary's, else
// the program's.
std::string PageBaseFolder();
// The page shown while no dictionary is open.
std::string WelcomePage();
// The information page of the dictionary at Path.
std::string BuildDictionaryInfo(const std::string& path, const std::string& description, int32_t wordCount);
// The description file beside the dictionary at Path (".htm"): its text up to the first NUL,
// trimmed; empty when there is none. A file that cannot be read raises EInOutError.
std::string ReadDictionaryDescription(const std::string& path);

// The dictionary utility in the program folder.
std::string UtilityProgramPath();

class TfrmMain : public QWidget {
    Q_OBJECT
public:
    // Shows the current player's name (after the options change the players).
    void ShowPlayer();
    static constexpr int ClientWidth = 800;
    static constexpr int ClientHeight = 600;
    static constexpr int GallowsPictureCount = 8;
    static constexpr int DigitPictureCount = 11;

    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Reads the settings and the command line, opens the dictionary (offering the open dialog
    // when it cannot be opened) and places the window. Arguments: without the program's name.
    void FormCreate(const std::vector<std::string>& arguments);

    TMainTexts Texts;
    // -1 from creation to the first show, then 0.
    int32_t Tag = 0;
    // The screen is as wide as the window: the game keeps the taskbar hidden while it has the
    // screen.
    bool TaskbarHidden = false;

    // Controls, by their names in the window's layout.
    QLabel* imgBackground;
    QLabel* imgLogo;
    QLabel* TitleImage;
    QLabel* GallowsImage;
    QLabel* lblWord;
    QProgressBar* prgBar;
    QTextEdit* edtWord;
    htmlview::THtmlView* htmlViewer;
    QLabel* lblScore;
    QLabel* imgTime;
    QLabel* lblTimeRemaining;
    QLabel* lblPlayerName;
    QLabel* lblTriesRemaining;
    TPictureButton* btnHelp;
    TPictureButton* btnOpen;
    TPictureButton* btnViewScore;
    TPictureButton* btnOption;
    TPictureButton* btnAbout;
    TPictureButton* btnCDPlayer;
    TPictureButton* btnMagnify;
    TPictureButton* btnEdit;
    TPictureButton* btnMinimize;
    TPictureButton* btnExit;
    TPictureButton* btnStart;
    TPictureButton* btnContinue;
    TPictureButton* btnStop;
    std::array<TPictureButton*, 26> LetterKeys; // btnA .. btnZ
    QTimer timTimer;
    TBuiltInPictureList imglstPictures{QStringLiteral("gallows"), GallowsPictureCount};
    TBuiltInPictureList imglstDigits{QStringLiteral("digits"), DigitPictureCount};

    // The letter key of Letter (a..z, A..Z); null for any other character.
    TPictureButton* LetterKey(char letter) const;

    // Shell (TfrmMain.cpp).
    void FormShow();
    void FormClose();
    void FormKeyUp(int key, Qt::KeyboardModifiers modifiers);
    void btnExitClick();
    void btnAboutClick();
    void btnCDPlayerClick();
    void btnOptionClick();
    void btnViewScoreClick();
    void btnMinimizeClick();
    void btnHelpClick();
    void btnEditClick();
    void btnMagnifyClick();
    void OnRestore();
    void ShowZoomWindow();
    void LayoutWordAndViewer();
    // Puts Texts on the controls (the language loader has just filled them).
    void ShowTexts();

    // Dictionaries (TfrmMainDictionary.cpp).
    void btnOpenClick();
    void LoadDictionary(dictionary::TDictionaryFile dictionary);

    // Pages (TfrmMainPages.cpp).
    void ShowHtml(const std::string& fragment);
    void ShowDictionaryInfo();
    void htmlViewerHotSpotClick(const std::string& url, bool& handled);

    // The round (TfrmMainRound.cpp).
    void btnStartClick();
    void btnContinueClick();
    void btnStopClick();
    void kbButtonsClick(TPictureButton* key);
    void FormKeyPress(char key);
    void timTimerTimer();
    void DrawCounter(int32_t seconds, bool on);
    void DrawGallows(int32_t picture);
    void EnableLetterKeys(bool on);
    void ArrangeKeyboard();

signals:
    // The side windows that this window opens but does not own: each is shown by whoever
    // connects here (modally for the options and about windows).
    void OptionsRequested();
    void AboutRequested();
    void CDPlayerRequested();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Building (TfrmMain.cpp).
    void CreateControls();
    void CreateButtons();
    void PlaceControls();
    void ConnectControls();
    void LoadPictures();
    void LoadLanguageTexts();
    void PreviewKeys();
    void StoreZoomWindow();
    void SaveSettings(); // the options, places and text size

    // Opening (TfrmMainDictionary.cpp).
    void OpenDictionaryAtStart();
    bool InitializeDictionary(dictionary::TDictionaryFile& dictionary);
    void ShowDictionaryError(const dictionary::TDictionaryFile& dictionary);
    void ForgetDictionary();

    // The round (TfrmMainRound.cpp).
    void DrawWord(bool firstOfGame);
    void ShowScore();
    void DisableShownLetterKeys(const std::string& compareMask);
    void ShowWordAndDefinition();
    void FocusFirstLetterKey();
    void ShowMask(const std::string& text);
    void PlayLetter(char letter);
    void CheckRoundOutcome();
    void EndOfWord();
    void RankSinglePlayer();
    void RankPlayers();
    void ResetAfterGame();

    TWindowDrag* drag_;
    std::unique_ptr<platform::TQtProgress> progress_;
    QPixmap timePicture_;
    // The side windows that went down with the main window, to come back with it.
    std::vector<QPointer<QWidget>> minimisedWindows_;
};

extern TfrmMain* frmMain;

} // namespace game
