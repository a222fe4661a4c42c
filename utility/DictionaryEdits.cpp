#include "utility/DictionaryEdits.h"

#include "dictionary/dictionaryFiles.h"
#include "platform/Exceptions.h"
#include "platform/FileContent.h"
#include "platform/FileSystem.h"

#include <fstream>

namespace utility {

namespace {

bool HoldsBracket(const std::string& text)
{
    return text.find_first_of("[]") != std::string::npos;
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
    std::ofstream out(platform::NativePath(path), std::ios::binary | std::ios::app);
    if (!out)
        throw platform::EInOutError("Cannot open " + path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out)
        throw platform::EInOutError("Cannot write " + path);
}

void ReplaceFileContent(const std::string& path, const std::string& bytes)
{
    uint32_t attributes = 0;
    if (platform::GetFileAttributes(path, attributes) && (attributes & (platform::faReadOnly | platform::faDirectory)))
        throw platform::EInOutError("Cannot write " + path);
    if (!platform::ReplaceWholeFile(path, bytes, false))
        throw platform::EInOutError("Cannot write " + path);
}

} // namespace utility
