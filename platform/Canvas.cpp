#include "platform/Canvas.h"

#include "platform/Bitmap.h"

#include <algorithm>
#include <cmath>

namespace platform {

TColor ColorToRGB(TColor color)
{
    if (color < 0) {
        switch (color & 0xFF) {
        case clWindow & 0xFF: return clWhite;
        case clWindowText & 0xFF: return clBlack;
        case clHighlight & 0xFF: return clNavy;
        case clHighlightText & 0xFF: return clWhite;
        case clBtnFace & 0xFF: return clSilver;
        case clBtnShadow & 0xFF: return clGray;
        case clBtnText & 0xFF: return clBlack;
        case clBtnHighlight & 0xFF: return clWhite;
        default: return clBlack;
        }
    }
    return color & 0xFFFFFF;
}

TRect IntersectRect(const TRect& a, const TRect& b)
{
    return {std::max(a.Left, b.Left), std::max(a.Top, b.Top), std::min(a.Right, b.Right),
            std::min(a.Bottom, b.Bottom)};
}

TRegion::TRegion(const TRect& rect)
{
    if (!rect.IsEmpty())
        Rects_.push_back(rect);
}

void TRegion::Subtract(const TRect& cut)
{
    std::vector<TRect> kept;
    for (const TRect& r : Rects_) {
        const TRect overlap = IntersectRect(r, cut);
        if (overlap.IsEmpty()) {
            kept.push_back(r);
            continue;
        }
        // What is left of R around the overlap: the bands above and below, then the pieces
        // to its left and right.
        const TRect pieces[] = {
            {r.Left, r.Top, r.Right, overlap.Top},
            {r.Left, overlap.Bottom, r.Right, r.Bottom},
            {r.Left, overlap.Top, overlap.Left, overlap.Bottom},
            {overlap.Right, overlap.Top, r.Right, overlap.Bottom},
        };
        for (const TRect& piece : pieces)
            if (!piece.IsEmpty())
                kept.push_back(piece);
    }
    Rects_ = std::move(kept);
}

bool TRegion::Contains(int x, int y) const
{
    for (const TRect& r : Rects_)
        if (r.Contains(x, y))
            return true;
    return false;
}

int FontPixelSize(int points)
{
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

void TFont::SetData(const TFontData& data)
{
    if (data == Data_)
        return;
    Data_ = data;
    if (OnChange)
        OnChange();
}

namespace {

// Data with one field changed: each setter of a font goes through SetData.
template <class T, class V>
TFontData With(TFontData data, T TFontData::*field, const V& value)
{
    data.*field = value;
    return data;
}

} // namespace

void TFont::SetName(const std::string& name)
{
    SetData(With(Data_, &TFontData::Name, name));
}

void TFont::SetSize(int points)
{
    SetData(With(Data_, &TFontData::Size, points));
}

void TFont::SetStyle(TFontStyles style)
{
    SetData(With(Data_, &TFontData::Style, style));
}

void TFont::SetColor(TColor color)
{
    SetData(With(Data_, &TFontData::Color, color));
}

void TFont::SetCharset(uint8_t charset)
{
    SetData(With(Data_, &TFontData::Charset, charset));
}

void TFont::Assign(const TFont& source)
{
    SetData(source.Data_);
}

void TCanvas::LineTo(int x, int y)
{
    Line(PenPos_, {x, y});
    PenPos_ = {x, y};
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap)
{
    DrawBitmap({x, y, x + bitmap.Width(), y + bitmap.Height()}, bitmap);
}

void TCanvas::StretchDraw(const TRect& dest, const TBitmap& bitmap)
{
    DrawBitmap(dest, bitmap);
}

} // namespace platform
