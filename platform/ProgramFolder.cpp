#include "platform/ProgramFolder.h"

#include "platform/Dialogs.h"
#include "platform/UserDataCopy.h"
#include "platform/Windows1252.h"

#include <QDir>
#include <QFileInfo>

namespace platform {
namespace {

QString QtPath(const std::string& path)
{
    return AnsiToUnicode(path);
}

std::string AnsiPath(const QString& path)
{
    return UnicodeToAnsiOrEmpty(QDir::cleanPath(path));
}

} // namespace

std::string UserDataFolder()
{
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return AnsiPath(base + QStringLiteral("/garvo"));
}

std::string InstalledDataFolder(const std::string& executableFolder)
{
    return AnsiPath(QtPath(executableFolder) + QStringLiteral("/../share/garvo"));
}

std::string ResolveProgramFolder(const std::string& executableFolder)
{
    if (QFileInfo(QDir(QtPath(executableFolder)).filePath(QStringLiteral("Themes"))).isDir())
        return executableFolder;
    const std::string installed = InstalledDataFolder(executableFolder);
    if (!QFileInfo(QtPath(installed)).isDir())
        return executableFolder;
    const std::string user = UserDataFolder();
    if (!QDir().mkpath(QtPath(user)) || !UpdateUserCopies(QtPath(installed), QtPath(user)))
        ErrorBox("Les fichiers du jeu n'ont pas tous pu \xEAtre copi\xE9s dans " + user
                 + " / Not every file of the game could be copied into " + user);
    return user;
}

} // namespace platform
