#include "content/AnswerForms.h"
#include "content/DictionaryEntries.h"
#include "htmlview/HtmlScanner.h"
#include "platform/Windows1252.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <span>
#include <string_view>

namespace content {

namespace {

using htmlview::HtmlToken;

// Tags that change the look of text within a line: a word may run on across them.
bool RunsTextOn(HtmlToken kind)
{
    static const std::set<HtmlToken> inlineKinds = {
        HtmlToken::BTag,      HtmlToken::BEnd,      HtmlToken::ITag,     HtmlToken::IEnd,
        HtmlToken::UTag,      HtmlToken::UEnd,      HtmlToken::EmTag,    HtmlToken::EmEnd,
        HtmlToken::StrongTag, HtmlToken::StrongEnd, HtmlToken::FontTag,  HtmlToken::FontEnd,
        HtmlToken::ATag,      HtmlToken::AEnd,      HtmlToken::BigTag,   HtmlToken::BigEnd,
        HtmlToken::SmallTag,  HtmlToken::SmallEnd,  HtmlToken::SubTag,   HtmlToken::SubEnd,
        HtmlToken::SupTag,    HtmlToken::SupEnd,
    };
    return inlineKinds.count(kind) > 0;
}

// The characters a reader sees: text and entities as read, a space where a tag breaks the line.
std::string VisibleText(const std::string& html)
{
    htmlview::THtmlScanner scanner;
    scanner.SetBufferSource(html.data(), html.size());
    scanner.NextChar();
    std::string text;
    for (scanner.NextToken(); scanner.Token != HtmlToken::EndOfInputToken; scanner.NextToken()) {
        if (scanner.Token == HtmlToken::TextToken || scanner.Token == HtmlToken::OtherCharToken)
            text += scanner.TokenText;
        else if (!RunsTextOn(scanner.Token))
            text += ' ';
    }
    return text;
}

// The letters a folded character stands for; empty for anything that parts words.
std::string Letters(char folded)
{
    switch (static_cast<unsigned char>(folded)) {
    case 0x8C: case 0x9C: return "oe"; // the ligature of "coeur"
    case 0xC6: case 0xE6: return "ae";
    }
    if (folded >= 'a' && folded <= 'z')
        return std::string(1, folded);
    return {};
}

bool IsConsonant(char c)
{
    return c >= 'a' && c <= 'z' && std::string_view("aeiouy").find(c) == std::string_view::npos;
}

bool EndsWith(const std::string& word, std::string_view end)
{
    return word.size() > end.size() && word.compare(word.size() - end.size(), end.size(), end) == 0;
}

// The word without its last letters.
std::string Cut(const std::string& word, size_t letters)
{
    return word.substr(0, word.size() - std::min(letters, word.size()));
}

void AddEach(std::set<std::string>& forms, const std::string& stem, std::initializer_list<const char*> ends)
{
    for (const char* end : ends)
        forms.insert(stem + end);
}

// Plurals that change the end of the word.
struct TIrregular {
    const char* end;
    const char* plural;
};
constexpr TIrregular FrenchIrregulars[] = {{"oeil", "yeux"}, {"ciel", "cieux"}};
constexpr TIrregular EnglishIrregulars[] = {{"man", "men"},     {"child", "children"}, {"foot", "feet"},
                                            {"tooth", "teeth"}, {"mouse", "mice"},     {"goose", "geese"},
                                            {"person", "people"}};

// Plurals and feminines. The endings of both languages serve both: one that does not fit the word
// only makes a spelling that no text holds.
std::set<std::string> NounForms(const std::string& word, TLanguage language)
{
    std::set<std::string> forms = {word};
    AddEach(forms, word, {"s", "x", "e", "es"});
    const char last = word.back();
    if (IsConsonant(last))
        AddEach(forms, word + last, {"e", "es"});
    if (EndsWith(word, "al"))
        forms.insert(Cut(word, 2) + "aux");
    if (EndsWith(word, "ail"))
        forms.insert(Cut(word, 3) + "aux");
    if (EndsWith(word, "eux"))
        AddEach(forms, Cut(word, 1), {"se", "ses"});
    if (EndsWith(word, "er"))
        AddEach(forms, Cut(word, 2), {"ere", "eres"});
    if (EndsWith(word, "f"))
        AddEach(forms, Cut(word, 1), {"ve", "ves"});
    if (EndsWith(word, "fe"))
        AddEach(forms, Cut(word, 2), {"ves"});
    if (EndsWith(word, "y") && IsConsonant(word[word.size() - 2]))
        forms.insert(Cut(word, 1) + "ies");
    for (const TIrregular& irregular : language == TLanguage::French ? std::span<const TIrregular>(FrenchIrregulars)
                                                                         : std::span<const TIrregular>(EnglishIrregulars))
        if (word == irregular.end || EndsWith(word, irregular.end))
            forms.insert(Cut(word, std::strlen(irregular.end)) + irregular.plural);
    return forms;
}

// French words for the tree, the holder or the group of a thing, or the rank of a number:
// "citronnier", "fourmilière", "douzaine", "douzième".
void AddFrenchDerivedForms(std::set<std::string>& forms, const std::string& word)
{
    const std::string stem = EndsWith(word, "e") ? Cut(word, 1) : word;
    if (stem.size() < 3)
        return;
    for (const std::string& base : {stem, stem + stem.back(), stem + 'l'})
        AddEach(forms, base, {"ier", "iers", "iere", "ieres"});
    AddEach(forms, stem, {"aine", "aines", "ieme", "iemes"});
}

// A French stem shorter than this could be any word ("l" of "lire" would flag "lit").
constexpr size_t ShortestVerbStem = 3;

void AddFrenchVerbForms(std::set<std::string>& forms, const std::string& word)
{
    const std::string stem = Cut(word, 2);
    if (stem.size() < ShortestVerbStem)
        return;
    if (EndsWith(word, "er")) {
        AddEach(forms, stem, {"e", "es", "ent", "ons", "ez", "ais", "ait", "aient", "ions", "iez", "ai", "as", "a",
                              "ames", "ates", "erent", "era", "eras", "erons", "erez", "eront", "erai", "erais",
                              "erait", "erions", "eriez", "eraient", "ee", "ees", "ant",
                              // "manger": nous mangeons, il mangeait
                              "eons", "eais", "eait", "eaient", "eant", "ea"});
        // "appeler", "jeter": il appelle, elle jette
        AddEach(forms, stem + stem.back(), {"e", "es", "ent", "era", "erai", "eras", "erons", "erez", "eront",
                                            "erait", "erais", "eraient"});
        // "payer", "nettoyer": il paie, elle nettoie
        if (stem.back() == 'y')
            AddEach(forms, Cut(stem, 1) + "i", {"e", "es", "ent", "era", "eront"});
    } else if (EndsWith(word, "ir")) {
        AddEach(forms, stem, {"is", "it", "issons", "issez", "issent", "isse", "isses", "issions", "issiez",
                              "issais", "issait", "issaient", "i", "ie", "ies", "ira", "irai", "iras", "irons",
                              "irez", "iront", "irait", "irais", "iraient", "issant",
                              // "partir", "dormir": nous partons, ils dorment
                              "s", "t", "ons", "ez", "ent", "ant", "ait", "ais", "aient"});
    } else if (EndsWith(word, "re")) {
        AddEach(forms, stem, {"", "s", "t", "ons", "ez", "ent", "ais", "ait", "aient", "u", "ue", "us", "ues",
                              "ant", "e", "es", "i", "is", "it", "ra", "rai", "ras", "rons", "rez", "ront"});
    }
}

void AddEnglishVerbForms(std::set<std::string>& forms, const std::string& word)
{
    AddEach(forms, word, {"s", "es", "ed", "ing"});
    const char last = word.back();
    if (last == 'e')
        AddEach(forms, Cut(word, 1), {"ed", "ing"});
    if (last == 'y')
        AddEach(forms, Cut(word, 1), {"ied", "ies"});
    if (IsConsonant(last) && word.size() >= 2 && !IsConsonant(word[word.size() - 2]))
        AddEach(forms, word + last, {"ed", "ing"});
}

// One word of a text: its folded letters and where it stands in the text.
struct TWord {
    std::string folded;
    size_t start;
    size_t end;
};

std::vector<TWord> Words(const std::string& text)
{
    const std::string folded = Folded(text);
    std::vector<TWord> words;
    size_t start = 0;
    std::string letters;
    for (size_t i = 0; i <= folded.size(); ++i) {
        const std::string more = i < folded.size() ? Letters(folded[i]) : std::string();
        if (!more.empty()) {
            if (letters.empty())
                start = i;
            letters += more;
        } else if (!letters.empty()) {
            words.push_back({letters, start, i});
            letters.clear();
        }
    }
    return words;
}

} // namespace

std::set<std::string> AnswerForms(const std::string& folded, TLanguage language)
{
    std::set<std::string> forms = NounForms(folded, language);
    if (language == TLanguage::French) {
        AddFrenchDerivedForms(forms, folded);
        AddFrenchVerbForms(forms, folded);
    } else
        AddEnglishVerbForms(forms, folded);
    return forms;
}

std::string ShownAnswer(const std::string& answer, const std::string& definition, TLanguage language)
{
    const std::vector<TWord> answerWords = Words(answer);
    if (answerWords.empty())
        return {};
    std::vector<std::set<std::string>> forms;
    for (const TWord& word : answerWords)
        forms.push_back(answerWords.size() == 1 ? AnswerForms(word.folded, language) : NounForms(word.folded, language));
    const std::string text = VisibleText(definition);
    const std::vector<TWord> words = Words(text);
    for (size_t first = 0; first + forms.size() <= words.size(); ++first) {
        size_t matched = 0;
        while (matched < forms.size() && forms[matched].count(words[first + matched].folded))
            ++matched;
        if (matched < forms.size())
            continue;
        const size_t start = words[first].start, end = words[first + matched - 1].end;
        return platform::AnsiToUnicode(text.substr(start, end - start)).toStdString();
    }
    return {};
}

} // namespace content
