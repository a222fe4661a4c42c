#pragma once
// Pictures of the theme folder: the four window backgrounds, the tool keys and the letter keys.
#include "pictures/Icons.h"

#include <QImage>
#include <QString>

namespace pictures {

QImage MainBackground();   // 800 x 600
QImage OptionsBackground(); // 500 x 400
QImage AboutBackground();   // 500 x 300
QImage ScoresBackground();  // 320 x 320
QImage ToolKey(TIcon icon); // 41 x 25
QImage LetterKey(char letter); // 41 x 25

// Writes theme.ini's pictures into Folder (the theme folder).
void MakeThemePictures(const QString& folder);

} // namespace pictures
