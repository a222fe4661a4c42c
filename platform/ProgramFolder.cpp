#include "platform/ProgramFolder.h"

#include "platform/Dialogs.h"
#include "platform/Windows1252.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
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

bool CopyMissingFiles(const std::string& source, const std::string& target)
{
    const QDir from(QtPath(source));
    const QDir to(QtPath(target));
    bool copiedAll = true;
    QDirIterator files(from.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString relative = from.relativeFilePath(files.next());
        const QString destination = to.filePath(relative);
        // A link to nowhere counts as present: it is the user's, not ours to replace.
        if (QFileInfo(destination).exists() || QFileInfo(destination).isSymLink())
            continue;
        if (!to.mkpath(QFileInfo(relative).path()) || !QFile::copy(files.filePath(), destination))
            copiedAll = false;
        else
            // A copy of a read-only installed file must stay editable by its user.
            QFile::setPermissions(destination, QFile::permissions(destination) | QFileDevice::WriteOwner);
    }
    return copiedAll;
}

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
    if (!QDir().mkpath(QtPath(user)) || !CopyMissingFiles(installed, user))
        ErrorBox("Les fichiers du jeu n'ont pas tous pu \xEAtre copi\xE9s dans " + user
                 + " / Not every file of the game could be copied into " + user);
    return user;
}

} // namespace platform
