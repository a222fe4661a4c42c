#pragma once
// The entries of a dictionary file as the readers see them, and the folding of a word into the
// letters the player guesses: shared by the checks over the bundled dictionaries.
#include <string>
#include <vector>

namespace content {

struct TEntry {
    std::string word;       // trimmed
    std::string definition; // trimmed, control bytes removed: an HTML fragment
};

// Splits a dictionary into entries; false at the first bracket out of turn.
bool ReadEntries(const std::string& bytes, std::vector<TEntry>& entries);

// Windows-1252 text with its accents taken off and in lower case: what the player's letters are
// matched with. One byte for one byte.
std::string Folded(const std::string& text);

} // namespace content
