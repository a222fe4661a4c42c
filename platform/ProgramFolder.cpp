#include "platform/ProgramFolder.h"

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/UserDataCopy.h"
#include "platform/Windows1252.h"

#include <QCoreApplication>
#include <QDir>

#include <climits>
#include <cstdlib>
#include <unistd.h>

namespace platform {
namespace {

std::string CleanPath(const QString& path)
{
    return PathFromUnicode(QDir::cleanPath(path));
}

// The user's data folder as the system names it: the environment's bytes, which may be no
// valid name at all.
QByteArray NativeUserDataFolder()
{
    QByteArray base = qgetenv("XDG_DATA_HOME");
    if (!base.startsWith('/')) {
        base = qgetenv("HOME");
        if (base.isEmpty())
            base = "/";
        base += "/.local/share";
    }
    return base + "/garvo";
}

// A folder the program cannot reach by its name: the player is told which, and the program ends
// before it writes anything anywhere (at once: its application object still lives).
[[noreturn]] void StopForUnusableFolder(const QString& folder)
{
    const std::string name = PathFromUnicode(folder);
    ErrorBox("Le dossier " + name + " est inutilisable (son nom n'est pas lisible) / The folder " + name
             + " cannot be used (its name cannot be read)");
    std::_Exit(EXIT_FAILURE);
}

} // namespace

std::string UserDataFolder()
{
    std::string folder;
    if (!PathFromNative(NativeUserDataFolder().toStdString(), folder))
        return {};
    return CleanPath(QtNativePath(folder));
}

std::string InstalledDataFolder(const std::string& executableFolder)
{
    return CleanPath(QtNativePath(executableFolder) + QStringLiteral("/../share/garvo"));
}

std::string NativeExecutableFolder()
{
    std::string executable(PATH_MAX, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", executable.data(), executable.size());
    if (length <= 0 || static_cast<size_t>(length) >= executable.size())
        return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
    executable.resize(static_cast<size_t>(length));
    const size_t separator = executable.rfind('/');
    return separator == 0 || separator == std::string::npos ? "/" : executable.substr(0, separator);
}

std::string ResolveProgramFolder(const std::string& nativeExecutableFolder)
{
    std::string executableFolder;
    if (!PathFromNative(nativeExecutableFolder, executableFolder) || !DirectoryExists(executableFolder))
        StopForUnusableFolder(QFile::decodeName(QByteArray::fromStdString(nativeExecutableFolder)));
    if (DirectoryExists(executableFolder + "/Themes"))
        return executableFolder;
    const std::string installed = InstalledDataFolder(executableFolder);
    if (!DirectoryExists(installed))
        return executableFolder;
    const std::string user = UserDataFolder();
    if (user.empty())
        StopForUnusableFolder(QFile::decodeName(NativeUserDataFolder()));
    if (!QDir().mkpath(QtNativePath(user)) || !UpdateUserCopies(QtNativePath(installed), QtNativePath(user)))
        ErrorBox("Les fichiers du jeu n'ont pas tous pu \xEAtre copi\xE9s dans " + user
                 + " / Not every file of the game could be copied into " + user);
    return user;
}

} // namespace platform
