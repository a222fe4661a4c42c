#include "utility/DictionaryEdits.h"

#include "dictionary/dictionaryFiles.h"
#include "platform/Exceptions.h"
#include "platform/FileContent.h"
#include "platform/FileSystem.h"

#include <cerrno>
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
    const int file = ::open(platform::NativePath(path).c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
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
    if (platform::FileExists(path) && platform::ReplaceWholeFile(path, platform::ReadWholeFile(path) + bytes, false))
        return;
    AppendInPlace(path, bytes);
}

void DropIndex(const std::string& path)
{
    platform::DeleteFile(platform::ChangeFileExt(path, ".ndx"));
}

void ReplaceFileContent(const std::string& path, const std::string& bytes)
{
    RefuseProtectedFile(path);
    if (!platform::ReplaceWholeFile(path, bytes, false))
        throw platform::EInOutError("Cannot write " + path);
}

} // namespace utility
