#pragma once
// Settings files with Windows profile semantics: case-insensitive sections and keys, values of at
// most 2047 characters, CR LF lines, the rest of the file kept as it was; a write replaces the
// file atomically (or, when its folder takes no new files, writes it in place). Every call reads
// the file afresh, as the profile functions do.
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

class TIniFile {
public:
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

    // Throw EInOutError when the file cannot be written.
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int32_t value);
    void WriteBool(const std::string& section, const std::string& key, bool value);
    void DeleteKey(const std::string& section, const std::string& key);
    void EraseSection(const std::string& section);

private:
    std::string fileName_;
};

} // namespace platform
