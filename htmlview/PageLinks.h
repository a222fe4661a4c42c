#pragma once
// What both programs do with the pages they show: every fragment becomes a whole page whose BASE
// is the dictionary's folder, and a link is handed to the desktop only when it is safe to open.
#include <optional>
#include <string>

namespace htmlview {

// "<html><body>", a BASE whose HREF is Folder ("&" and '"' escaped, so a file name cannot end
// the attribute), the fragment, "</body></html>".
std::string WrapHtmlPageInFolder(const std::string& folder, const std::string& fragment);

// What a link of a page hands to the desktop: http, https and mailto links as written, and a file
// that exists and would be shown rather than run, resolved against BaseFolder. Nothing for
// anything else, an anchor of the page included.
std::optional<std::string> DesktopLinkTarget(const std::string& url, const std::string& baseFolder);

} // namespace htmlview
