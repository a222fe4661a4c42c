#pragma once
// The text of a settings file held parsed: its lines as they stand, grouped under their section
// headers, with sections and keys indexed case-insensitively so that a lookup costs the same in a
// file of ten sections or of ten thousand. The first of two equal sections wins, as does the
// first of two equal keys in it; changes keep every other line as it was.
#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace platform {

class TIniDocument {
public:
    TIniDocument() = default;
    // Lines end at LF, with or without CR before it.
    explicit TIniDocument(const std::string& content);

    // The lines, each ended with CR LF.
    std::string Text() const;

    // The value trimmed, without one pair of enclosing quotes, at most 2047 characters.
    std::optional<std::string> Value(const std::string& section, const std::string& key) const;
    bool HasSection(const std::string& section) const;
    std::vector<std::string> SectionNames() const;           // each name once
    std::vector<std::string> KeyNames(const std::string& section) const; // each name once

    // Each change returns whether the text changed; when it would, AllowChange runs first and
    // may throw to leave the document as it was.
    using TChangeGuard = std::function<void()>;
    // A new key goes to the end of its section, before the blank lines that close it; a new
    // section to the end of the text. Line breaks cut names and value short.
    bool Set(const std::string& section, const std::string& key, const std::string& value,
             const TChangeGuard& allowChange);
    // Every copy of the key in the section, or a later duplicate would take its place.
    bool DeleteKey(const std::string& section, const std::string& key, const TChangeGuard& allowChange);
    // Every section of that name.
    bool EraseSection(const std::string& section, const TChangeGuard& allowChange);

private:
    enum class TLineKind { Other, Section, Key };

    struct TLine {
        std::string text;
        TLineKind kind = TLineKind::Other;
        std::string name; // section or key name, trimmed
    };

    // A section header and the lines up to the next one.
    struct TSection {
        TLine header;
        std::vector<TLine> lines;
        // Folded name -> first line of that key; made when the section is first searched, since
        // most sections of a large file never are.
        mutable std::unordered_map<std::string, size_t> keys;
        mutable bool keysIndexed = false;
    };

    static TLine ParseLine(std::string text);
    static std::string Fold(const std::string& name);
    void AddLine(TLine line);
    static const std::unordered_map<std::string, size_t>& Keys(const TSection& section);
    void IndexSections();
    const TSection* FindSection(const std::string& section) const;
    TSection* FindSection(const std::string& section);
    static const TLine* FindKey(const TSection& section, const std::string& key);

    std::vector<TLine> preamble_; // lines before the first section header
    std::vector<TSection> sections_;
    std::unordered_map<std::string, size_t> sectionIndex_; // folded name -> first section of that name
};

} // namespace platform
