// The utility's program entry: the application, the main window with the command line, the
// about window, and the event loop until the main window closes.
#include "htmlview/HtmlImageCache.h"
#include "htmlview/ViewerCursors.h"
#include "platform/Dialogs.h"
#include "platform/Windows1252.h"
#include "utility/Index.h"
#include "utility/UtilityResources.h"
#include "utility/unitAbout.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <cstdlib>
#include <cstring>
#include <exception>
#include <vector>

namespace {

// No exception leaves an event handler: the error is shown, and the utility goes on.
class TLexorimApplication : public QApplication {
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

// Windows are placed where the program puts them, which X11 allows and Wayland does not.
void PreferX11(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strncmp(argv[i], "-platform=", 10) == 0)
            return;
    qputenv("QT_QPA_PLATFORM", "xcb");
}

// The command line after the program's name in Windows-1252. A name the code page cannot hold
// could not be opened: it is refused, and counts as a file that does not exist.
std::vector<std::string> Arguments()
{
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    std::vector<std::string> ansi;
    for (const QString& argument : arguments) {
        std::string text;
        if (!platform::UnicodeToAnsi(argument, text)) {
            platform::ErrorBox("Nom de fichier illisible / Unreadable file name: "
                               + std::string(argument.toLatin1().constData()));
            text.clear();
        }
        ansi.push_back(text);
    }
    return ansi;
}

std::string ProgramFolder()
{
    std::string folder;
    platform::UnicodeToAnsi(QDir::fromNativeSeparators(QApplication::applicationDirPath()), folder);
    return folder + "/";
}

} // namespace

int main(int argc, char** argv)
{
    PreferX11(argc, argv);
    TLexorimApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lexorim"));
    utility::InitUtilityResources();
    htmlview::StartViewerCursors();
    htmlview::StartPictureUnit();
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/lexorim/icon.png")));

    int result = EXIT_FAILURE;
    {
        utility::TfrmIndex mainWindow(ProgramFolder());
        utility::frmIndex = &mainWindow;
        utility::TfrmAbout aboutWindow(&mainWindow);
        utility::frmAbout = &aboutWindow;
        // A dictionary that cannot be read is reported; the window stays for another choice.
        try {
            mainWindow.FormCreate(Arguments());
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
