#pragma once
// What the utility writes into dictionary files and reads from them besides the engine: the
// layout of an appended entry, the checks that keep an entry within the file's format, and
// whole-file reads and replacements that never leave half a file behind.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace utility {

constexpr size_t MaxWordLength = 50;
constexpr size_t MaxDefinitionLength = 32760;

enum class TEntryRefusal { BracketInText, WordTooLong, DefinitionTooLong };

// Why Word and Definition (CR LF lines) could not become an entry; nothing when they can.
std::optional<TEntryRefusal> CheckNewEntry(const std::string& word, const std::string& definition);

// The lines of a memo's text (CR LF between lines): an empty last line is not a line, so an empty
// text has none.
std::vector<std::string> MemoLines(const std::string& text);

// The entry as the utility appends it: the word on a line of its own, then the definition on
// lines that begin with two blanks, the first "  [" and the last ending "]"; blank middle lines
// of a longer definition are dropped. Every line ends with CR LF.
std::string FormatNewEntry(const std::string& word, const std::string& definition);

// Bytes are appended as they are and put on disk: the file is replaced whole by its old bytes
// and the new ones, or, where that cannot be done (a folder that takes no new file), written in
// place with one write. Throws platform::EInOutError when the file is gone or cannot be written;
// the file then holds what it held, so that no part of an entry is left (a reader would take the
// rest of the file for its definition).
void AppendToFile(const std::string& path, const std::string& bytes);
// Replaces the file's content by way of a temporary file renamed over it, so a failed write
// leaves the old file whole. A read-only file is refused. Throws platform::EInOutError.
//
// Both hold the dictionary's save lock (platform::TSaveLock) from reading the file to replacing
// it, so that two utilities editing at once keep both edits, and leave its index older than the
// new text before the text changes, so that the next opening rebuilds it while the old index
// still serves the words it holds.
void ReplaceFileContent(const std::string& path, const std::string& bytes);

} // namespace utility
