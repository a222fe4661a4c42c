#include "utility/IndexPages.h"

#include "platform/FileSystem.h"

namespace utility {

std::string WrapHtmlPage(const std::string& dictionaryFileName, const std::string& fragment)
{
    const std::string folder = dictionaryFileName.empty() ? std::string() : platform::ExtractFilePath(dictionaryFileName);
    return htmlview::WrapHtmlPage(folder, fragment);
}

} // namespace utility
