// The utility's program entry: the application, the main window with the command line, the
// about window, and the event loop until the main window closes.
#include "htmlview/HtmlImageCache.h"
#include "htmlview/ViewerCursors.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/ProcessSignals.h"
#include "platform/ProgramFolder.h"
#include "utility/Index.h"
#include "utility/UtilityResources.h"
#include "utility/unitAbout.h"

#include <QIcon>

#include <cstdlib>
#include <exception>

int main(int argc, char** argv)
{
    platform::IgnoreFileSizeSignal();
    platform::PreferX11(argc, argv);
    platform::TGuardedApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lexorim"));
    utility::InitUtilityResources();
    htmlview::StartViewerCursors();
    htmlview::StartPictureUnit();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/lexorim/icon.png")));

    int result = EXIT_FAILURE;
    {
        utility::TfrmIndex mainWindow(platform::ResolveProgramFolder(platform::NativeExecutableFolder()) + "/");
        utility::frmIndex = &mainWindow;
        utility::TfrmAbout aboutWindow(&mainWindow);
        utility::frmAbout = &aboutWindow;
        // A dictionary that cannot be read is reported; the window stays for another choice.
        try {
            mainWindow.FormCreate(platform::ProgramArguments());
        } catch (const std::exception& error) {
            platform::ErrorBox(error.what(), &mainWindow);
        }
        result = QApplication::exec();
        utility::frmAbout = nullptr;
    }
    htmlview::StopPictureUnit();
    htmlview::StopViewerCursors();
    return result;
}
