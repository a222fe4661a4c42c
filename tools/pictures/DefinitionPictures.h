#pragma once
// Illustrations of some definitions (the dictionaries' img folder) and the help folder's
// information sign. GIF pictures are left as PNG frames for the generator script, which has
// ImageMagick turn them into GIF files.
#include <QString>

namespace pictures {

// The background the view gives definitions (the tooltip colour); GIF frames are drawn on it so
// their edges blend, and the script makes it the transparent colour of the still ones.
inline constexpr const char* ViewBackground = "#FFFFE1";

// BMP and JPEG pictures go straight into ImageFolder; GIF frames into FrameFolder as
// drapeau.png, triangle.png, info.png, horloge-NN.png and papillon-NN.png.
void MakeDefinitionPictures(const QString& imageFolder, const QString& frameFolder);

} // namespace pictures
