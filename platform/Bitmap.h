#pragma once
// A picture in memory: 32-bit pixels over a QImage. A mask is a bitmap of the same size that is
// white where the picture is transparent and black where it is opaque.
#include "platform/Canvas.h"

#include <QImage>

namespace platform {

class TBitmap {
public:
    TBitmap() = default;
    // Width x Height pixels, all black, as a new screen-compatible bitmap starts.
    TBitmap(int width, int height);
    explicit TBitmap(const QImage& image);

    int Width() const { return Image_.width(); }
    int Height() const { return Image_.height(); }
    bool Empty() const { return Image_.isNull(); }

    // Outside the bitmap: black, and writes are ignored.
    TColor Pixel(int x, int y) const;
    void SetPixel(int x, int y, TColor color);
    void Fill(TColor color);
    // Mask test: white pixels are transparent.
    bool IsTransparentAt(int x, int y) const { return Pixel(x, y) == clWhite; }

    const QImage& Image() const { return Image_; }
    QImage& Image() { return Image_; }

private:
    QImage Image_;
};

} // namespace platform
