// The game's program entry: the screen check, one running copy, the cursors, the program's
// folders, the language of a first run, the windows made behind the splash picture, and the
// event loop until the main window closes.
#include "game/GameResources.h"
#include "game/StartUp.h"
#include "game/TfrmSplashScreen.h"
#include "game/unitCursors.h"
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

// The game from its first window to the end of its event loop.
int RunGame()
{
    game::LoadCursors();
    game::SetProgramPaths(AnsiText(QDir::fromNativeSeparators(QApplication::applicationDirPath())));
    game::ChooseLanguageIfNeeded();

    auto splash = std::make_unique<game::TfrmSplashScreen>();
    splash->ShowNow();
    game::TGameWindows windows(Arguments());
    windows.Show();
    splash.reset();
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    PreferX11(argc, argv);
    TGarvoApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromStdString(game::GameTitle));
    game::InitGameResources();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/garvo.png")));

    if (!game::CheckScreen())
        return EXIT_FAILURE;
    game::TSingleInstance instance;
    if (instance.Acquire() == game::TSingleInstance::TResult::AlreadyRunning)
        return EXIT_FAILURE;

    htmlview::StartViewerCursors();
    int result = EXIT_FAILURE;
    try {
        result = RunGame();
    } catch (const std::exception& error) {
        platform::ErrorBox(error.what());
    }
    htmlview::StopViewerCursors();
    return result;
}
