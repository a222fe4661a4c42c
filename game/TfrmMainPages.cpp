// The pages of the definition view: the welcome and information pages, the wrapping of every
// fragment into a page whose BASE is the dictionary's folder, and the links a page offers.
#include "game/TfrmMain.h"

#include "dictionary/fileLib.h"
#include "htmlview/HtmlUtils.h"
#include "htmlview/HtmlView.h"
#include "platform/Exceptions.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "platform/Windows1252.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>

namespace game {

namespace {

// Links the desktop may open as they are written.
constexpr std::array<std::string_view, 3> DesktopSchemes{"http:", "https:", "mailto:"};

// Files the desktop would run rather than show.
constexpr std::array<std::string_view, 9> LaunchableExtensions{".desktop", ".sh", ".exe", ".bat", ".cmd",
                                                               ".com", ".jar", ".appimage", ".run"};

bool StartsWithScheme(const std::string& lowerUrl, std::string_view scheme)
{
    return lowerUrl.compare(0, scheme.size(), scheme) == 0;
}

// An existing file, not a folder, that the desktop would show rather than run.
bool ShowableFile(const std::string& path)
{
    if (!platform::FileExists(path))
        return false;
    const QFileInfo info(platform::QtFileName(path));
    if (info.isExecutable())
        return false;
    const std::string extension = platform::AnsiLowerCase(info.suffix().isEmpty() ? std::string()
                                                                                    : "." + info.suffix().toStdString());
    for (std::string_view launchable : LaunchableExtensions)
        if (extension == launchable)
            return false;
    return true;
}

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

std::string WrapHtmlPage(const std::string& folder, const std::string& fragment)
{
    // The folder is a file name: any quote or ampersand in it must stay part of the attribute.
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

std::string PageBaseFolder()
{
    return DictionaryPath.empty() ? ProgramFolder : platform::ExtractFilePath(DictionaryPath);
}

std::string WelcomePage()
{
    return "<h2><img src=\"./aide/info.gif\" align=\"middle\" transp>&nbsp;<u>Information</u></h2><hr size=1>"
        + HtmlInfoTextFR + "<hr size=1>" + HtmlInfoTextUS;
}

std::string BuildDictionaryInfo(const std::string& path, const std::string& description, int32_t wordCount)
{
    const std::string name = platform::ExtractFileName(path);
    std::string page = DictionaryText + ": " + name + " (" + std::to_string(dictionary::GetFileSizeByName(path)) + " "
        + BytesText + ")<br>\r\n";
    page += IndexFileText + ": " + platform::ChangeFileExt(name, ".ndx") + "<br>\r\n";
    if (wordCount > 0)
        page += WordsText + ": " + std::to_string(wordCount) + "<br>\r\n";
    return page + "<hr>\r\n" + description;
}

std::string ReadDictionaryDescription(const std::string& path)
{
    const std::string infoFile = platform::ResolvePathCase(platform::ChangeFileExt(path, ".htm"));
    if (!platform::FileExists(infoFile))
        return {};
    std::ifstream in(platform::NativePath(infoFile), std::ios::binary);
    if (!in)
        throw platform::EInOutError("Cannot open " + infoFile);
    std::string text{std::istreambuf_iterator<char>(in), {}};
    if (in.bad())
        throw platform::EInOutError("Cannot read " + infoFile);
    text.erase(std::min(text.find('\0'), text.size()));
    const auto first = std::find_if_not(text.begin(), text.end(), IsBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), IsBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

std::optional<std::string> DesktopLinkTarget(const std::string& url, const std::string& baseFolder)
{
    const std::string link = htmlview::TrimText(url);
    if (link.empty())
        return std::nullopt;
    const std::string lower = platform::AnsiLowerCase(link);
    for (std::string_view scheme : DesktopSchemes)
        if (StartsWithScheme(lower, scheme))
            return link;
    if (platform::HasUrlScheme(link) && !StartsWithScheme(lower, "file:"))
        return std::nullopt;

    std::string path = htmlview::UrlToPath(link.substr(0, link.find('#')));
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

void TfrmMain::ShowHtml(const std::string& fragment)
{
    const std::string page = WrapHtmlPage(PageBaseFolder(), fragment);
    htmlViewer->LoadFromBuffer(page.data(), static_cast<int32_t>(page.size()));
}

void TfrmMain::ShowDictionaryInfo()
{
    if (DictionaryPath.empty()) {
        ShowHtml(WelcomePage());
        return;
    }
    ShowHtml(BuildDictionaryInfo(DictionaryPath, ReadDictionaryDescription(DictionaryPath), DictionaryWordCount));
}

void TfrmMain::htmlViewerHotSpotClick(const std::string& url, bool& handled)
{
    // The viewer never follows a link itself: a jump within the page stays in the view, the
    // rest goes to the desktop when it is safe to hand over.
    handled = true;
    if (!url.empty() && url.front() == '#') {
        htmlViewer->JumpToAnchor(url);
        return;
    }
    if (const std::optional<std::string> target = DesktopLinkTarget(url, htmlViewer->BaseHref().empty()
                                                                             ? PageBaseFolder()
                                                                             : htmlview::UrlToPath(htmlViewer->BaseHref())))
        platform::OpenDocument(*target);
}

} // namespace game
