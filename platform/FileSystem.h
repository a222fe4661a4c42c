#pragma once
// File and drive queries in the terms the programs were written for. Paths are strings like
// every other text, Windows-1252 where the name fits it and escaped where it does not
// (PathFromUnicode); "\" is accepted as "/".
#include <QString>

#include <cstdint>
#include <string>

namespace platform {

enum TFileAttribute : uint32_t {
    faReadOnly = 1,  // no write permission bit set
    faHidden = 2,    // name begins with "."
    faSysFile = 4,   // never on Linux
    faVolumeID = 8,  // never on Linux
    faDirectory = 16,
};

// The name the operating system takes for a path (UTF-8 bytes).
std::string NativePath(const std::string& path);
// The same name as Qt takes it (no case lookup: see QtFileName for that).
QString QtNativePath(const std::string& path);
// A name the operating system gave (bytes), as a path; false for bytes that are no name in the
// system's encoding, which no file call made from a path could reach again.
bool PathFromNative(const std::string& native, std::string& path);

// Absolute, lexically normalised form of Path against the current folder; no length limit.
// Empty for an empty Path, or when the current folder's name is no valid name of the system.
std::string FullPathName(const std::string& path);

// File name part (after the last "/" or "\"), and Path with its extension replaced (appended
// when the name part has none).
std::string ExtractFileName(const std::string& path);
std::string ExtractFilePath(const std::string& path); // with the trailing "/"
std::string ChangeFileExt(const std::string& path, const std::string& extension);

// Last-write time as a local FAT packed date-time (date in the high word, 2-second steps); a
// time before 1980 or after 2107 gives the first or last moment of that range. False for a
// missing file or a folder.
bool FileAgeFat(const std::string& path, uint32_t& fatDateTime);

// Attribute bits of an existing file or folder; false when nothing is there.
bool GetFileAttributes(const std::string& path, uint32_t& attributes);

// A path on an optical drive, by the mount table of this process (IsOpticalMount).
bool IsOnCdRomDrive(const std::string& path);
// Whether, by MountInfo (the text of /proc/self/mountinfo), the file system that holds
// NativeCanonicalPath (OS bytes, symbolic links resolved) is an optical drive: device /dev/sr*
// or /dev/cdrom, or type iso9660 or udf.
bool IsOpticalMount(const std::string& mountInfo, const std::string& nativeCanonicalPath);

bool DeleteFile(const std::string& path); // false for a read-only file or a folder, as on Windows
bool FileExists(const std::string& path); // a file, not a folder
bool DirectoryExists(const std::string& path);

struct TSearchRec {
    std::string Name;      // file name part
    int64_t Size = 0;
    uint32_t Attributes = 0;
};
// The first directory entry matching Pattern ("*" and "?" allowed in its last component).
bool FindFirstFile(const std::string& pattern, TSearchRec& found);

// Path as written when it exists, else looked up case-insensitively component by component;
// Path unchanged when no such file is found.
std::string ResolvePathCase(const std::string& path);

} // namespace platform
