#pragma once
// A temporary folder holding dictionary fixtures: raw files, explicit file dates, and index
// contents spelled out line by line.
#include "dictionary/unitDictionary.h"
#include "platform/FileSystem.h"

#include <QTemporaryDir>

#include <ctime>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <utime.h>
#include <vector>

class TDictionaryFolder {
public:
    // A moment well inside the FAT date range, on a 2-second step.
    static constexpr std::time_t BaseTime = 1'600'000'000;

    std::string Path() const { return dir_.path().toStdString() + "/"; }
    std::string Path(const std::string& name) const { return Path() + name; }

    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(platform::NativePath(Path(name)), std::ios::binary | std::ios::trunc) << bytes;
    }

    std::string Read(const std::string& name) const
    {
        std::ifstream in(platform::NativePath(Path(name)), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    bool Exists(const std::string& name) const { return platform::FileExists(Path(name)); }

    void SetTime(const std::string& name, std::time_t when) const
    {
        const utimbuf times{when, when};
        ::utime(platform::NativePath(Path(name)).c_str(), &times);
    }

    void SetReadOnly(const std::string& name) const { ::chmod(platform::NativePath(Path(name)).c_str(), 0444); }

    // Files dated from BaseTime: an index Seconds after its dictionary (negative: older).
    void WriteDictionary(const std::string& name, const std::string& content) const
    {
        Write(name, content);
        SetTime(name, BaseTime);
    }
    void WriteIndex(const std::string& name, const std::string& bytes, std::time_t secondsAfterDictionary) const
    {
        Write(name, bytes);
        SetTime(name, BaseTime + secondsAfterDictionary);
    }

    // Opens Name as the programs do; the index is built when missing or stale.
    bool Open(const std::string& name, dictionary::TDictionaryFile& dict, dictionary::TDictionaryError& error) const
    {
        return dictionary::Initialize(Path(name), dict, nullptr, false, error);
    }

private:
    QTemporaryDir dir_;
};

// The index bytes for Values, one 16-byte line each.
inline std::string IndexOf(const std::vector<long long>& values)
{
    std::string bytes;
    for (long long value : values) {
        std::string number = std::to_string(value);
        bytes += std::string(14 - number.size(), ' ') + number + "\r\n";
    }
    return bytes;
}
