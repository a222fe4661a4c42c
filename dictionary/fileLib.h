#pragma once
// Small file helpers of the dictionary engine and of both programs: absolute paths, file dates
// compared at the file system's 2-second resolution, file sizes and settings strings.
#include <cstdint>
#include <string>

namespace platform {
class TIniFile;
}

namespace dictionary {

// Absolute form of FileName against the current folder; empty for an empty name.
void GetFullPath(const std::string& fileName, std::string& fullPath);

// How the ages of two files (last-write time; none for a missing file or a folder) compare. The
// values are the integers both programs were written against.
enum TFileAgeComparison : int {
    acNeitherHasAge = -3,
    acFirstHasNoAge = -1,
    acSecondHasNoAge = -2,
    acSameAge = 0,
    acSecondOlder = 1, // than First
    acSecondNewer = 2,
};
TFileAgeComparison CompareFileAge(const std::string& first, const std::string& second);

// Size of the first directory entry matching FileName ("*" and "?" allowed); 0 when none does.
int64_t GetFileSizeByName(const std::string& fileName);

// The description file of a dictionary (InfoFileName, found whatever its letter case): its text up
// to the first NUL byte, trimmed; empty when there is none. A file that cannot be read raises
// platform::EInOutError.
std::string ReadDescriptionFile(const std::string& infoFileName);

// The settings file's string for Section and Key; a missing or empty value gives Default.
void ReadIniString(const std::string& section, const std::string& key, const std::string& defaultValue,
                   std::string& value, const platform::TIniFile& ini);

} // namespace dictionary
