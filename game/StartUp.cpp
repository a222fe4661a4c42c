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
#include "platform/IniFile.h"
#include "platform/Screen.h"

#include <QDir>
#include <QListWidget>
#include <QStandardPaths>

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace game {

namespace {

constexpr int MinScreenWidth = 800;
constexpr int MinScreenHeight = 600;
constexpr double MinScreenColors = 32765;

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

TSingleInstance::TSingleInstance(const std::string& folder)
    : lockPath_(QDir(QString::fromStdString(folder)).filePath(QString::fromStdString(LockName) + QStringLiteral(".lock")))
    , lock_(lockPath_)
{
    // Only a lock whose process has ended is stale: a game running for hours keeps its lock.
    lock_.setStaleLockTime(0);
}

TSingleInstance::TResult TSingleInstance::Acquire()
{
    if (lock_.tryLock(0))
        return TResult::Acquired;
    if (lock_.error() != QLockFile::LockFailedError)
        return TResult::Unavailable;
    if (OwnerUnreadableAndGone() && lock_.removeStaleLockFile() && lock_.tryLock(0))
        return TResult::Acquired;
    platform::MessageBox("Ce jeu est d\xE9j\xE0 charg\xE9 !", GameTitle, platform::MB_OK);
    return TResult::AlreadyRunning;
}

// The lock takes over by itself a lock whose owner it can read and finds ended. A running copy
// holds its lock file locked from the moment it makes it, before it writes itself in, so an owner
// that cannot be read is gone when nobody holds the file so.
bool TSingleInstance::OwnerUnreadableAndGone() const
{
    qint64 pid = 0;
    QString hostName;
    QString appName;
    if (lock_.getLockInfo(&pid, &hostName, &appName))
        return false;
    const int fd = ::open(QFile::encodeName(lockPath_).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return true;
    const bool held = ::flock(fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd); // also releases the lock taken to look
    return !held;
}

std::string TSingleInstance::RuntimeFolder()
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    return folder.toStdString();
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
