#include "platform/FileSystem.h"

#include "platform/FileContent.h"
#include "platform/Windows1252.h"

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <dirent.h>
#include <filesystem>
#include <iterator>
#include <memory>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace platform {
namespace {

// The ends of the FAT date-time range: 1980-01-01 00:00:00 and 2107-12-31 23:59:58.
constexpr uint32_t EarliestFatDateTime = 0x00210000;
constexpr uint32_t LatestFatDateTime = 127u << 25 | 12u << 21 | 31u << 16 | 23u << 11 | 59u << 5 | 29u;

std::string ToSlashes(std::string path)
{
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

bool StatPath(const std::string& path, struct stat& info)
{
    return ::stat(NativePath(path).c_str(), &info) == 0;
}

bool PathExists(const std::string& path)
{
    struct stat info {};
    return StatPath(path, info);
}

std::vector<std::string> SplitComponents(const std::string& slashedPath)
{
    std::vector<std::string> parts;
    std::string part;
    std::istringstream stream(slashedPath);
    while (std::getline(stream, part, '/'))
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

// The last name of a path, trailing separators ignored.
std::string LastComponent(const std::string& path)
{
    std::string slashed = ToSlashes(path);
    while (slashed.size() > 1 && slashed.back() == '/')
        slashed.pop_back();
    return ExtractFileName(slashed);
}

bool CurrentFolder(std::string& folder)
{
    std::error_code error;
    const std::filesystem::path current = std::filesystem::current_path(error);
    return !error && PathFromNative(current.native(), folder);
}

// "." and ".." folded away, separators single; a trailing separator stays.
std::string NormaliseAbsolute(const std::string& slashedPath)
{
    std::vector<std::string> kept;
    for (const std::string& part : SplitComponents(slashedPath)) {
        if (part == "..") {
            if (!kept.empty())
                kept.pop_back();
        } else if (part != ".") {
            kept.push_back(part);
        }
    }
    std::string result;
    for (const std::string& part : kept)
        result += "/" + part;
    if (result.empty() || slashedPath.back() == '/')
        result += "/";
    return result;
}

// The names in a folder that a path can carry, in byte order, without "." and "..".
std::vector<std::string> ListFolder(const std::string& folder)
{
    std::vector<std::string> names;
    std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(NativePath(folder).c_str()), ::closedir);
    if (!dir)
        return names;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string native = entry->d_name;
        std::string name;
        if (native != "." && native != ".." && PathFromNative(native, name))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// "*" stands for any run of characters, "?" for exactly one; letters match as written.
bool WildcardMatch(const std::string& pattern, const std::string& name)
{
    size_t p = 0, n = 0;
    size_t starAt = std::string::npos, starMatch = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starAt = p++;
            starMatch = n;
        } else if (starAt != std::string::npos) {
            p = starAt + 1;
            n = ++starMatch;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

bool FillSearchRec(const std::string& path, const std::string& name, TSearchRec& found)
{
    struct stat info {};
    uint32_t attributes = 0;
    if (!StatPath(path, info) || !GetFileAttributes(path, attributes))
        return false;
    found.Name = name;
    found.Size = S_ISDIR(info.st_mode) ? 0 : static_cast<int64_t>(info.st_size);
    found.Attributes = attributes;
    return true;
}

// The nearest existing folder at or above Path, as the operating system names it.
std::string NearestExistingNative(const std::string& path)
{
    std::string full = FullPathName(path);
    while (full.size() > 1 && !PathExists(full)) {
        if (full.back() == '/')
            full.pop_back();
        full = ExtractFilePath(full);
    }
    return NativePath(full.empty() ? "/" : full);
}

// Mount points write " ", tab, newline and "\" as three octal digits after "\".
std::string UnescapeMountField(const std::string& field)
{
    const auto isOctal = [](char c) { return c >= '0' && c <= '7'; };
    std::string result;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && isOctal(field[i + 1]) && isOctal(field[i + 2])
            && isOctal(field[i + 3])) {
            result.push_back(static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0')));
            i += 3;
        } else {
            result.push_back(field[i]);
        }
    }
    return result;
}

bool MountPointHolds(const std::string& mountPoint, const std::string& path)
{
    if (mountPoint == "/")
        return !path.empty() && path.front() == '/';
    return path.compare(0, mountPoint.size(), mountPoint) == 0
        && (path.size() == mountPoint.size() || path[mountPoint.size()] == '/');
}

} // namespace

std::string NativePath(const std::string& path)
{
    return QFile::encodeName(QtNativePath(path)).toStdString();
}

QString QtNativePath(const std::string& path)
{
    return PathToUnicode(ToSlashes(path));
}

bool PathFromNative(const std::string& native, std::string& path)
{
    const QByteArray bytes(native.data(), static_cast<qsizetype>(native.size()));
    const QString name = QFile::decodeName(bytes);
    if (QFile::encodeName(name) != bytes)
        return false;
    path = PathFromUnicode(name);
    return true;
}

std::string FullPathName(const std::string& path)
{
    if (path.empty())
        return {};
    std::string slashed = ToSlashes(path);
    if (slashed.front() != '/') {
        std::string current;
        if (!CurrentFolder(current))
            return {};
        slashed = current + "/" + slashed;
    }
    return NormaliseAbsolute(slashed);
}

std::string ExtractFileName(const std::string& path)
{
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

std::string ExtractFilePath(const std::string& path)
{
    const size_t separator = path.find_last_of("/\\");
    return separator == std::string::npos ? std::string() : path.substr(0, separator + 1);
}

std::string ChangeFileExt(const std::string& path, const std::string& extension)
{
    const size_t dot = path.find_last_of("./\\");
    if (dot == std::string::npos || path[dot] != '.')
        return path + extension;
    return path.substr(0, dot) + extension;
}

bool FileAgeFat(const std::string& path, uint32_t& fatDateTime)
{
    struct stat info {};
    if (!StatPath(path, info) || S_ISDIR(info.st_mode))
        return false;
    std::tm local {};
    if (!::localtime_r(&info.st_mtime, &local))
        return false;
    // A file dated outside the FAT range still exists: it takes the range's nearest end.
    const int year = local.tm_year + 1900;
    if (year < 1980) {
        fatDateTime = EarliestFatDateTime;
        return true;
    }
    if (year > 2107) {
        fatDateTime = LatestFatDateTime;
        return true;
    }
    fatDateTime = static_cast<uint32_t>(year - 1980) << 25 | static_cast<uint32_t>(local.tm_mon + 1) << 21
        | static_cast<uint32_t>(local.tm_mday) << 16 | static_cast<uint32_t>(local.tm_hour) << 11
        | static_cast<uint32_t>(local.tm_min) << 5 | static_cast<uint32_t>(std::min(local.tm_sec, 59) / 2);
    return true;
}

bool GetFileAttributes(const std::string& path, uint32_t& attributes)
{
    struct stat info {};
    if (!StatPath(path, info))
        return false;
    attributes = 0;
    // The permission bits alone, so that root, who may write anything, sees what users see.
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        attributes |= faReadOnly;
    const std::string name = LastComponent(path);
    if (name.size() > 1 && name.front() == '.' && name != "..")
        attributes |= faHidden;
    if (S_ISDIR(info.st_mode))
        attributes |= faDirectory;
    return true;
}

bool IsOpticalMount(const std::string& mountInfo, const std::string& nativeCanonicalPath)
{
    std::istringstream lines(mountInfo);
    std::string line;
    size_t bestLength = 0;
    bool bestOptical = false;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        const std::vector<std::string> field {std::istream_iterator<std::string>(fields), {}};
        const auto separator = std::find(field.begin(), field.end(), "-");
        if (field.size() < 5 || std::distance(separator, field.end()) < 3)
            continue;
        const std::string mountPoint = UnescapeMountField(field[4]);
        // Mounts are listed in mount order: a later one on the same point hides the earlier.
        if (!MountPointHolds(mountPoint, nativeCanonicalPath) || mountPoint.size() < bestLength)
            continue;
        const std::string& type = separator[1];
        const std::string source = UnescapeMountField(separator[2]);
        bestLength = mountPoint.size();
        bestOptical = type == "iso9660" || type == "udf" || source.rfind("/dev/sr", 0) == 0 || source == "/dev/cdrom";
    }
    return bestOptical;
}

bool IsOnCdRomDrive(const std::string& path)
{
    // The mount table alone decides: a read-only share, image or bind mount is no optical drive.
    const std::string native = NearestExistingNative(path);
    std::unique_ptr<char, void (*)(void*)> canonical(::realpath(native.c_str(), nullptr), std::free);
    const std::optional<std::string> mountInfo = ReadFileUpTo("/proc/self/mountinfo", UINTMAX_MAX);
    if (!canonical || !mountInfo)
        return false;
    return IsOpticalMount(*mountInfo, canonical.get());
}

bool DeleteFile(const std::string& path)
{
    // As on Windows, a read-only file or a folder is not deleted.
    uint32_t attributes = 0;
    if (!GetFileAttributes(path, attributes) || (attributes & (faReadOnly | faDirectory)) != 0)
        return false;
    return ::unlink(NativePath(path).c_str()) == 0;
}

bool FileExists(const std::string& path)
{
    struct stat info {};
    return StatPath(path, info) && !S_ISDIR(info.st_mode);
}

bool DirectoryExists(const std::string& path)
{
    struct stat info {};
    return StatPath(path, info) && S_ISDIR(info.st_mode);
}

bool FindFirstFile(const std::string& pattern, TSearchRec& found)
{
    const std::string slashed = ToSlashes(pattern);
    const std::string folder = ExtractFilePath(slashed);
    const std::string namePattern = ExtractFileName(slashed);
    if (namePattern.empty())
        return false;
    // Here "*" and "?" may be part of a real name: such a file is taken as written.
    if (PathExists(slashed))
        return FillSearchRec(slashed, namePattern, found);
    if (namePattern.find_first_of("*?") == std::string::npos)
        return false;
    for (const std::string& name : ListFolder(folder.empty() ? "." : folder))
        if (WildcardMatch(namePattern, name))
            return FillSearchRec(folder + name, name, found);
    return false;
}

std::string ResolvePathCase(const std::string& path)
{
    if (path.empty() || PathExists(path))
        return path;
    const std::string slashed = ToSlashes(path);
    std::string resolved = slashed.front() == '/' ? "/" : "";
    for (const std::string& part : SplitComponents(slashed)) {
        std::string next = resolved + part;
        if (part != "." && part != ".." && !PathExists(next)) {
            const std::vector<std::string> names = ListFolder(resolved.empty() ? "." : resolved);
            const auto match = std::find_if(names.begin(), names.end(),
                                            [&part](const std::string& name) { return AnsiSameText(name, part); });
            if (match == names.end())
                return path;
            next = resolved + *match;
        }
        resolved = next + "/";
    }
    if (slashed.back() != '/' && resolved.size() > 1)
        resolved.pop_back();
    return resolved;
}

} // namespace platform
