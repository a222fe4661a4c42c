// The pages of the definition view: the welcome and information pages, the wrapping of every
// fragment into a page whose BASE is the dictionary's folder, and the links a page offers.
#include "game/TfrmMain.h"

#include "dictionary/fileLib.h"
#include "htmlview/HtmlUtils.h"
#include "htmlview/HtmlView.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "platform/Windows1252.h"

namespace game {

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
    const std::string name = platform::PathToPageText(platform::ExtractFileName(path));
    std::string page = DictionaryText + ": " + name + " (" + std::to_string(dictionary::GetFileSizeByName(path)) + " "
        + BytesText + ")<br>\r\n";
    page += IndexFileText + ": " + platform::ChangeFileExt(name, ".ndx") + "<br>\r\n";
    if (wordCount > 0)
        page += WordsText + ": " + std::to_string(wordCount) + "<br>\r\n";
    return page + "<hr>\r\n" + description;
}

std::string ReadDictionaryDescription(const std::string& path)
{
    return dictionary::ReadDescriptionFile(platform::ChangeFileExt(path, ".htm"));
}

void TfrmMain::ShowHtml(const std::string& fragment)
{
    const std::string page = WrapHtmlPageInFolder(PageBaseFolder(), fragment);
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
