#pragma once
// The run-length kinds of BMP (4 and 8 bits a pixel), decoded here rather than by Qt's reader,
// which leaves every pixel the data does not reach as the memory held before.
#include "platform/BmpHeader.h"

#include <QImage>

#include <string_view>

namespace platform {

// The picture of the BMP file Data, whose header is Header, in 32-bit pixels. Pixels the data
// passes over (moves, rows or the picture ended early) stay black, as a new bitmap starts. Null
// when Header is of no run-length kind or of no size, when its palette is not all there, or when
// the data ends before it has passed over every pixel: a cut file is a broken picture.
QImage DecodeBmpRunLength(std::string_view data, const TBmpHeader& header);

} // namespace platform
