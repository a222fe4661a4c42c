#pragma once
// Whether a definition gives its answer away: the words a reader sees in it (tags left out,
// entities read, compounds split at their hyphens and apostrophes), matched without case or
// accents against the answer and the forms a player would read as the answer.
#include <set>
#include <string>

namespace content {

enum class TLanguage { French, English };

// The folded spellings that read as a folded one-word answer: itself, its plurals and feminines,
// the words made from it that name a close thing ("abricotier") and, as the language makes
// them, its verb forms.
std::set<std::string> AnswerForms(const std::string& folded, TLanguage language);

// The text, in UTF-8, where the definition first shows its Windows-1252 answer (every word of a
// phrase in turn, each in its plain, plural or feminine form); empty when it never does.
std::string ShownAnswer(const std::string& answer, const std::string& definition, TLanguage language);

} // namespace content
