#pragma once
// The plain kind of BMP a theme's pictures are: uncompressed, 24 bits a pixel, rows bottom-up or
// top-down. Decoded straight into the 32-bit form a picture is drawn in, it costs a small part of
// what the general reader costs, which matters for the large backgrounds read at the game's start.
#include <QImage>

#include <string_view>

class QIODevice;

namespace game {

// The picture held in Data, as Qt's reader would give it (QImage::Format_RGB32); null when Data
// is any other kind of BMP or no complete one, for the general reader to try.
QImage DecodeTrueColorBmp(std::string_view data);
// The same read from Device a few rows at a time, so that a large file is never held whole.
QImage ReadTrueColorBmp(QIODevice& device);

} // namespace game
