#pragma once
// The pages of the definition view: the wrapping of a fragment into a whole page whose base is
// the dictionary's folder; links go where htmlview::DesktopLinkTarget says.
#include "htmlview/PageLinks.h"

#include <string>

namespace utility {

using htmlview::DesktopLinkTarget;

// The folder the pages of the dictionary at DictionaryFileName resolve against, ending with "/";
// empty when there is no dictionary.
std::string DictionaryPageFolder(const std::string& dictionaryFileName);

// "<html><body>", a BASE whose HREF is the DictionaryPageFolder of DictionaryFileName, the
// fragment, "</body></html>".
std::string WrapHtmlPageForDictionary(const std::string& dictionaryFileName, const std::string& fragment);

} // namespace utility
