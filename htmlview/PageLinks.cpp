#include "htmlview/PageLinks.h"

#include "htmlview/HtmlUtils.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "platform/TextTrim.h"
#include "platform/Windows1252.h"

#include <QFileInfo>

#include <array>
#include <string_view>

namespace htmlview {

namespace {

// Links the desktop may open as they are written.
constexpr std::array<std::string_view, 3> DesktopSchemes{"http:", "https:", "mailto:"};

// Files the desktop would run rather than show.
constexpr std::array<std::string_view, 9> LaunchableExtensions{".desktop", ".sh", ".exe", ".bat", ".cmd",
                                                               ".com", ".jar", ".appimage", ".run"};

bool StartsWith(const std::string& text, std::string_view prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

// An existing file, not a folder, that the desktop would show rather than run.
bool ShowableFile(const std::string& path)
{
    if (!platform::FileExists(path))
        return false;
    const QFileInfo info(platform::QtFileName(path));
    if (info.isExecutable())
        return false;
    const std::string extension = platform::UnicodeToAnsiOrEmpty(QStringLiteral(".") + info.suffix().toLower());
    for (std::string_view launchable : LaunchableExtensions)
        if (extension == launchable)
            return false;
    return true;
}

} // namespace

std::string WrapHtmlPageInFolder(const std::string& folder, const std::string& fragment)
{
    std::string href;
    for (char c : folder) {
        if (c == '&')
            href += "&amp;";
        else if (c == '"')
            href += "&quot;";
        else
            href += c;
    }
    return "<html><body><base href=\"" + href + "\">" + fragment + "</body></html>";
}

std::optional<std::string> DesktopLinkTarget(const std::string& url, const std::string& baseFolder)
{
    const std::string link = platform::TrimControlAndSpace(url);
    if (link.empty() || link.front() == '#')
        return std::nullopt;
    const std::string lower = platform::AnsiLowerCase(link);
    for (std::string_view scheme : DesktopSchemes)
        if (StartsWith(lower, scheme))
            return link;
    if (platform::HasUrlScheme(link) && !StartsWith(lower, "file:"))
        return std::nullopt;

    std::string path = UrlToPath(link.substr(0, link.find('#')));
    if (path.empty())
        return std::nullopt;
    if (path.front() != '/') {
        std::string folder = baseFolder;
        if (!folder.empty() && folder.back() != '/')
            folder += '/';
        path = folder + path;
    }
    path = platform::ResolvePathCase(platform::FullPathName(path));
    if (!ShowableFile(path))
        return std::nullopt;
    return path;
}

} // namespace htmlview
