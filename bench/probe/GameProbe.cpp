// The game's start as its main() runs it, without the single-instance lock, for the start-up
// benchmark: it links what the game links and reports when the main window has painted.
//
//   garvo_game_probe FOLDER      FOLDER as program folder
#include "FirstPaint.h"

#include "game/GameResources.h"
#include "game/StartUp.h"
#include "game/TfrmMain.h"
#include "game/TfrmSplashScreen.h"
#include "game/unitCursors.h"
#include "htmlview/HtmlImageCache.h"
#include "htmlview/ViewerCursors.h"
#include "platform/Application.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

int main(int argc, char** argv)
{
    platform::TGuardedApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return EXIT_FAILURE;
    }
    QApplication::setApplicationName(QString::fromStdString(game::GameTitle));
    game::InitGameResources();
    if (!game::CheckScreen())
        return EXIT_FAILURE;
    htmlview::StartViewerCursors();
    htmlview::StartPictureUnit();
    game::LoadCursors();
    game::SetProgramPaths(argv[1]);
    game::ChooseLanguageIfNeeded();
    auto splash = std::make_unique<game::TfrmSplashScreen>();
    splash->ShowNow();
    game::TGameWindows windows({});
    probe::TFirstPaint report(game::frmMain, [] { return true; });
    windows.Show();
    splash.reset();
    return QApplication::exec();
}
