#pragma once
// Pictures of a language folder: the ones that carry words, and the language's flag.
#include <QImage>
#include <QString>

namespace pictures {

enum class TFlag { France, UnitedKingdom };

struct TLanguageCaptions {
    QString title;
    QString start;
    QString continueGame;
    QString stop;
    QString ok;
    QString cancel;
    TFlag flag;
};

QImage TitlePicture(const QImage& mainBackground, const QString& title); // 575 x 60
QImage FlagPicture(TFlag flag); // 24 x 16
// The keys that carry a word: Start, Continue and Stop are 122 x 25, OK and Cancel 76 x 25.
enum class TWordKey { Start, Continue, Stop, Ok, Cancel };
QImage WordKey(TWordKey key, const QString& caption);

// Writes the language pictures into Folder (a language folder of the theme).
void MakeLanguagePictures(const QString& folder, const QImage& mainBackground, const TLanguageCaptions& captions);

} // namespace pictures
