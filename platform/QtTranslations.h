#pragma once
// Qt's own texts (the buttons of message boxes, the file and colour dialogs) in the language of
// the programs' interface, from the translations the system installs for Qt.
#include <QString>

#include <cstdint>

namespace platform {

// French for 33, Qt's English for every other code. Switching again replaces the previous
// language. False when the French translation could not be found (Qt's English stays).
bool UseQtTranslations(int32_t languageCode);

// Whether the interface speaks French: the language last given to UseQtTranslations, French
// before any. The platform's own messages follow it.
bool InterfaceIsFrench();

// The translation of Qt's base texts for LanguageCode: "fr" for 33, empty otherwise.
QString QtTranslationLanguage(int32_t languageCode);

} // namespace platform
