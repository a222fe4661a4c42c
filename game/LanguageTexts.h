#pragma once
// Every text the game's windows show comes from the current language file, and their pictures
// and text colours from the current theme; each text has a French default built into the game,
// used whenever the file gives nothing. LoadLanguageTexts fills one window at a time and keeps
// the texts the game's code uses later (information page, round labels, result messages...).
#include "game/ThemeLoader.h"

#include <QColor>

#include <cstdint>
#include <functional>
#include <string>

namespace game {

// Loads the part of WindowName ("frmMain", "frmOptions", "frmAbout", "frmCDPlayer",
// "frmScores", "frmZoom"; letter case aside) from the files of ThemeFolder and LanguageFolder.
// A part runs only while its window exists; any other name loads nothing. Mode matters only for
// the scores window: its ScoresWindowMode.
void LoadLanguageTexts(const std::string& windowName, int32_t mode);

// A window's part of the loader, for the windows that bring their own (options, CD player).
using TLanguagePart = std::function<void(const TThemeFiles& files, int32_t mode)>;
// Sets (or, with an empty Part, removes) the part run for WindowName.
void SetLanguagePart(const std::string& windowName, TLanguagePart part);

// The options window's texts (section "Options") and colours (theme section "WindowOptions").
struct TOptionsTexts {
    std::string Title = "Options";
    std::string KeyboardDisposition = "Disposition du clavier";
    std::string DifficultyLevel = "Niveau de difficult\xE9";
    std::string VeryEasyLevel = "Tr\xE8s facile";
    std::string EasyLevel = "Normal";
    std::string HardLevel = "Difficile";
    std::string VeryHardLevel = "Tr\xE8s difficile";
    std::string VeryEasyLevelHint = "La premi\xE8re, la derni\xE8re lettre et la d\xE9" "finition seront affich\xE9" "es.";
    std::string EasyLevelHint = "La premi\xE8re et la derni\xE8re lettre seront affich\xE9" "es.";
    std::string HardLevelHint = "La definition seule sera affich\xE9" "e.";
    std::string VeryHardLevelHint = "Ni lettres, ni d\xE9" "finition ne seront affich\xE9" "es.";
    std::string Miscellaneous = "Divers";
    std::string UseSounds = "Utiliser les sons";
    std::string UseTheme = "Utiliser le th\xE8me";
    std::string UpperCaseDisplay = "Afficher en majuscule";
    std::string GameMode = "Type de jeu";
    std::string PlayAgainstTime = "Contre la montre";
    std::string Second = "secondes";
    std::string MultiPlayers = "Jouer \xE0 plusieurs";
    std::string Players = "joueurs";
    std::string PlayersNames = "Nom des joueurs";
    std::string ClickToChange = "Double-cliquez pour changer le nom";
    QColor TitleColor{255, 255, 255};
    QColor TitleShadowColor{128, 128, 128};
    QColor NormalColor{0, 0, 0}; // every other label of the window
};
TOptionsTexts ReadOptionsTexts(const TThemeFiles& files);

// The CD player's texts (section "CD-Player"); its status texts go to CDStatusTexts.
struct TCDPlayerTexts {
    std::string NumberOfTracks = "Nombre de pistes:";
    std::string CurrentTrack = "Piste courante:";
    std::string TrackTime = "Dur\xE9" "e:";
    std::string ElapsedTime = "Ecoul\xE9" "e:";
    std::string FastRewind = "Retour rapide";
    std::string FastForward = "Avance rapide";
    std::string Play = "Lire le CD";
    std::string PreviousTrack = "Piste pr\xE9" "c\xE9" "dente";
    std::string NextTrack = "Piste suivante";
    std::string Stop = "Arr\xEAter";
    std::string Pause = "Pause";
    std::string Eject = "Ejecter le disque CD";
    std::string Exit = "Fermer le lecteur CD";
    std::string ChangeTextColor = "Couleur du &texte";
    // What the drive layer reports.
    std::string NoCDAudioSupport = "Les CD audio ne sont pas pris en charge";
    std::string NoDriveOpen = "Aucun lecteur n'est ouvert";
    std::string NoDisc = "Aucun disque dans le lecteur";
    std::string DriveDoesNotAnswer = "Le lecteur ne r\xE9pond pas";
    std::string CannotOpenDrive = "Impossible d'ouvrir le lecteur"; // followed by the drive
    std::string CommandRefused = "Le lecteur a refus\xE9 la commande";
    std::string UnreadableTableOfContents = "La table des mati\xE8res du disque est illisible";
    std::string NoSuchTrack = "Piste absente du disque\xA0:"; // followed by its number
};
// A status text holds at most this many characters.
constexpr size_t CDStatusTextLength = 20;
// Reads the window's texts and fills CDStatusTexts.
TCDPlayerTexts ReadCDPlayerTexts(const TThemeFiles& files);

// The language selection window's button caption of the language file at Path: "Démarrer" when
// the file or the key is missing; an empty value stays empty.
std::string StartCaption(const std::string& languageFilePath);

} // namespace game
