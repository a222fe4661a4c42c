#pragma once
// The pages of the definition view: the wrapping of a fragment into a whole page whose base is
// the dictionary's folder, and where a link of a page may lead when the desktop opens it.
#include <optional>
#include <string>

namespace utility {

// "<html><body>", a BASE whose HREF is the folder of DictionaryFileName (empty when there is no
// dictionary), the fragment, "</body></html>".
std::string WrapHtmlPage(const std::string& dictionaryFileName, const std::string& fragment);

// Web and mail links as written, and existing files that the desktop would show rather than run.
// The URL or file path to hand to the desktop for Url (relative paths against BaseFolder, which
// ends with a separator or is empty); nothing when the link must not be opened.
std::optional<std::string> DesktopLinkTarget(const std::string& url, const std::string& baseFolder);

} // namespace utility
