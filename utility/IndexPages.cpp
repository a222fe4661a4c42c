#include "utility/IndexPages.h"

#include "platform/FileSystem.h"

namespace utility {

std::string DictionaryPageFolder(const std::string& dictionaryFileName)
{
    return dictionaryFileName.empty() ? std::string() : platform::ExtractFilePath(dictionaryFileName);
}

std::string WrapHtmlPageForDictionary(const std::string& dictionaryFileName, const std::string& fragment)
{
    return htmlview::WrapHtmlPageInFolder(DictionaryPageFolder(dictionaryFileName), fragment);
}

} // namespace utility
