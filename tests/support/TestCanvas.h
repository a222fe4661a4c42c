#pragma once
// A canvas for layout tests: fonts have fixed, simple metrics that need no installed font, and
// everything drawn is recorded.
//
// Metrics of a font of Size points, with px := FontPixelSize(Size) (16 for 12 points):
//   every byte is px / 2 wide (style and character make no difference);
//   height px, descent px / 4, ascent the rest, no external leading, no overhang.
#include "platform/Canvas.h"

#include <optional>

namespace platform {

enum class TDrawKind : uint8_t { Text, Line, Rectangle, FillRect, Ellipse, Polygon, Region, Bitmap };

// One recorded drawing call, with the state it was drawn in.
struct TDrawOp {
    TDrawKind Kind = TDrawKind::Text;
    // Text: the cell the text covers; Line: unused; Bitmap: the destination; else the shape.
    TRect Rect;
    // Line: its two ends; Polygon: its corners.
    std::vector<TPoint> Points;
    std::string Text;
    int X = 0;
    int Y = 0;
    TTextAlign Align = TTextAlign::Top;
    bool Opaque = false;
    // The clip in force for this call (the canvas clip and a text's own clip together).
    std::optional<TRect> Clip;
    TFontData Font;
    TPen Pen;
    TBrush Brush;
    TColor RegionColor = clBlack;
    TRegion Region;
    const TBitmap* Bitmap = nullptr;
    const TBitmap* Mask = nullptr;
    std::optional<TRect> Source;
};

class TTestCanvas : public TCanvas {
public:
    TTextMetrics TextMetrics() override;
    TSize TextExtent(std::string_view text) override;
    void TextOut(int x, int y, std::string_view text, TTextAlign align, bool opaque = false,
                 const TRect* clip = nullptr) override;
    void Rectangle(const TRect& rect) override;
    void FillRect(const TRect& rect) override;
    void Ellipse(const TRect& box) override;
    void Polygon(const std::vector<TPoint>& points) override;
    void FillRegion(const TRegion& region, TColor color) override;
    void DrawBitmap(const TRect& dest, const TBitmap& bitmap, const TRect* source = nullptr,
                    const TBitmap* mask = nullptr) override;
    void SetClipRect(const TRect& rect) override { Clip_ = rect; }
    void ClearClip() override { Clip_.reset(); }

    std::vector<TDrawOp> Ops;
    // The recorded calls of one kind, in order.
    std::vector<TDrawOp> OpsOf(TDrawKind kind) const;

protected:
    void Line(TPoint from, TPoint to) override;

private:
    TDrawOp& Record(TDrawKind kind);
    std::optional<TRect> Clip_;
};

} // namespace platform
