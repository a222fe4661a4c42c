#include "platform/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace platform {
namespace {

constexpr int32_t FrenchCode = 33;

int32_t& InterfaceLanguage()
{
    static int32_t code = FrenchCode;
    return code;
}

QTranslator& Translator()
{
    static QTranslator translator;
    return translator;
}

} // namespace

QString QtTranslationLanguage(int32_t languageCode)
{
    return languageCode == FrenchCode ? QStringLiteral("fr") : QString();
}

bool InterfaceIsFrench()
{
    return InterfaceLanguage() == FrenchCode;
}

bool UseQtTranslations(int32_t languageCode)
{
    InterfaceLanguage() = languageCode;
    QTranslator& translator = Translator();
    QCoreApplication::removeTranslator(&translator);
    const QString language = QtTranslationLanguage(languageCode);
    if (language.isEmpty())
        return true;
    if (!translator.load(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}

} // namespace platform
