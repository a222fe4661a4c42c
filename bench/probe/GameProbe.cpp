// A program started by the start-up benchmarks: it goes through one program's start the way
// that program does, and when the first thing worth waiting for is on screen it prints the
// monotonic clock in nanoseconds and exits at once, so that its parent measures from the start
// of the process to that moment.
//
//   garvo_startup_probe bare                    a bare frameless window of the game's size
//   garvo_startup_probe garvo FOLDER            the game's windows, FOLDER as program folder
//   garvo_startup_probe lexorim FOLDER FILE     the utility's window with FILE's word list
#include "game/GameResources.h"
#include "game/StartUp.h"
#include "game/TfrmMain.h"
#include "game/TfrmSplashScreen.h"
#include "game/unitCursors.h"
#include "htmlview/HtmlImageCache.h"
#include "htmlview/ViewerCursors.h"
#include "platform/Application.h"
#include "utility/Index.h"
#include "utility/UtilityResources.h"
#include "utility/unitUserList.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

// Reports the moment once Target has painted and Ready says the paint showed what is awaited.
class TFirstPaint : public QObject {
public:
    TFirstPaint(QWidget* target, std::function<bool()> ready) : ready_(std::move(ready))
    {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        // The paint runs after this filter: the report waits for the next turn of the loop.
        if (event->type() == QEvent::Paint && ready_())
            QTimer::singleShot(0, [] { ReportAndExit(); });
        return false;
    }

private:
    [[noreturn]] static void ReportAndExit()
    {
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        std::printf("%lld\n", static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
        std::fflush(stdout);
        ::_exit(EXIT_SUCCESS); // the teardown is not part of the start
    }

    std::function<bool()> ready_;
};

int RunBare()
{
    QWidget window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(game::TfrmMain::ClientWidth, game::TfrmMain::ClientHeight);
    TFirstPaint probe(&window, [] { return true; });
    window.show();
    return QApplication::exec();
}

// The game's own start, as its main() runs it, without the single-instance lock.
int RunGarvo(const std::string& folder)
{
    QApplication::setApplicationName(QString::fromStdString(game::GameTitle));
    game::InitGameResources();
    if (!game::CheckScreen())
        return EXIT_FAILURE;
    htmlview::StartViewerCursors();
    htmlview::StartPictureUnit();
    game::LoadCursors();
    game::SetProgramPaths(folder);
    game::ChooseLanguageIfNeeded();
    auto splash = std::make_unique<game::TfrmSplashScreen>();
    splash->ShowNow();
    game::TGameWindows windows({});
    TFirstPaint probe(game::frmMain, [] { return true; });
    windows.Show();
    splash.reset();
    return QApplication::exec();
}

// The utility's own start with one dictionary on its command line; done when the list paints
// its words.
int RunLexorim(const std::string& folder, const std::string& file)
{
    QApplication::setApplicationName(QStringLiteral("Lexorim"));
    utility::InitUtilityResources();
    htmlview::StartViewerCursors();
    htmlview::StartPictureUnit();
    utility::TfrmIndex window(folder + "/");
    utility::frmIndex = &window;
    TFirstPaint probe(window.pbList, [] {
        return !utility::UserList.Empty && utility::UserList.MaxIndex > 0
            && dictionary::WordArray.size() > static_cast<size_t>(utility::UserList.MaxIndex)
            && !dictionary::WordArray[static_cast<size_t>(utility::UserList.MaxIndex)].empty();
    });
    window.FormCreate({file});
    return QApplication::exec();
}

} // namespace

int main(int argc, char** argv)
{
    platform::TGuardedApplication application(argc, argv);
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "bare" && argc == 2)
        return RunBare();
    if (mode == "garvo" && argc == 3)
        return RunGarvo(argv[2]);
    if (mode == "lexorim" && argc == 4)
        return RunLexorim(argv[2], argv[3]);
    std::fprintf(stderr, "usage: %s bare | garvo FOLDER | lexorim FOLDER FILE\n", argv[0]);
    return EXIT_FAILURE;
}
