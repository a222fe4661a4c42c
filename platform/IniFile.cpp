#include "platform/IniFile.h"

#include "platform/Exceptions.h"
#include "platform/FileSystem.h"
#include "platform/Windows1252.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr size_t kMaxValueLength = 2047;

enum class TLineKind { Other, Section, Key };

// One line of the file as it stands, with what a reader sees in it.
struct TIniLine {
    std::string text;
    TLineKind kind = TLineKind::Other;
    std::string name; // section or key name, trimmed
};

using TIniLines = std::vector<TIniLine>;

std::string Trim(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

TIniLine ParseLine(std::string text)
{
    TIniLine line;
    line.text = std::move(text);
    const std::string trimmed = Trim(line.text);
    if (!trimmed.empty() && trimmed.front() == '[') {
        // Up to the last "]", so that a name holding "]" reads back as it was written.
        const size_t close = trimmed.rfind(']');
        line.kind = TLineKind::Section;
        line.name = Trim(close == std::string::npos ? trimmed.substr(1) : trimmed.substr(1, close - 1));
        return line;
    }
    const size_t equals = trimmed.find('=');
    if (trimmed.empty() || trimmed.front() == ';' || equals == std::string::npos)
        return line;
    line.name = Trim(trimmed.substr(0, equals));
    if (!line.name.empty())
        line.kind = TLineKind::Key;
    return line;
}

TIniLines SplitLines(const std::string& content)
{
    TIniLines lines;
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        const size_t length = end > start && content[end - 1] == '\r' ? end - start - 1 : end - start;
        lines.push_back(ParseLine(content.substr(start, length)));
        start = end + 1;
    }
    return lines;
}

std::string JoinLines(const TIniLines& lines)
{
    std::string content;
    for (const TIniLine& line : lines)
        content += line.text + "\r\n";
    return content;
}

// False when the file exists but cannot be read; a missing file is an empty one.
bool ReadContent(const std::string& fileName, std::string& content)
{
    content.clear();
    const int fd = ::open(NativePath(fileName).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT || errno == ENOTDIR;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
    char buffer[65536];
    while (ok) {
        const ssize_t count = ::read(fd, buffer, sizeof buffer);
        if (count > 0)
            content.append(buffer, static_cast<size_t>(count));
        else if (count == 0)
            break;
        else
            ok = errno == EINTR;
    }
    ::close(fd);
    return ok;
}

TIniLines LoadForReading(const std::string& fileName)
{
    std::string content;
    ReadContent(fileName, content); // an unreadable file reads as defaults, as a missing one
    return SplitLines(content);
}

size_t FindSection(const TIniLines& lines, const std::string& section)
{
    const std::string name = Trim(section);
    for (size_t i = 0; i < lines.size(); ++i)
        if (lines[i].kind == TLineKind::Section && AnsiSameText(lines[i].name, name))
            return i;
    return lines.size();
}

// One past the last line of the section whose header is at Header.
size_t SectionEnd(const TIniLines& lines, size_t header)
{
    size_t end = header + 1;
    while (end < lines.size() && lines[end].kind != TLineKind::Section)
        ++end;
    return end;
}

// The line of Key in the first section named Section, or lines.size().
size_t FindKey(const TIniLines& lines, const std::string& section, const std::string& key)
{
    const size_t header = FindSection(lines, section);
    if (header == lines.size())
        return lines.size();
    const std::string name = Trim(key);
    const size_t end = SectionEnd(lines, header);
    for (size_t i = header + 1; i < end; ++i)
        if (lines[i].kind == TLineKind::Key && AnsiSameText(lines[i].name, name))
            return i;
    return lines.size();
}

std::string ValueOf(const TIniLine& line)
{
    std::string value = Trim(line.text.substr(line.text.find('=') + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    if (value.size() > kMaxValueLength)
        value.resize(kMaxValueLength);
    return value;
}

// A line break would end the line early and let the rest pose as keys or sections of its own.
std::string SingleLine(const std::string& text)
{
    return text.substr(0, text.find_first_of("\r\n"));
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

// The file as read before a change, to be written back with the change.
struct TIniDocument {
    TIniLines lines;
    std::string unchanged; // the lines as they would be written before any change
};

TIniDocument LoadForWriting(const std::string& fileName)
{
    std::string content;
    // Writing over a file that could not be read would lose everything else it holds.
    if (!ReadContent(fileName, content))
        throw EInOutError("Unable to read " + fileName);
    TIniDocument document;
    document.lines = SplitLines(content);
    document.unchanged = JoinLines(document.lines);
    return document;
}

void Store(const std::string& fileName, const TIniDocument& document)
{
    const std::string content = JoinLines(document.lines);
    if (content == document.unchanged)
        return;
    const std::string native = NativePath(fileName);
    uint32_t attributes = 0;
    // The new file replaces the old by a rename, which its permissions would not stop.
    if (GetFileAttributes(fileName, attributes) && ((attributes & faReadOnly) != 0 || ::access(native.c_str(), W_OK) != 0))
        throw EInOutError("Unable to write to " + fileName);
    QSaveFile file(QFile::decodeName(QByteArray::fromStdString(native)));
    // A writable file in a folder that takes no new files can only be written in place.
    file.setDirectWriteFallback(true);
    const bool written = file.open(QIODevice::WriteOnly)
        && file.write(content.data(), static_cast<qint64>(content.size())) == static_cast<qint64>(content.size())
        && file.commit();
    if (!written)
        throw EInOutError("Unable to write to " + fileName);
}

} // namespace

TIniFile::TIniFile(std::string fileName)
    : fileName_(std::move(fileName))
{
}

std::string TIniFile::ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const
{
    const TIniLines lines = LoadForReading(fileName_);
    const size_t found = FindKey(lines, section, key);
    return found == lines.size() ? defaultValue : ValueOf(lines[found]);
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
    const TIniLines lines = LoadForReading(fileName_);
    return FindSection(lines, section) != lines.size();
}

bool TIniFile::ValueExists(const std::string& section, const std::string& key) const
{
    const TIniLines lines = LoadForReading(fileName_);
    return FindKey(lines, section, key) != lines.size();
}

std::vector<std::string> TIniFile::ReadSection(const std::string& section) const
{
    const TIniLines lines = LoadForReading(fileName_);
    std::vector<std::string> keys;
    const size_t header = FindSection(lines, section);
    if (header == lines.size())
        return keys;
    const size_t end = SectionEnd(lines, header);
    for (size_t i = header + 1; i < end; ++i) {
        const auto same = [&](const std::string& key) { return AnsiSameText(key, lines[i].name); };
        if (lines[i].kind == TLineKind::Key && std::none_of(keys.begin(), keys.end(), same))
            keys.push_back(lines[i].name);
    }
    return keys;
}

std::vector<std::string> TIniFile::ReadSections() const
{
    std::vector<std::string> sections;
    for (const TIniLine& line : LoadForReading(fileName_)) {
        const auto same = [&](const std::string& name) { return AnsiSameText(name, line.name); };
        if (line.kind == TLineKind::Section && std::none_of(sections.begin(), sections.end(), same))
            sections.push_back(line.name);
    }
    return sections;
}

void TIniFile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    TIniDocument document = LoadForWriting(fileName_);
    TIniLines& lines = document.lines;
    const std::string sectionName = Trim(SingleLine(section));
    const std::string keyName = Trim(SingleLine(key));
    const std::string text = SingleLine(value);
    const size_t found = FindKey(lines, sectionName, keyName);
    if (found != lines.size()) {
        // Only the value changes: the key and the spacing around "=" stay as they were.
        TIniLine& line = lines[found];
        const size_t valueStart = std::min(line.text.find_first_not_of(" \t", line.text.find('=') + 1), line.text.size());
        line.text = line.text.substr(0, valueStart) + text;
    } else {
        const size_t header = FindSection(lines, sectionName);
        size_t at = lines.size();
        if (header == lines.size()) {
            lines.push_back(ParseLine("[" + sectionName + "]"));
            at = lines.size();
        } else {
            at = SectionEnd(lines, header);
            while (at > header + 1 && Trim(lines[at - 1].text).empty())
                --at;
        }
        lines.insert(lines.begin() + static_cast<long>(at), ParseLine(keyName + "=" + text));
    }
    Store(fileName_, document);
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
    TIniDocument document = LoadForWriting(fileName_);
    TIniLines& lines = document.lines;
    const size_t header = FindSection(lines, section);
    if (header == lines.size())
        return;
    const std::string name = Trim(key);
    const auto first = lines.begin() + static_cast<long>(header) + 1;
    const auto last = lines.begin() + static_cast<long>(SectionEnd(lines, header));
    // Every copy goes, or a later duplicate would take the deleted key's place.
    lines.erase(std::remove_if(first, last, [&](const TIniLine& line) {
        return line.kind == TLineKind::Key && AnsiSameText(line.name, name);
    }), last);
    Store(fileName_, document);
}

void TIniFile::EraseSection(const std::string& section)
{
    TIniDocument document = LoadForWriting(fileName_);
    TIniLines& lines = document.lines;
    for (size_t header = FindSection(lines, section); header != lines.size(); header = FindSection(lines, section))
        lines.erase(lines.begin() + static_cast<long>(header), lines.begin() + static_cast<long>(SectionEnd(lines, header)));
    Store(fileName_, document);
}

} // namespace platform
