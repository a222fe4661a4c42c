#include "content/DictionaryEntries.h"
#include "platform/Windows1252.h"

#include <QString>
#include <algorithm>
#include <utility>

namespace content {

namespace {

std::string Trimmed(const std::string& text)
{
    const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    const auto first = std::find_if_not(text.begin(), text.end(), isBlank);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlank).base();
    return first < last ? std::string(first, last) : std::string();
}

} // namespace

bool ReadEntries(const std::string& bytes, std::vector<TEntry>& entries)
{
    size_t wordStart = 0;
    while (true) {
        const size_t open = bytes.find_first_of("[]", wordStart);
        if (open == std::string::npos)
            return true;
        if (bytes[open] == ']')
            return false;
        const size_t close = bytes.find_first_of("[]", open + 1);
        if (close == std::string::npos || bytes[close] == '[')
            return false;
        std::string definition = Trimmed(bytes.substr(open + 1, close - open - 1));
        std::erase_if(definition, [](char c) { return static_cast<unsigned char>(c) < 32; });
        entries.push_back({Trimmed(bytes.substr(wordStart, open - wordStart)), definition});
        wordStart = close + 1;
    }
}

std::string Folded(const std::string& text)
{
    static const auto table = [] {
        std::string accented, plain;
        platform::UnicodeToAnsi(QString::fromUtf8("àáâãäåçèéêëìíîïñòóôõöøùúûüýÿÀÁÂÃÄÅÇÈÉÊËÌÍÎÏÑÒÓÔÕÖØÙÚÛÜÝß"), accented);
        plain = "aaaaaaceeeeiiiinoooooouuuuyyaaaaaaceeeeiiiinoooooouuuuys";
        return std::make_pair(accented, plain);
    }();
    std::string folded = text;
    for (char& c : folded) {
        const size_t at = table.first.find(c);
        if (at != std::string::npos)
            c = table.second[at];
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

} // namespace content
