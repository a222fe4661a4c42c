#include "utility/IndexPages.h"

#include "htmlview/HtmlUtils.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "platform/Windows1252.h"

#include <QFileInfo>

#include <array>
#include <string_view>

namespace utility {

namespace {

constexpr std::array<std::string_view, 3> DesktopSchemes{"http:", "https:", "mailto:"};

// Files the desktop would run rather than show.
constexpr std::array<std::string_view, 9> LaunchableExtensions{".desktop", ".sh", ".exe", ".bat", ".cmd",
                                                               ".com", ".jar", ".appimage", ".run"};

bool StartsWith(const std::string& text, std::string_view prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

bool ShowableFile(const std::string& path)
{
    if (!platform::FileExists(path))
        return false;
    const QFileInfo info(platform::QtFileName(path));
    if (info.isExecutable())
        return false;
    std::string extension;
    platform::UnicodeToAnsi(QStringLiteral(".") + info.suffix().toLower(), extension);
    for (std::string_view launchable : LaunchableExtensions)
        if (extension == launchable)
            return false;
    return true;
}

// A file name inside an attribute: a quote or an ampersand must stay part of it.
std::string AttributeText(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '&')
            escaped += "&amp;";
        else if (c == '"')
            escaped += "&quot;";
        else
            escaped += c;
    }
    return escaped;
}

} // namespace

std::string WrapHtmlPage(const std::string& dictionaryFileName, const std::string& fragment)
{
    const std::string folder = dictionaryFileName.empty() ? std::string() : platform::ExtractFilePath(dictionaryFileName);
    return "<html><body><base href=\"" + AttributeText(folder) + "\">" + fragment + "</body></html>";
}

std::optional<std::string> DesktopLinkTarget(const std::string& url, const std::string& baseFolder)
{
    const std::string link = htmlview::TrimText(url);
    if (link.empty() || link.front() == '#')
        return std::nullopt;
    const std::string lower = platform::AnsiLowerCase(link);
    for (std::string_view scheme : DesktopSchemes)
        if (StartsWith(lower, scheme))
            return link;
    if (platform::HasUrlScheme(link) && !StartsWith(lower, "file:"))
        return std::nullopt;

    std::string path = htmlview::UrlToPath(link.substr(0, link.find('#')));
    if (path.empty())
        return std::nullopt;
    if (path.front() != '/')
        path = baseFolder + path;
    path = platform::ResolvePathCase(platform::FullPathName(path));
    if (!ShowableFile(path))
        return std::nullopt;
    return path;
}

} // namespace utility
