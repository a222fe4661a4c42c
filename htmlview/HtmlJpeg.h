#pragma once
// JPEG pictures through libjpeg: the whole file in memory decoded to 24-bit RGB. A library error
// never leaves the decoder; it answers no picture, and so does data that ends early.
#include <QImage>

#include <cstddef>
#include <cstdint>

namespace htmlview {

// Pictures above this many pixels are refused before any pixel memory is taken.
constexpr int64_t MaxPicturePixels = int64_t{16} * 1024 * 1024;

// The picture in Data (Size bytes), in QImage::Format_RGB888; a null image when the data is no
// complete JPEG picture, is empty in either direction or larger than MaxPicturePixels.
QImage DecodeJpeg(const unsigned char* data, size_t size);

} // namespace htmlview
