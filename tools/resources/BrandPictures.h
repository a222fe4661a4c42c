#pragma once
// The programs' own marks: the game's logo, the association's badge, the splash picture, the
// picture of the language choice and the window icons; the dictionary utility's picture.
#include <QImage>

namespace resources {

QImage Logo();              // 180 x 60, at (18, 10) of the main window
QImage AssociationBadge();  // 115 x 30, at (249, 255) of the about window
QImage SplashPicture();     // 290 x 385
QImage LanguagePortrait();  // 145 x 192, left of the language choice
QImage GameIcon(int size = 64);    // size x size, with transparency
QImage UtilityPicture();    // 145 x 192, the utility's about window
QImage UtilityIcon(int size = 64); // size x size, with transparency

} // namespace resources
