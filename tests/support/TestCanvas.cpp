#include "tests/support/TestCanvas.h"

#include <algorithm>
#include <iterator>

namespace platform {

TTextMetrics TTestCanvas::TextMetrics()
{
    const int px = FontPixelSize(Font().Size);
    TTextMetrics m;
    m.Height = px;
    m.Descent = px / 4;
    m.Ascent = px - m.Descent;
    return m;
}

TSize TTestCanvas::TextExtent(std::string_view text)
{
    const int px = FontPixelSize(Font().Size);
    return {static_cast<int>(text.size()) * (px / 2), px};
}

TDrawOp& TTestCanvas::Record(TDrawKind kind)
{
    TDrawOp& op = Ops.emplace_back();
    op.Kind = kind;
    op.Clip = Clip_;
    op.Font = Font();
    op.Pen = Pen();
    op.Brush = Brush();
    return op;
}

void TTestCanvas::TextOut(int x, int y, std::string_view text, TTextAlign align, bool opaque,
                          const TRect* clip)
{
    const TTextMetrics m = TextMetrics();
    const TSize extent = TextExtent(text);
    const int top = align == TTextAlign::Top ? y : y - m.Ascent;
    TDrawOp& op = Record(TDrawKind::Text);
    op.Rect = {x, top, x + extent.Width, top + m.Height};
    op.Text = std::string(text);
    op.X = x;
    op.Y = y;
    op.Align = align;
    op.Opaque = opaque;
    if (clip)
        op.Clip = op.Clip ? IntersectRect(*op.Clip, *clip) : *clip;
}

void TTestCanvas::Line(TPoint from, TPoint to)
{
    Record(TDrawKind::Line).Points = {from, to};
}

void TTestCanvas::Rectangle(const TRect& rect)
{
    Record(TDrawKind::Rectangle).Rect = rect;
}

void TTestCanvas::FillRect(const TRect& rect)
{
    Record(TDrawKind::FillRect).Rect = rect;
}

void TTestCanvas::Ellipse(const TRect& box)
{
    Record(TDrawKind::Ellipse).Rect = box;
}

void TTestCanvas::Polygon(const std::vector<TPoint>& points)
{
    Record(TDrawKind::Polygon).Points = points;
}

void TTestCanvas::FillRegion(const TRegion& region, TColor color)
{
    TDrawOp& op = Record(TDrawKind::Region);
    op.Region = region;
    op.RegionColor = color;
}

void TTestCanvas::DrawBitmap(const TRect& dest, const TBitmap& bitmap, const TRect* source,
                             const TBitmap* mask)
{
    TDrawOp& op = Record(TDrawKind::Bitmap);
    op.Rect = dest;
    op.Bitmap = &bitmap;
    op.Mask = mask;
    if (source)
        op.Source = *source;
}

std::vector<TDrawOp> TTestCanvas::OpsOf(TDrawKind kind) const
{
    std::vector<TDrawOp> result;
    std::copy_if(Ops.begin(), Ops.end(), std::back_inserter(result),
                 [kind](const TDrawOp& op) { return op.Kind == kind; });
    return result;
}

} // namespace platform
