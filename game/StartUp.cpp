#include "game/StartUp.h"

#include "game/DefinitionViewCommands.h"
#include "game/LanguageTexts.h"
#include "game/TfrmAbout.h"
#include "game/TfrmCDPlayer.h"
#include "game/TfrmMain.h"
#include "game/TfrmOptions.h"
#include "game/TfrmScores.h"
#include "game/TfrmSelectLanguage.h"
#include "game/TfrmZoom.h"
#include "game/ThemeLoader.h"
#include "game/globalDefs.h"
#include "game/unitCursors.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"
#include "platform/ReplacedFile.h"
#include "platform/Screen.h"
#include "platform/Windows1252.h"

#include <QDir>
#include <QListWidget>
#include <QStandardPaths>

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace game {

namespace {

constexpr int MinScreenWidth = 800;
constexpr int MinScreenHeight = 600;
constexpr double MinScreenColors = 32765;

// This user's plain file at Path, made when missing; never opened through a link, never waited
// on (a pipe). PlaceTaken: something else is there, or may be.
int OpenOwnPlainFile(const std::string& path, bool& placeTaken)
{
    const int file = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600);
    if (file < 0) {
        placeTaken = errno != ENOENT && errno != ENOTDIR;
        return -1;
    }
    struct stat info {};
    if (::fstat(file, &info) == 0 && S_ISREG(info.st_mode) && info.st_uid == ::geteuid())
        return file;
    ::close(file);
    placeTaken = true;
    return -1;
}

// Removes what is at Path when this user may: a link itself (not what it points to), a file,
// an empty folder.
void ClearPlace(const std::string& path)
{
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0)
        return;
    if (S_ISDIR(info.st_mode))
        ::rmdir(path.c_str());
    else
        ::unlink(path.c_str());
}

// The lock file at Path, its place cleared first when something else is there; -1 when it
// cannot be had. FolderMissing: there is no folder to hold it.
int OpenLockFile(const std::string& path, bool& folderMissing)
{
    // Once more after clearing the place: another copy starting may have cleared it first.
    for (int attempt = 0; attempt < 2; ++attempt) {
        bool placeTaken = false;
        const int file = OpenOwnPlainFile(path, placeTaken);
        if (file >= 0 || !placeTaken) {
            folderMissing = file < 0;
            return file;
        }
        ClearPlace(path);
    }
    return -1;
}

enum class TLockFile { Locked, Held, NoPlace, NoFolder };

// Locks the lock file at Path without waiting; File is then open on it. Once more when the name
// no longer is the file locked: it was removed or replaced meanwhile, and a copy starting since
// may hold the new one.
TLockFile LockFileAt(const std::string& path, int& file)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        bool folderMissing = false;
        file = OpenLockFile(path, folderMissing);
        if (folderMissing)
            return TLockFile::NoFolder;
        if (file < 0)
            return TLockFile::NoPlace;
        if (::flock(file, LOCK_EX | LOCK_NB) != 0) {
            const bool held = errno == EWOULDBLOCK;
            ::close(file);
            return held ? TLockFile::Held : TLockFile::NoPlace;
        }
        if (platform::StillNamed(file, path)) {
            // A file of the runtime folder that carries the sticky bit is not cleaned up.
            ::fchmod(file, S_ISVTX | S_IRUSR | S_IWUSR);
            return TLockFile::Locked;
        }
        ::close(file);
    }
    return TLockFile::NoPlace;
}

} // namespace

bool ScreenIsSuitable(int width, int height, int bitsPerPixel)
{
    const double colors = std::pow(2.0, bitsPerPixel);
    return colors >= MinScreenColors && width >= MinScreenWidth && height >= MinScreenHeight;
}

bool CheckScreen()
{
    if (ScreenIsSuitable(platform::ScreenWidth(), platform::ScreenHeight(), platform::ScreenBitsPerPixel()))
        return true;
    platform::MessageBox("D\xE9sol\xE9, mais ce jeu n\xE9" "c\xE9ssite au moins une d\xE9" "finition de 800x600 et "
                         "32765 couleurs !",
                         GameTitle, platform::MB_OK);
    return false;
}

TSingleInstance::TSingleInstance(const std::string& folder) : folder_(folder) {}

TSingleInstance::~TSingleInstance()
{
    Release();
}

TSingleInstance::TResult TSingleInstance::Acquire()
{
    bool held = false;
    for (int sibling = 0; sibling < LockNames && !held; ++sibling) {
        int file = -1;
        const TLockFile lock = LockFileAt(platform::NativePath(folder_ + "/" + LockFileName(sibling)), file);
        if (lock == TLockFile::NoFolder)
            break;
        if (lock == TLockFile::Locked)
            lockFiles_.push_back(file);
        held = lock == TLockFile::Held;
    }
    if (!held && lockFiles_.empty())
        return TResult::Unavailable;
    // The lock files may have been removed while the copy holding them runs: it still holds its
    // name, which no removal reaches.
    if (!held)
        held = runningName_.Take(RunningName(folder_)) == platform::THeldName::TResult::HeldByThisUser;
    if (held) {
        Release();
        platform::MessageBox("Ce jeu est d\xE9j\xE0 charg\xE9 !", GameTitle, platform::MB_OK);
        return TResult::AlreadyRunning;
    }
    return TResult::Acquired;
}

std::string TSingleInstance::RunningName(const std::string& folder)
{
    // The folder by its device and inode: short, and the same whichever path leads to it.
    struct stat info {};
    if (::stat(platform::NativePath(folder).c_str(), &info) != 0)
        return {};
    return LockName + " " + std::to_string(::geteuid()) + " " + std::to_string(info.st_dev) + ":"
           + std::to_string(info.st_ino);
}

std::string TSingleInstance::LockFileName(int sibling)
{
    return LockName + (sibling == 0 ? std::string() : "-" + std::to_string(sibling)) + ".lock";
}

void TSingleInstance::Release()
{
    for (const int file : lockFiles_)
        ::close(file);
    lockFiles_.clear();
}

std::string TSingleInstance::RuntimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return platform::PathFromUnicode(folder);
}

void SetProgramPaths(const std::string& folder)
{
    ProgramFolder = folder.empty() || folder.back() == '/' ? folder : folder + "/";
    HelpFolder = ProgramFolder + "Aide/";
    SoundsFolder = ProgramFolder + "Sons/";
    ThemesFolder = ProgramFolder + "Themes/";
    SettingsFilePath = ProgramFolder + "garvo.ini";
    ScoresFilePath = ProgramFolder + "scores.ini";

    SiteAddressFrench = "http://www.velmora.fr/garvo/";
    SiteAddressOther = "http://www.velmora.fr/garvo/english/";
    AuthorName = "Velmora";
    MailAddress1 = "garvo@velmora.fr";
    MailName1 = "l'auteur du jeu";
    MailAddress2 = "dictionnaires@velmora.fr";
    MailName2 = "l'auteur des dictionnaires";
    AssociationSiteAddress = "http://www.umbo.asso.fr/";
    AssociationName = "l'U.M.B.O.";
}

bool LanguageChoiceNeeded()
{
    return platform::TIniFile(SettingsFilePath).ReadString("Theme", "Language", "").empty();
}

void ChooseLanguageIfNeeded()
{
    if (!LanguageChoiceNeeded())
        return;
    TfrmSelectLanguage window;
    if (window.lbLanguages->count() > 0)
        window.exec();
}

TGameWindows::TGameWindows(const std::vector<std::string>& arguments)
{
    const TSharedPictureReads sharedReads;
    main_ = std::make_unique<TfrmMain>();
    TfrmMain* main = main_.get();
    frmMain = main;
    main->FormCreate(arguments);
    ApplyCursors(main);

    zoom_ = std::make_unique<TfrmZoom>();
    frmZoom = zoom_.get();
    ApplyCursors(frmZoom);
    QObject::connect(frmZoom, &TfrmZoom::KeyPress, main, &TfrmMain::FormKeyPress);
    QObject::connect(frmZoom, &TfrmZoom::TextsNeeded, frmZoom, [](int mode) { LoadLanguageTexts("frmZoom", mode); });

    cdPlayer_ = std::make_unique<TfrmCDPlayer>();
    frmCDPlayer = cdPlayer_.get();
    ApplyCursors(frmCDPlayer);
    QObject::connect(main, &TfrmMain::CDPlayerRequested, frmCDPlayer, &TfrmCDPlayer::ShowWindow);
    QObject::connect(frmCDPlayer, &TfrmCDPlayer::HelpRequested, main, &TfrmMain::btnHelpClick);

    // The dialogs belong to the main window, which they stay over; each clears its global
    // pointer when it goes.
    frmOptions = new TfrmOptions(main);
    ApplyCursors(frmOptions);
    QObject::connect(main, &TfrmMain::OptionsRequested, main, [main] { ShowOptionsAndApply(*main); });
    QObject::connect(frmOptions, &TfrmOptions::HelpRequested, main, &TfrmMain::btnHelpClick);
    InstallDefinitionViewMenu(*main);

    auto* about = new TfrmAbout(main);
    frmAbout = about;
    about->FormCreate();
    ApplyCursors(about);
    QObject::connect(main, &TfrmMain::AboutRequested, about, [about] { about->exec(); });
    QObject::connect(about, &TfrmAbout::HelpRequested, main, &TfrmMain::btnHelpClick);

    frmScores = new TfrmScores(main);
    ApplyCursors(frmScores);
    QObject::connect(frmScores, &TfrmScores::TextsNeeded, frmScores,
                     [](int mode) { LoadLanguageTexts("frmScores", mode); });
    QObject::connect(frmScores, &TfrmScores::HelpRequested, main, &TfrmMain::btnHelpClick);
}

TGameWindows::~TGameWindows() = default;

void TGameWindows::Show()
{
    main_->show();
    if (ZoomWindowVisible == 1)
        main_->ShowZoomWindow();
    main_->activateWindow();
    main_->setFocus();
}

} // namespace game
