// Builds the index of each bundled dictionary for the installation, so an installed dictionary
// opens without its index being written beside it (an installed folder is read-only).
//   garvo_index_builder OUTPUT_FOLDER DICTIONARY...
// Each dictionary is copied into OUTPUT_FOLDER and indexed there by the engine the programs use;
// the index comes out newer than the dictionary, as the engine wants a current one.
#include "dictionary/unitDictionary.h"
#include "platform/Windows1252.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>

namespace {

bool BuildIndex(const QString& dictionary, const QDir& output)
{
    const QFileInfo source(dictionary);
    const QString copy = output.filePath(source.fileName());
    QFile::remove(copy);
    QFile::remove(output.filePath(source.completeBaseName() + QStringLiteral(".ndx")));
    if (!QFile::copy(dictionary, copy)) {
        std::fprintf(stderr, "cannot copy %s into %s\n", qPrintable(dictionary), qPrintable(output.path()));
        return false;
    }
    dictionary::TDictionaryFile dict;
    dictionary::TDictionaryError error;
    if (!dictionary::Initialize(platform::PathFromUnicode(copy), dict, nullptr, false, error)) {
        dictionary::TDictionaryTranslation english;
        dictionary::SetDictionaryLanguage(english, dictionary::LanguageEnglish);
        dictionary::FormatDictionaryError(dict, english, error);
        std::fprintf(stderr, "%s: %s\n", qPrintable(dictionary), error.Text.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: garvo_index_builder OUTPUT_FOLDER DICTIONARY...\n");
        return EXIT_FAILURE;
    }
    const QDir output(arguments[1]);
    if (!output.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot make %s\n", qPrintable(arguments[1]));
        return EXIT_FAILURE;
    }
    bool built = true;
    for (qsizetype i = 2; i < arguments.size(); ++i)
        built = BuildIndex(arguments[i], output) && built;
    return built ? EXIT_SUCCESS : EXIT_FAILURE;
}
