#pragma once
// The pages of the definition view: the wrapping of a fragment into a whole page whose base is
// the dictionary's folder; links go where htmlview::DesktopLinkTarget says.
#include "htmlview/PageLinks.h"

#include <string>

namespace utility {

using htmlview::DesktopLinkTarget;

// "<html><body>", a BASE whose HREF is the folder of DictionaryFileName (empty when there is no
// dictionary), the fragment, "</body></html>".
std::string WrapHtmlPage(const std::string& dictionaryFileName, const std::string& fragment);

} // namespace utility
