// The game's program entry: the application, the program's folders, the windows, and the event
// loop until the main window closes.
#include "game/GameResources.h"
#include "game/TfrmMain.h"
#include "game/TfrmScores.h"
#include "game/TfrmZoom.h"
#include "game/globalDefs.h"
#include "htmlview/ViewerCursors.h"
#include "platform/Dialogs.h"
#include "platform/Windows1252.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <cstdlib>
#include <cstring>
#include <exception>
#include <vector>

namespace {

// No exception leaves an event handler: the error is shown, and the game goes on.
class TGarvoApplication : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            platform::ErrorBox(error.what());
        }
        return false;
    }
};

// Windows are placed where they were left, which X11 allows and Wayland does not.
void PreferX11(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strncmp(argv[i], "-platform=", 10) == 0)
            return;
    qputenv("QT_QPA_PLATFORM", "xcb");
}

std::string AnsiText(const QString& text)
{
    std::string ansi;
    platform::UnicodeToAnsi(text, ansi);
    return ansi;
}

// The program folder is the executable's, with its case as it is; the settings and the scores
// are written there.
void SetProgramPaths()
{
    using namespace game;
    ProgramFolder = AnsiText(QDir::fromNativeSeparators(QApplication::applicationDirPath())) + "/";
    HelpFolder = ProgramFolder + "Aide/";
    SoundsFolder = ProgramFolder + "Sons/";
    ThemesFolder = ProgramFolder + "Themes/";
    SettingsFilePath = ProgramFolder + "garvo.ini";
    ScoresFilePath = ProgramFolder + "scores.ini";
}

// The command line after the program's name, as the game reads it.
std::vector<std::string> Arguments()
{
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    std::vector<std::string> ansi;
    for (const QString& argument : arguments)
        ansi.push_back(AnsiText(argument));
    return ansi;
}

} // namespace

int main(int argc, char** argv)
{
    PreferX11(argc, argv);
    TGarvoApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Le Jeu du Garvo"));
    game::InitGameResources();
    htmlview::StartViewerCursors();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/garvo.png")));
    SetProgramPaths();

    int result = EXIT_FAILURE;
    {
        game::TfrmMain mainWindow;
        game::frmMain = &mainWindow;
        mainWindow.FormCreate(Arguments());
        game::TfrmZoom zoomWindow;
        game::frmZoom = &zoomWindow;
        game::TfrmScores scoresWindow(&mainWindow);
        game::frmScores = &scoresWindow;
        QObject::connect(&zoomWindow, &game::TfrmZoom::KeyPress, &mainWindow, &game::TfrmMain::FormKeyPress);
        QObject::connect(&scoresWindow, &game::TfrmScores::HelpRequested, &mainWindow, &game::TfrmMain::btnHelpClick);

        mainWindow.show();
        if (game::ZoomWindowVisible == 1)
            mainWindow.ShowZoomWindow();
        mainWindow.activateWindow();
        result = QApplication::exec();
    }
    htmlview::StopViewerCursors();
    return result;
}
