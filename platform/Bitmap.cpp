#include "platform/Bitmap.h"

#include <QColor>

namespace platform {

namespace {

QRgb ToQRgb(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return qRgb(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

} // namespace

TBitmap::TBitmap(int width, int height) : Image_(width, height, QImage::Format_RGB32)
{
    Image_.fill(Qt::black);
}

TBitmap::TBitmap(const QImage& image) : Image_(image.convertToFormat(QImage::Format_RGB32)) {}

TColor TBitmap::Pixel(int x, int y) const
{
    if (!Image_.valid(x, y))
        return clBlack;
    const QRgb p = Image_.pixel(x, y);
    return RGB(qRed(p), qGreen(p), qBlue(p));
}

void TBitmap::SetPixel(int x, int y, TColor color)
{
    if (Image_.valid(x, y))
        Image_.setPixel(x, y, ToQRgb(color));
}

void TBitmap::Fill(TColor color)
{
    Image_.fill(ToQRgb(color));
}

} // namespace platform
