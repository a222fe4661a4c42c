#include "platform/IniFile.h"

#include "platform/Exceptions.h"
#include "platform/FileContent.h"
#include "platform/FileSystem.h"
#include "platform/PlainFile.h"
#include "platform/SaveLock.h"

#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

// False when the file exists but cannot be read (or is no plain file); a missing file is an
// empty one.
bool ReadContent(const std::string& fileName, std::string& content)
{
    content.clear();
    const int fd = OpenPlainFile(NativePath(fileName), O_RDONLY);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR;
    const bool ok = ReadOpenFile(fd, SIZE_MAX, content);
    ::close(fd);
    return ok;
}

// Whether a missing file could be made at Native: its folder exists and takes new files.
bool FolderTakesNewFiles(const std::string& native)
{
    const size_t slash = native.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : native.substr(0, slash + 1);
    struct stat info {};
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool ParseInteger(const std::string& text, int32_t& value)
{
    std::string_view digits = text;
    const bool negative = !digits.empty() && digits.front() == '-';
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
        digits.remove_prefix(1);
    int base = 10;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        base = 16;
        digits.remove_prefix(2);
    } else if (digits.starts_with("$")) {
        base = 16;
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.front() == '+' || digits.front() == '-')
        return false;
    uint64_t magnitude = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), magnitude, base);
    if (error != std::errc() || end != digits.data() + digits.size())
        return false;
    if (base == 16) {
        // Hexadecimal gives the 32 bits as written, so "$FFFFFFFF" is -1.
        if (magnitude > 0xFFFFFFFFu)
            return false;
        const uint32_t bits = static_cast<uint32_t>(magnitude);
        value = static_cast<int32_t>(negative ? 0u - bits : bits);
        return true;
    }
    if (magnitude > (negative ? 0x80000000u : 0x7FFFFFFFu))
        return false;
    value = static_cast<int32_t>(negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude));
    return true;
}

} // namespace

TIniFile::TIniFile(std::string fileName)
    : fileName_(std::move(fileName))
{
    std::string content;
    readable_ = ReadContent(fileName_, content);
    document_ = TIniDocument(content);
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const
{
    return document_.Value(section, key).value_or(defaultValue);
}

int32_t TIniFile::ReadInteger(const std::string& section, const std::string& key, int32_t defaultValue) const
{
    int32_t value = 0;
    return ParseInteger(ReadString(section, key, std::string()), value) ? value : defaultValue;
}

bool TIniFile::ReadBool(const std::string& section, const std::string& key, bool defaultValue) const
{
    return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

bool TIniFile::SectionExists(const std::string& section) const
{
    return document_.HasSection(section);
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const
{
    return document_.Value(section, key).has_value();
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const
{
    return document_.KeyNames(section);
}

std::vector<std::string> TIniFile::ReadSections() const
{
    return document_.SectionNames();
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    Change({TChange::TKind::Set, section, key, value});
}

void TIniFile::WriteInteger(const std::string& section, const std::string& key, int32_t value)
{
    WriteString(section, key, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& key, bool value)
{
    WriteString(section, key, value ? "1" : "0");
}

void TIniFile::DeleteKey(const std::string& section, const std::string& key)
{
    Change({TChange::TKind::DeleteKey, section, key, {}});
}

void TIniFile::EraseSection(const std::string& section)
{
    Change({TChange::TKind::EraseSection, section, {}, {}});
}

void TIniFile::Change(TChange change)
{
    if (Apply(document_, change, [this] { CheckWritable(); }))
        changes_.push_back(std::move(change));
}

bool TIniFile::Apply(TIniDocument& document, const TChange& change, const TIniDocument::TChangeGuard& allowChange)
{
    switch (change.kind) {
    case TChange::TKind::Set:
        return document.Set(change.section, change.key, change.value, allowChange);
    case TChange::TKind::DeleteKey:
        return document.DeleteKey(change.section, change.key, allowChange);
    case TChange::TKind::EraseSection:
        return document.EraseSection(change.section, allowChange);
    }
    return false;
}

void TIniFile::CheckWritable() const
{
    // Writing over a file that could not be read would lose everything else it holds.
    if (!readable_)
        throw EInOutError("Unable to read " + fileName_);
    const std::string native = NativePath(fileName_);
    uint32_t attributes = 0;
    // The new file replaces the old by a rename, which its permissions would not stop.
    const bool writable = GetFileAttributes(fileName_, attributes)
        ? (attributes & faReadOnly) == 0 && ::access(native.c_str(), W_OK) == 0
        : FolderTakesNewFiles(native);
    if (!writable)
        throw EInOutError("Unable to write to " + fileName_);
}

void TIniFile::UpdateFile()
{
    if (changes_.empty())
        return;
    CheckWritable();
    const TSaveLock lock(NativePath(fileName_));
    if (lock.TimedOut())
        throw EInOutError("Unable to write to " + fileName_);
    // Another program may have saved since this object read the file: only this object's
    // changes are made, to the file as it is now.
    std::string content;
    if (!ReadContent(fileName_, content))
        throw EInOutError("Unable to read " + fileName_);
    TIniDocument current(content);
    for (const TChange& change : changes_)
        Apply(current, change, [] {});
    // A writable file in a folder that takes no new files can only be written in place.
    if (!ReplaceWholeFile(fileName_, current.Text(), true))
        throw EInOutError("Unable to write to " + fileName_);
    document_ = std::move(current);
    changes_.clear();
}

} // namespace platform
