#pragma once
// Settings files with Windows profile semantics: case-insensitive sections and keys, values of at
// most 2047 characters, CR LF lines, the rest of the file kept as it was. The file is read once,
// when the object is made, and kept parsed. Writes change that copy and are remembered;
// UpdateFile then makes the same changes to the file as it is at that moment, so that keys
// another program saved meanwhile are kept, and replaces it once, whole, so that a save of many
// keys leaves on disk either the old file or the new one, never a mix.
#include "platform/IniDocument.h"

#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class TIniFile {
public:
    // A missing file reads as an empty one, and so does one that cannot be read; that one is
    // never written over, since everything else it holds would be lost.
    explicit TIniFile(std::string fileName);
    const std::string& FileName() const { return fileName_; }

    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    // Decimal, or hexadecimal after "0x", "0X" or "$"; anything else gives the default.
    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t defaultValue) const;
    bool ReadBool(const std::string& section, const std::string& key, bool defaultValue) const;
    bool SectionExists(const std::string& section) const;
    bool ValueExists(const std::string& section, const std::string& key) const;
    std::vector<std::string> ReadSection(const std::string& section) const; // its key names
    std::vector<std::string> ReadSections() const;

    // A change that the file could not take (it cannot be read, is read-only, or has no folder
    // to be made in) throws EInOutError and is not made. Nothing reaches the file before
    // UpdateFile.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int32_t value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    void DeleteKey(const std::string& section, const std::string& key);
    void EraseSection(const std::string& section);

    // Writes the changes made since the last update, in their order, into the file as it now
    // is: a temporary file, flushed to disk, renamed over the file (in place when its folder
    // takes no new files; through symbolic links, the file they name). Saves of other objects
    // and programs wait meanwhile, on a hidden lock file beside that file (".NAME.lock",
    // TSaveLock); a lock another holds past a few seconds fails the save. The object then reads
    // the file it wrote. Does nothing when nothing changed. Throws EInOutError when the file
    // cannot be read or written; the changes stay pending.
    // Changes never updated are dropped with the object, so a save cut short by an error leaves
    // the file as it was.
    void UpdateFile();

private:
    // One change as it was made, to be made again on the file as it is when it is saved.
    struct TChange {
        enum class TKind { Set, DeleteKey, EraseSection } kind;
        std::string section;
        std::string key;
        std::string value;
    };

    // Throws EInOutError when a change could not be written to the file.
    void CheckWritable() const;
    // Makes Change in the kept copy and remembers it when the copy changed.
    void Change(TChange change);
    static bool Apply(TIniDocument& document, const TChange& change, const TIniDocument::TChangeGuard& allowChange);

    std::string fileName_;
    TIniDocument document_;
    bool readable_ = true;
    std::vector<TChange> changes_; // since the last update
};

} // namespace platform
