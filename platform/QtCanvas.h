#pragma once
// The canvas that really draws: a QPainter on an image or on a widget being painted. Fonts
// are sized in pixels at 96 dots per inch and the usual Windows faces are mapped to their
// metric-compatible Liberation faces. Text is measured and drawn as Windows draws it: each
// character at its own advance, without kerning or ligatures, so text drawn in pieces (a
// selection) lines up with the same text drawn whole.
#include "platform/Canvas.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>

#include <memory>
#include <optional>

namespace platform {

QColor ToQColor(TColor color);
// The Qt face for a face name of a page or a form ("Arial" -> "Liberation Sans" ...).
QString MapFontFace(const std::string& name);
// The Qt font the canvas measures and draws with (no kerning, no ligatures).
QFont ToQFont(const TFontData& font);

// What the canvas needs to know of one font to measure text, kept per face, size and style.
struct TFontMeasures;

class TQtCanvas : public TCanvas {
public:
    // Measures only, on an image of its own.
    TQtCanvas();
    // Draws on Image while the canvas lives.
    explicit TQtCanvas(QImage& image);
    // Draws with a painter that someone else began (a widget's paint event).
    explicit TQtCanvas(QPainter& painter);
    ~TQtCanvas() override;

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
    void SetClipRect(const TRect& rect) override;
    void ClearClip() override;

protected:
    void Line(TPoint from, TPoint to) override;

private:
    // The measures of the current font, looked up again only when its shape changed.
    const TFontMeasures& Measures();
    // The Qt font of the current font, rebuilt only when its shape changed.
    const QFont& DrawingFont();
    void SelectPenAndBrush();

    std::unique_ptr<QImage> OwnImage_;
    std::unique_ptr<QPainter> OwnPainter_;
    QPainter* Painter_;
    std::optional<TFontData> MeasuresFont_;
    std::shared_ptr<const TFontMeasures> Measures_;
    std::optional<TFontData> DrawingFont_;
    QFont QtFont_;
};

} // namespace platform
