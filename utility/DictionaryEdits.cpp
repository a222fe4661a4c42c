#include "utility/DictionaryEdits.h"

#include "dictionary/dictionaryFiles.h"
#include "platform/Exceptions.h"
#include "platform/FileContent.h"
#include "platform/FileSystem.h"
#include "platform/PlainFile.h"
#include "platform/SaveLock.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace utility {

namespace {

bool HoldsBracket(const std::string& text)
{
    return text.find_first_of("[]") != std::string::npos;
}

// A replacement would write over a read-only file that an in-place write could not open.
void RefuseProtectedFile(const std::string& path)
{
    uint32_t attributes = 0;
    if (platform::GetFileAttributes(path, attributes) && (attributes & (platform::faReadOnly | platform::faDirectory)))
        throw platform::EInOutError("Cannot write " + path);
}

// Appends in place with one write, put on disk; on any failure the file is cut back to what it
// held. A kill can still stop the write between two pages, so this serves only where the folder
// takes no new file for a whole replacement.
void AppendInPlace(const std::string& path, const std::string& bytes)
{
    const int file = platform::OpenPlainFile(platform::NativePath(path), O_WRONLY | O_APPEND);
    if (file < 0)
        throw platform::EInOutError("Cannot open " + path);
    struct stat before {};
    const bool measured = ::fstat(file, &before) == 0;
    ssize_t count = -1;
    while (measured && (count = ::write(file, bytes.data(), bytes.size())) < 0 && errno == EINTR) {
    }
    const bool written = measured && count == static_cast<ssize_t>(bytes.size()) && ::fsync(file) == 0;
    if (!written && measured && ::ftruncate(file, before.st_size) == 0)
        ::fsync(file);
    ::close(file);
    if (!written)
        throw platform::EInOutError("Cannot write " + path);
}

// Leaves the index of the dictionary at Path older than the text about to be written, so that
// every later opening rebuilds it, while until then it goes on serving the words it holds. Done
// before the text changes: a kill between the two leaves an index rebuilt once for nothing,
// never one that passes for current. A day back is an older 2-second step of local time than
// the new text's, whatever a change of the clock's offset does meanwhile.
void LeaveIndexStale(const std::string& path)
{
    const std::string index = platform::NativePath(platform::ChangeFileExt(path, ".ndx"));
    struct stat info {};
    if (::stat(index.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return;
    constexpr time_t StaleBy = 24 * 60 * 60;
    const time_t stale = std::time(nullptr) - StaleBy;
    if (info.st_mtime <= stale)
        return;
    const timespec times[2] = {{0, UTIME_OMIT}, {stale, 0}};
    if (::utimensat(AT_FDCWD, index.c_str(), times, 0) != 0)
        ::truncate(index.c_str(), 0); // another's index we may write: empty, it is rebuilt as well
}

// An edit goes on only under the dictionary's save lock, held from reading the file to replacing
// it, so that two edits at once keep both; one that another holder kept too long is refused.
void RefuseLockHeldElsewhere(const platform::TSaveLock& lock, const std::string& path)
{
    if (lock.TimedOut())
        throw platform::EInOutError("Cannot write " + path);
}

} // namespace

std::optional<TEntryRefusal> CheckNewEntry(const std::string& word, const std::string& definition)
{
    // A bracket would end the word or the definition early and shift every later entry.
    if (HoldsBracket(word) || HoldsBracket(definition))
        return TEntryRefusal::BracketInText;
    if (word.size() > MaxWordLength)
        return TEntryRefusal::WordTooLong;
    if (definition.size() > MaxDefinitionLength)
        return TEntryRefusal::DefinitionTooLong;
    return std::nullopt;
}

std::vector<std::string> MemoLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::string FormatNewEntry(const std::string& word, const std::string& definition)
{
    const std::vector<std::string> lines = MemoLines(definition);
    std::string entry = word + "\r\n";
    switch (lines.size()) {
    case 0:
        return entry + "  []\r\n";
    case 1:
        // The whole text, so a definition ended with Enter puts "]" on a line of its own.
        return entry + "  [" + definition + "]\r\n";
    default:
        entry += "  [" + lines.front() + "\r\n";
        for (size_t i = 1; i + 1 < lines.size(); ++i)
            if (!dictionary::TrimBlanks(lines[i]).empty())
                entry += "  " + lines[i] + "\r\n";
        return entry + "  " + lines.back() + "]\r\n";
    }
}

void AppendToFile(const std::string& path, const std::string& bytes)
{
    // The whole file is replaced by the old bytes and the new entry: one write of an entry can
    // be cut by a kill at a page boundary, a rename cannot.
    RefuseProtectedFile(path);
    const platform::TSaveLock lock(platform::NativePath(path));
    RefuseLockHeldElsewhere(lock, path);
    // The file must still be there: an add never makes a dictionary of one entry.
    const int source = platform::OpenPlainFile(platform::NativePath(path), O_RDONLY);
    if (source < 0)
        throw platform::EInOutError("Cannot open " + path);
    LeaveIndexStale(path);
    const bool replaced = platform::ReplaceWithAppended(path, source, bytes);
    ::close(source);
    if (!replaced)
        AppendInPlace(path, bytes);
}

void ReplaceFileContent(const std::string& path, const std::string& bytes)
{
    RefuseProtectedFile(path);
    const platform::TSaveLock lock(platform::NativePath(path));
    RefuseLockHeldElsewhere(lock, path);
    LeaveIndexStale(path);
    if (!platform::ReplaceWholeFile(path, bytes, false))
        throw platform::EInOutError("Cannot write " + path);
}

} // namespace utility
