#include "dictionary/fileLib.h"

#include "dictionary/dictionaryFiles.h"
#include "platform/FileContent.h"
#include "platform/FileSystem.h"
#include "platform/IniFile.h"

#include <algorithm>

namespace dictionary {

void GetFullPath(const std::string& fileName, std::string& fullPath)
{
    fullPath = platform::FullPathName(fileName);
}

TFileAgeComparison CompareFileAge(const std::string& first, const std::string& second)
{
    uint32_t firstAge = 0;
    uint32_t secondAge = 0;
    const bool hasFirst = platform::FileAgeFat(first, firstAge);
    const bool hasSecond = platform::FileAgeFat(second, secondAge);
    if (!hasFirst && !hasSecond)
        return acNeitherHasAge;
    if (!hasFirst)
        return acFirstHasNoAge;
    if (!hasSecond)
        return acSecondHasNoAge;
    if (firstAge == secondAge)
        return acSameAge;
    return secondAge < firstAge ? acSecondOlder : acSecondNewer;
}

int64_t GetFileSizeByName(const std::string& fileName)
{
    platform::TSearchRec found;
    return platform::FindFirstFile(fileName, found) ? found.Size : 0;
}

void ReadIniString(const std::string& section, const std::string& key, const std::string& defaultValue,
                   std::string& value, const platform::TIniFile& ini)
{
    value = ini.ReadString(section, key, defaultValue);
    if (value.empty())
        value = defaultValue;
}

std::string ReadDescriptionFile(const std::string& infoFileName)
{
    const std::string path = platform::ResolvePathCase(infoFileName);
    if (!platform::FileExists(path))
        return {};
    std::string text = platform::ReadWholeFile(path);
    text.erase(std::min(text.find('\0'), text.size()));
    return TrimBlanks(text);
}

} // namespace dictionary
