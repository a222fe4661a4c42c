#include "platform/Shell.h"

#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/QtTranslations.h"
#include "platform/ServiceSlot.h"
#include "platform/Windows1252.h"

#include <QCoreApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

#include <algorithm>
#include <utility>

namespace platform {
namespace {

using TShellSlot = TServiceSlot<TShell, TQtShell>;

TShell& Shell()
{
    return TShellSlot::Get();
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

// A request the desktop did not take is no silent no-op: the user learns what could not be
// opened.
void ReportFailure(const std::string& what, const std::string& target)
{
    MessageBox(what + "\r\n" + target, UnicodeToAnsiOrEmpty(QCoreApplication::applicationName()),
               MB_OK | MB_ICONWARNING);
}

} // namespace

std::unique_ptr<TShell> SetShell(std::unique_ptr<TShell> shell)
{
    return TShellSlot::Install(std::move(shell));
}

bool OpenDocument(const std::string& urlOrPath)
{
    const auto report = [urlOrPath] {
        ReportFailure(InterfaceIsFrench() ? "Impossible d'ouvrir\xA0:" : "Could not open:", urlOrPath);
    };
    if (Shell().OpenDocument(urlOrPath, report))
        return true;
    report();
    return false;
}

bool StartProgram(const std::string& programPath, const std::string& argument)
{
    if (Shell().StartProgram(programPath, argument))
        return true;
    ReportFailure(InterfaceIsFrench() ? "Impossible de lancer\xA0:" : "Could not start:", programPath);
    return false;
}

QString QtFileName(const std::string& path)
{
    if (path.empty())
        return {};
    const std::string full = FullPathName(path);
    const std::string resolved = ResolvePathCase(full.empty() ? path : full);
    return QtNativePath(resolved);
}

bool HasUrlScheme(const std::string& text)
{
    const size_t colon = text.find(':');
    if (colon == std::string::npos || colon < 2 || !IsSchemeLetter(text[0]))
        return false;
    return std::all_of(text.begin() + 1, text.begin() + static_cast<std::ptrdiff_t>(colon), IsSchemeChar);
}

TQtShell::TQtShell(QString opener) : opener_(std::move(opener)) {}

bool TQtShell::OpenDocument(const std::string& urlOrPath, TLateFailure lateFailure)
{
    if (urlOrPath.empty())
        return false;
    QString argument;
    if (HasUrlScheme(urlOrPath)) {
        const QUrl url(AnsiToUnicode(urlOrPath), QUrl::TolerantMode);
        if (!url.isValid())
            return false;
        argument = QString::fromLatin1(url.toEncoded());
    } else {
        argument = QtFileName(urlOrPath);
    }
    const QString opener = QStandardPaths::findExecutable(opener_);
    if (opener.isEmpty())
        return false;
    // The opener is waited for in the event loop, never here: it may run as long as the
    // program it starts.
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(process, &QProcess::errorOccurred, process, [process, lateFailure](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return; // a crash also ends it: said when it finishes
        process->deleteLater();
        lateFailure();
    });
    QObject::connect(process, &QProcess::finished, process,
                     [process, lateFailure](int exitCode, QProcess::ExitStatus status) {
                         process->deleteLater();
                         if (status != QProcess::NormalExit || exitCode != 0)
                             lateFailure();
                     });
    process->start(opener, {argument});
    return true;
}

bool TQtShell::StartProgram(const std::string& programPath, const std::string& argument)
{
    return QProcess::startDetached(QtFileName(programPath), {PathToUnicode(argument)});
}

} // namespace platform
