#include "htmlview/HtmlGifCompose.h"

#include <QPainter>

namespace htmlview {

namespace {

bool IsWhite(QRgb pixel)
{
    return (pixel & 0xFFFFFF) == 0xFFFFFF;
}

platform::TRect Bounds(const platform::TBitmap& surface)
{
    return {0, 0, surface.Width(), surface.Height()};
}

} // namespace

void PaintFrame(const TFrame& frame, platform::TBitmap& composite, platform::TBitmap* mask)
{
    if (frame.Image.Empty())
        return;
    const platform::TRect area = platform::IntersectRect(frame.Rect(), Bounds(composite));
    const bool transparent = frame.Transparent && !frame.Mask.Empty();
    const QRgb black = qRgb(0, 0, 0);
    for (int32_t y = area.Top; y < area.Bottom; ++y) {
        const int32_t frameY = y - frame.Top;
        const auto* in = reinterpret_cast<const QRgb*>(frame.Image.Image().constScanLine(frameY));
        const auto* clear =
            transparent ? reinterpret_cast<const QRgb*>(frame.Mask.Image().constScanLine(frameY)) : nullptr;
        auto* out = reinterpret_cast<QRgb*>(composite.Image().scanLine(y));
        auto* opaque = mask ? reinterpret_cast<QRgb*>(mask->Image().scanLine(y)) : nullptr;
        for (int32_t x = area.Left; x < area.Right; ++x) {
            const int32_t frameX = x - frame.Left;
            if (clear && IsWhite(clear[frameX]))
                continue;
            out[x] = in[frameX];
            if (opaque)
                opaque[x] = black;
        }
    }
}

void FillArea(platform::TBitmap& surface, const platform::TRect& area, platform::TColor color)
{
    const platform::TRect clipped = platform::IntersectRect(area, Bounds(surface));
    if (clipped.IsEmpty())
        return;
    QPainter painter(&surface.Image());
    painter.fillRect(clipped.Left, clipped.Top, clipped.Width(), clipped.Height(),
                     QColor(platform::GetRValue(color), platform::GetGValue(color), platform::GetBValue(color)));
}

void RestoreArea(platform::TBitmap& surface, const platform::TRect& area, const platform::TBitmap& source)
{
    if (source.Empty() || area.IsEmpty())
        return;
    QPainter painter(&surface.Image());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(area.Left, area.Top, source.Image());
}

platform::TBitmap SaveArea(const platform::TBitmap& surface, const platform::TRect& area)
{
    if (area.IsEmpty())
        return {};
    return platform::TBitmap(surface.Image().copy(area.Left, area.Top, area.Width(), area.Height()));
}

} // namespace htmlview
