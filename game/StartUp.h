#pragma once
// The steps of the game's start-up, in the order main() takes them: the screen check, the
// single-instance lock, the program paths, the language choice of a first run, and the game's
// windows, made and shown behind the splash window.
#include "platform/HeldName.h"

#include <memory>
#include <string>
#include <vector>

namespace game {

class TfrmCDPlayer;
class TfrmMain;
class TfrmZoom;

// The caption of the start-up's message boxes.
inline const std::string GameTitle = "Le Jeu du Garvo";

// Whether a screen of Width x Height pixels with 2 ^ BitsPerPixel colours can show the game:
// at least 800 x 600 and 32765 colours.
bool ScreenIsSuitable(int width, int height, int bitsPerPixel);
// The same for the platform's screen; when it fails, the player is told why.
bool CheckScreen();

// One running copy of the game: a file named after the game in Folder (the user's runtime
// folder by default), locked for as long as the copy runs. The kernel drops the lock when its
// holder ends, however it ends, so only a running copy keeps another from starting. Something
// else in the lock file's place (a folder, a link, a pipe, another user's file) is removed when
// it may be; a link is never followed. So that such a thing that stays cannot let two copies run,
// the lock has sibling names and a running copy holds every one it can: a copy starting later
// meets it under any of them that it can use. Two copies starting at once take the names in the
// same order, never waiting, so the first to lock a name both can use runs and the other stops.
// The files carry the sticky bit, which keeps a clean-up of the runtime folder away from them;
// and since a removal may reach them all the same, a running copy also holds a name of its own
// for the folder (THeldName), which a copy starting later meets once it has locked new files.
class TSingleInstance {
public:
    enum class TResult { Acquired, AlreadyRunning, Unavailable };

    explicit TSingleInstance(const std::string& folder = RuntimeFolder());
    ~TSingleInstance();
    TSingleInstance(const TSingleInstance&) = delete;
    TSingleInstance& operator=(const TSingleInstance&) = delete;

    // Acquired: this copy runs alone. AlreadyRunning: another copy holds the lock, and the
    // player has been told. Unavailable: no lock could be made; the game runs anyway.
    TResult Acquire();

    static std::string RuntimeFolder();
    static inline const std::string LockName = "Le Jeu Du Garvo - Velmora";
    // How many names the lock has: the main one and its siblings "-1", "-2" ...
    static constexpr int LockNames = 4;
    static std::string LockFileName(int sibling);
    // The name a running copy holds for Folder, this user's alone; empty when Folder is missing.
    static std::string RunningName(const std::string& folder);

private:
    void Release();

    std::string folder_;
    std::vector<int> lockFiles_;
    platform::THeldName runningName_;
};

// The program folder (Folder, with the case it has, ending with "/") and the folders and files
// in it; also the about window's links.
void SetProgramPaths(const std::string& folder);

// True when the settings file names no language (section "Theme", key "Language").
bool LanguageChoiceNeeded();
// On a first run, asks for the language with the language selection window. A standard theme
// that offers no language skips the question: the game goes on in its default language.
void ChooseLanguageIfNeeded();

// The game's windows, made in the order main, zoom, CD player, options, about, scores, each
// switched to the custom cursors and wired to the others; they live as long as this object. The
// main, zoom and CD player windows are top-level windows owned here; the options, about and
// scores dialogs belong to the main window.
class TGameWindows {
public:
    // Arguments: the command line without the program's name.
    explicit TGameWindows(const std::vector<std::string>& arguments);
    ~TGameWindows();
    TGameWindows(const TGameWindows&) = delete;
    TGameWindows& operator=(const TGameWindows&) = delete;

    // Shows the main window, and the zoom window when it was open at the last exit.
    void Show();

private:
    std::unique_ptr<TfrmMain> main_;
    std::unique_ptr<TfrmZoom> zoom_;
    std::unique_ptr<TfrmCDPlayer> cdPlayer_;
};

} // namespace game
