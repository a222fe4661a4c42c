#include "platform/Application.h"

#include "platform/Dialogs.h"
#include "platform/Windows1252.h"

#include <QDir>

#include <cstring>
#include <exception>

namespace platform {

void PreferX11(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "-platform") == 0 || std::strncmp(argv[i], "-platform=", 10) == 0)
            return;
    qputenv("QT_QPA_PLATFORM", "xcb");
}

bool TGuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ErrorBox(error.what());
    }
    return false;
}

std::vector<std::string> ProgramArguments()
{
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    std::vector<std::string> paths;
    for (const QString& argument : arguments)
        paths.push_back(PathFromUnicode(argument));
    return paths;
}

std::string ProgramFolderPath()
{
    return PathFromUnicode(QDir::fromNativeSeparators(QApplication::applicationDirPath()));
}

} // namespace platform
