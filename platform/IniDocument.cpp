#include "platform/IniDocument.h"

#include "platform/TextTrim.h"
#include "platform/Windows1252.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace platform {
namespace {

constexpr size_t kMaxValueLength = 2047;

// A line break would end the line early and let the rest pose as keys or sections of its own.
std::string SingleLine(const std::string& text)
{
    return text.substr(0, text.find_first_of("\r\n"));
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t") == std::string::npos;
}

} // namespace

TIniDocument::TIniDocument(const std::string& content)
{
    size_t start = 0;
    while (start < content.size()) {
        size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        const size_t length = end > start && content[end - 1] == '\r' ? end - start - 1 : end - start;
        AddLine(ParseLine(content.substr(start, length)));
        start = end + 1;
    }
    IndexSections();
}

std::string TIniDocument::Text() const
{
    std::string content;
    const auto append = [&content](const TLine& line) {
        content += line.text;
        content += "\r\n";
    };
    std::for_each(preamble_.begin(), preamble_.end(), append);
    for (const TSection& section : sections_) {
        append(section.header);
        std::for_each(section.lines.begin(), section.lines.end(), append);
    }
    return content;
}

std::optional<std::string> TIniDocument::Value(const std::string& section, const std::string& key) const
{
    const TSection* found = FindSection(section);
    const TLine* line = found == nullptr ? nullptr : FindKey(*found, key);
    if (line == nullptr)
        return std::nullopt;
    std::string value = TrimSpaceAndTab(line->text.substr(line->text.find('=') + 1));
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    if (value.size() > kMaxValueLength)
        value.resize(kMaxValueLength);
    return value;
}

bool TIniDocument::HasSection(const std::string& section) const
{
    return FindSection(section) != nullptr;
}

std::vector<std::string> TIniDocument::SectionNames() const
{
    std::vector<std::string> names;
    for (size_t i = 0; i < sections_.size(); ++i)
        if (sectionIndex_.at(Fold(sections_[i].header.name)) == i)
            names.push_back(sections_[i].header.name);
    return names;
}

std::vector<std::string> TIniDocument::KeyNames(const std::string& section) const
{
    std::vector<std::string> names;
    const TSection* found = FindSection(section);
    if (found == nullptr)
        return names;
    for (size_t i = 0; i < found->lines.size(); ++i) {
        const TLine& line = found->lines[i];
        if (line.kind == TLineKind::Key && Keys(*found).at(Fold(line.name)) == i)
            names.push_back(line.name);
    }
    return names;
}

bool TIniDocument::Set(const std::string& section, const std::string& key, const std::string& value,
                       const TChangeGuard& allowChange)
{
    const std::string sectionName = TrimSpaceAndTab(SingleLine(section));
    const std::string keyName = TrimSpaceAndTab(SingleLine(key));
    const std::string text = SingleLine(value);
    TSection* target = FindSection(sectionName);
    if (target != nullptr) {
        const auto& keys = Keys(*target);
        const auto found = keys.find(Fold(keyName));
        if (found != keys.end()) {
            // Only the value changes: the key and the spacing around "=" stay as they were.
            TLine& line = target->lines[found->second];
            const size_t valueStart
                = std::min(line.text.find_first_not_of(" \t", line.text.find('=') + 1), line.text.size());
            std::string changed = line.text.substr(0, valueStart) + text;
            if (changed == line.text)
                return false;
            allowChange();
            line.text = std::move(changed);
            return true;
        }
    }
    allowChange();
    if (target == nullptr) {
        sections_.push_back({ParseLine("[" + sectionName + "]"), {}, {}});
        sectionIndex_.emplace(Fold(sectionName), sections_.size() - 1);
        target = &sections_.back();
    }
    size_t at = target->lines.size();
    while (at > 0 && IsBlank(target->lines[at - 1].text))
        --at;
    // Only blank lines follow the new one, so no indexed key moves.
    target->lines.insert(target->lines.begin() + static_cast<long>(at), ParseLine(keyName + "=" + text));
    const TLine& inserted = target->lines[at];
    if (inserted.kind == TLineKind::Key && target->keysIndexed)
        target->keys.emplace(Fold(inserted.name), at);
    else if (inserted.kind == TLineKind::Section)
        *this = TIniDocument(Text()); // a key name that reads as a header starts a section, as on the next read
    return true;
}

bool TIniDocument::DeleteKey(const std::string& section, const std::string& key, const TChangeGuard& allowChange)
{
    TSection* target = FindSection(section);
    if (target == nullptr || FindKey(*target, key) == nullptr)
        return false;
    allowChange();
    const std::string name = Fold(TrimSpaceAndTab(key));
    std::erase_if(target->lines,
                  [&](const TLine& line) { return line.kind == TLineKind::Key && Fold(line.name) == name; });
    target->keysIndexed = false;
    return true;
}

bool TIniDocument::EraseSection(const std::string& section, const TChangeGuard& allowChange)
{
    if (FindSection(section) == nullptr)
        return false;
    allowChange();
    const std::string name = Fold(TrimSpaceAndTab(section));
    std::erase_if(sections_, [&](const TSection& candidate) { return Fold(candidate.header.name) == name; });
    IndexSections();
    return true;
}

TIniDocument::TLine TIniDocument::ParseLine(std::string text)
{
    TLine line;
    line.text = std::move(text);
    const std::string trimmed = TrimSpaceAndTab(line.text);
    if (!trimmed.empty() && trimmed.front() == '[') {
        // Up to the last "]", so that a name holding "]" reads back as it was written.
        const size_t close = trimmed.rfind(']');
        line.kind = TLineKind::Section;
        line.name = TrimSpaceAndTab(close == std::string::npos ? trimmed.substr(1) : trimmed.substr(1, close - 1));
        return line;
    }
    const size_t equals = trimmed.find('=');
    if (trimmed.empty() || trimmed.front() == ';' || equals == std::string::npos)
        return line;
    line.name = TrimSpaceAndTab(trimmed.substr(0, equals));
    if (!line.name.empty())
        line.kind = TLineKind::Key;
    return line;
}

std::string TIniDocument::Fold(const std::string& name)
{
    return AnsiLowerCase(name);
}

// Appends a line as read, without indexing it.
void TIniDocument::AddLine(TLine line)
{
    if (line.kind == TLineKind::Section)
        sections_.push_back({std::move(line), {}, {}});
    else if (sections_.empty())
        preamble_.push_back(std::move(line));
    else
        sections_.back().lines.push_back(std::move(line));
}

const std::unordered_map<std::string, size_t>& TIniDocument::Keys(const TSection& section)
{
    if (!section.keysIndexed) {
        section.keys.clear();
        for (size_t i = 0; i < section.lines.size(); ++i)
            if (section.lines[i].kind == TLineKind::Key)
                section.keys.emplace(Fold(section.lines[i].name), i); // keeps the first of equal keys
        section.keysIndexed = true;
    }
    return section.keys;
}

void TIniDocument::IndexSections()
{
    sectionIndex_.clear();
    for (size_t i = 0; i < sections_.size(); ++i)
        sectionIndex_.emplace(Fold(sections_[i].header.name), i); // keeps the first of equal sections
}

const TIniDocument::TSection* TIniDocument::FindSection(const std::string& section) const
{
    const auto found = sectionIndex_.find(Fold(TrimSpaceAndTab(section)));
    return found == sectionIndex_.end() ? nullptr : &sections_[found->second];
}

TIniDocument::TSection* TIniDocument::FindSection(const std::string& section)
{
    return const_cast<TSection*>(std::as_const(*this).FindSection(section));
}

const TIniDocument::TLine* TIniDocument::FindKey(const TSection& section, const std::string& key)
{
    const auto& keys = Keys(section);
    const auto found = keys.find(Fold(TrimSpaceAndTab(key)));
    return found == keys.end() ? nullptr : &section.lines[found->second];
}

} // namespace platform
