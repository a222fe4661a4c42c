#include "platform/Shell.h"

#include "platform/FileSystem.h"
#include "platform/Windows1252.h"

#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace platform {
namespace {

std::unique_ptr<TShell>& CurrentShell()
{
    static std::unique_ptr<TShell> current;
    return current;
}

TShell& Shell()
{
    auto& current = CurrentShell();
    if (!current)
        current = std::make_unique<TQtShell>();
    return *current;
}

// ASCII only: the bytes of accented letters are never part of a scheme.
bool IsSchemeLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsSchemeChar(char c)
{
    return IsSchemeLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
}

} // namespace

std::unique_ptr<TShell> SetShell(std::unique_ptr<TShell> shell)
{
    return std::exchange(CurrentShell(), std::move(shell));
}

bool OpenDocument(const std::string& urlOrPath)
{
    return Shell().OpenDocument(urlOrPath);
}

bool StartProgram(const std::string& programPath, const std::string& argument)
{
    return Shell().StartProgram(programPath, argument);
}

QString QtFileName(const std::string& path)
{
    if (path.empty())
        return {};
    const std::string full = FullPathName(path);
    const std::string resolved = ResolvePathCase(full.empty() ? path : full);
    return QFile::decodeName(QByteArray::fromStdString(NativePath(resolved)));
}

bool HasUrlScheme(const std::string& text)
{
    const size_t colon = text.find(':');
    if (colon == std::string::npos || colon < 2 || !IsSchemeLetter(text[0]))
        return false;
    return std::all_of(text.begin() + 1, text.begin() + static_cast<std::ptrdiff_t>(colon), IsSchemeChar);
}

bool TQtShell::OpenDocument(const std::string& urlOrPath)
{
    if (urlOrPath.empty())
        return false;
    const QUrl url = HasUrlScheme(urlOrPath) ? QUrl(AnsiToUnicode(urlOrPath), QUrl::TolerantMode)
                                             : QUrl::fromLocalFile(QtFileName(urlOrPath));
    return url.isValid() && QDesktopServices::openUrl(url);
}

bool TQtShell::StartProgram(const std::string& programPath, const std::string& argument)
{
    return QProcess::startDetached(QtFileName(programPath), {AnsiToUnicode(argument)});
}

} // namespace platform
