// The game's program entry: the screen check, one running copy, the cursors, the program's
// folders, the language of a first run, the windows made behind the splash picture, and the
// event loop until the main window closes.
#include "game/GameResources.h"
#include "game/StartUp.h"
#include "game/TfrmSplashScreen.h"
#include "game/globalDefs.h"
#include "game/unitCursors.h"
#include "htmlview/HtmlImageCache.h"
#include "htmlview/ViewerCursors.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/ProcessSignals.h"
#include "platform/ProgramFolder.h"

#include <QIcon>

#include <cstdlib>
#include <exception>
#include <memory>

namespace {

// The game from its first window to the end of its event loop.
int RunGame()
{
    game::LoadCursors();
    game::ResetGameState();
    game::SetProgramPaths(platform::ResolveProgramFolder(platform::NativeExecutableFolder()));
    game::ChooseLanguageIfNeeded();

    auto splash = std::make_unique<game::TfrmSplashScreen>();
    splash->ShowNow();
    game::TGameWindows windows(platform::ProgramArguments());
    windows.Show();
    splash.reset();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    platform::IgnoreFileSizeSignal();
    platform::PreferX11(argc, argv);
    platform::TGuardedApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(game::GameTitle));
    game::InitGameResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/garvo.png")));

    if (!game::CheckScreen())
        return EXIT_FAILURE;
    game::TSingleInstance instance;
    if (instance.Acquire() == game::TSingleInstance::TResult::AlreadyRunning)
        return EXIT_FAILURE;

    htmlview::StartViewerCursors();
    htmlview::StartPictureUnit();
    int result = EXIT_FAILURE;
    try {
        result = RunGame();
    } catch (const std::exception& error) {
        platform::ErrorBox(error.what());
    }
    htmlview::StopPictureUnit();
    htmlview::StopViewerCursors();
    return result;
}
