#include "game/TrueColorBmp.h"

#include <cstdint>
#include <cstdlib>

namespace game {

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr size_t InfoHeaderSize = 40;
// Larger pictures than this are left to the general reader, which has its own limits.
constexpr int32_t LargestSide = 16384;

uint32_t Little(std::string_view data, size_t offset, size_t bytes)
{
    uint32_t value = 0;
    for (size_t i = 0; i < bytes; ++i)
        value |= uint32_t(static_cast<unsigned char>(data[offset + i])) << (8 * i);
    return value;
}

} // namespace

QImage DecodeTrueColorBmp(std::string_view data)
{
    if (data.size() < FileHeaderSize + InfoHeaderSize || data.substr(0, 2) != "BM")
        return {};
    const uint32_t pixelsOffset = Little(data, 10, 4);
    const uint32_t headerSize = Little(data, 14, 4);
    const auto width = static_cast<int32_t>(Little(data, 18, 4));
    const auto signedHeight = static_cast<int32_t>(Little(data, 22, 4));
    const uint32_t planes = Little(data, 26, 2);
    const uint32_t bitsPerPixel = Little(data, 28, 2);
    const uint32_t compression = Little(data, 30, 4);
    if (headerSize < InfoHeaderSize || planes != 1 || bitsPerPixel != 24 || compression != 0)
        return {};
    const int32_t height = signedHeight < 0 ? -signedHeight : signedHeight;
    if (width <= 0 || width > LargestSide || height <= 0 || height > LargestSide)
        return {};
    const size_t rowBytes = (size_t(width) * 3 + 3) / 4 * 4;
    if (pixelsOffset < FileHeaderSize + headerSize || pixelsOffset > data.size() ||
        (data.size() - pixelsOffset) / rowBytes < size_t(height))
        return {};

    QImage image(width, height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    const bool bottomUp = signedHeight > 0;
    for (int32_t y = 0; y < height; ++y) {
        const auto* source = reinterpret_cast<const unsigned char*>(data.data() + pixelsOffset +
                                                                    rowBytes * size_t(bottomUp ? height - 1 - y : y));
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int32_t x = 0; x < width; ++x, source += 3)
            target[x] = qRgb(source[2], source[1], source[0]);
    }
    return image;
}

} // namespace game
