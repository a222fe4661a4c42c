#pragma once
// The surface the viewer draws and measures on. Coordinates are integer pixels; colours,
// fonts, pens and brushes keep the Windows conventions the layout was designed around, so the
// document code reads the same on every implementation (Qt for real drawing, a recording one
// for layout tests).
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class TBitmap;

// 0x00BBGGRR, as on Windows. Negative values name system colours; the palette-relative flag
// 0x02000000 only matters on palette screens and is ignored when drawing.
using TColor = int32_t;

constexpr TColor clSystemColor = static_cast<TColor>(0xFF000000u);
constexpr TColor clWindow = clSystemColor | 5;
constexpr TColor clWindowText = clSystemColor | 8;
constexpr TColor clHighlight = clSystemColor | 13;
constexpr TColor clHighlightText = clSystemColor | 14;
constexpr TColor clBtnFace = clSystemColor | 15;
constexpr TColor clBtnShadow = clSystemColor | 16;
constexpr TColor clBtnText = clSystemColor | 18;
constexpr TColor clBtnHighlight = clSystemColor | 20;

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clWhite = 0xFFFFFF;

constexpr TColor PaletteRelative = 0x02000000;

// The plain 0x00BBGGRR value a colour is drawn with: system colours resolved to fixed
// defaults (the classic Windows scheme), flags in the high byte dropped.
TColor ColorToRGB(TColor color);
inline int GetRValue(TColor rgb) { return rgb & 0xFF; }
inline int GetGValue(TColor rgb) { return (rgb >> 8) & 0xFF; }
inline int GetBValue(TColor rgb) { return (rgb >> 16) & 0xFF; }
inline TColor RGB(int r, int g, int b) { return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16); }

struct TPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPoint&) const = default;
};

// Left and Top inside, Right and Bottom just outside.
struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    bool operator==(const TRect&) const = default;
};

// The common part of A and B (empty when they do not meet).
TRect IntersectRect(const TRect& a, const TRect& b);

struct TSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const TSize&) const = default;
};

// A set of pixels made of rectangles, for cutting holes (table cells out of a border area).
class TRegion {
public:
    TRegion() = default;
    explicit TRegion(const TRect& rect);
    void Subtract(const TRect& rect);
    bool Contains(int x, int y) const;
    bool IsEmpty() const { return Rects_.empty(); }
    // Disjoint and non-empty.
    const std::vector<TRect>& Rects() const { return Rects_; }

private:
    std::vector<TRect> Rects_;
};

using TFontStyles = uint8_t;
constexpr TFontStyles fsBold = 1;
constexpr TFontStyles fsItalic = 2;
constexpr TFontStyles fsUnderline = 4;
constexpr TFontStyles fsStrikeOut = 8;

constexpr uint8_t DEFAULT_CHARSET = 1;

// What selects a font: Size is in points; the pixel size follows at 96 dots per inch.
struct TFontData {
    std::string Name = "Arial";
    int Size = 12;
    TFontStyles Style = 0;
    TColor Color = clBlack;
    uint8_t Charset = DEFAULT_CHARSET;
    bool operator==(const TFontData&) const = default;
};

// Pixel size of a font of Size points on a 96-dpi screen, rounded as Windows does.
int FontPixelSize(int points);

// A font that tells its owner when it changes (font runs refresh their metrics from it).
class TFont {
public:
    TFont() = default;
    explicit TFont(TFontData data) : Data_(std::move(data)) {}
    TFont(const TFont&) = delete;
    TFont& operator=(const TFont&) = delete;
    virtual ~TFont() = default;

    const TFontData& Data() const { return Data_; }
    const std::string& Name() const { return Data_.Name; }
    int Size() const { return Data_.Size; }
    TFontStyles Style() const { return Data_.Style; }
    TColor Color() const { return Data_.Color; }
    uint8_t Charset() const { return Data_.Charset; }

    void SetName(const std::string& name);
    void SetSize(int points);
    void SetStyle(TFontStyles style);
    void SetColor(TColor color);
    void SetCharset(uint8_t charset);
    void SetData(const TFontData& data);
    // Takes every attribute of Source (not its change handler).
    virtual void Assign(const TFont& source);

    // Called after every change that altered an attribute.
    std::function<void()> OnChange;

private:
    TFontData Data_;
};

struct TTextMetrics {
    int Height = 0; // ascent + descent
    int Ascent = 0;
    int Descent = 0;
    int ExternalLeading = 0;
    int Overhang = 0; // extra width of synthesised bold or italic
};

enum class TPenStyle : uint8_t { psSolid, psDash, psDot, psClear };
enum class TBrushStyle : uint8_t { bsSolid, bsClear };

struct TPen {
    TColor Color = clBlack;
    int Width = 1;
    TPenStyle Style = TPenStyle::psSolid;
    bool operator==(const TPen&) const = default;
};

struct TBrush {
    TColor Color = clWhite;
    TBrushStyle Style = TBrushStyle::bsSolid;
    bool operator==(const TBrush&) const = default;
};

// Where the Y of a text output lies: the top of the text cell or the baseline.
enum class TTextAlign : uint8_t { Top, Baseline };

// The drawing surface. Font, pen and brush are plain state read at each call, as a device
// context holds its selected objects. Lines exclude their end point and rectangles their right
// and bottom edges, as on Windows.
class TCanvas {
public:
    virtual ~TCanvas() = default;

    TFontData& Font() { return Font_; }
    const TFontData& Font() const { return Font_; }
    void SetFont(const TFontData& font) { Font_ = font; }
    TPen& Pen() { return Pen_; }
    TBrush& Brush() { return Brush_; }

    // Of the current font.
    virtual TTextMetrics TextMetrics() = 0;
    // Extent of Text in the current font: the width of its bytes, the font's height.
    virtual TSize TextExtent(std::string_view text) = 0;
    int TextWidth(std::string_view text) { return TextExtent(text).Width; }
    int TextHeight(std::string_view text) { return TextExtent(text).Height; }

    // Draws Text with its left edge at X. Opaque fills the text cell with the brush colour
    // first; a clip rectangle limits this one output.
    virtual void TextOut(int x, int y, std::string_view text, TTextAlign align, bool opaque = false,
                         const TRect* clip = nullptr) = 0;

    void MoveTo(int x, int y) { PenPos_ = {x, y}; }
    TPoint PenPos() const { return PenPos_; }
    // A line in the pen from the pen position to (X, Y), which becomes the pen position.
    void LineTo(int x, int y);
    // Outline in the pen, inside in the brush.
    virtual void Rectangle(const TRect& rect) = 0;
    // The brush colour over the whole rectangle, whatever the brush style.
    virtual void FillRect(const TRect& rect) = 0;
    virtual void Ellipse(const TRect& box) = 0;
    virtual void Polygon(const std::vector<TPoint>& points) = 0;
    virtual void FillRegion(const TRegion& region, TColor color) = 0;

    // Source (all of Bitmap when null) stretched into Dest. Where the mask, stretched alike,
    // is white the destination is left as it was.
    virtual void DrawBitmap(const TRect& dest, const TBitmap& bitmap, const TRect* source = nullptr,
                            const TBitmap* mask = nullptr) = 0;
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const TRect& dest, const TBitmap& bitmap);

    // Later drawing stays inside Rect until ClearClip.
    virtual void SetClipRect(const TRect& rect) = 0;
    virtual void ClearClip() = 0;

protected:
    virtual void Line(TPoint from, TPoint to) = 0;

private:
    TFontData Font_;
    TPen Pen_;
    TBrush Brush_;
    TPoint PenPos_;
};

} // namespace platform
