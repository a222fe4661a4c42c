#include "platform/QtCanvas.h"

#include "platform/Bitmap.h"
#include "platform/Windows1252.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPolygon>

#include <array>
#include <bitset>
#include <map>
#include <tuple>

namespace platform {

// Advances are kept in 64ths of a pixel, as the font engine gives them, so that the advance of a
// string is rounded once, as Qt rounds the advance of a whole string. Each byte's advance is
// measured the first time a text holds it: a page needs few of the 256, and measuring one loads
// its glyph.
struct TFontMeasures {
    static constexpr int SubPixels = 64;

    explicit TFontMeasures(const QFont& font) : Metrics(font) {}

    int Ascent = 0;
    int Descent = 0;
    int Leading = 0;

    int Width(std::string_view text) const
    {
        int64_t sum = 0;
        for (const char c : text)
            sum += Advance(static_cast<unsigned char>(c));
        return static_cast<int>((sum + SubPixels / 2) / SubPixels);
    }

private:
    int32_t Advance(unsigned char byte) const
    {
        if (!Known[byte]) {
            // A printable character's advance is its glyph's; the others are measured as text,
            // as drawn in a string, where controls and the soft hyphen take no room.
            const QChar character = AnsiCharToUnicode(byte);
            const qreal advance = character.isPrint() && !character.isMark()
                                      ? Metrics.horizontalAdvance(character)
                                      : Metrics.horizontalAdvance(QString(character));
            Advances[byte] = qRound(advance * SubPixels);
            Known.set(byte);
        }
        return Advances[byte];
    }

    QFontMetricsF Metrics;
    mutable std::array<int32_t, 256> Advances{}; // of each byte, in 64ths of a pixel
    mutable std::bitset<256> Known;
};

namespace {

// Colour and charset change no advance: switching text colours keeps the font.
bool SameShape(const TFontData& a, const TFontData& b)
{
    return a.Name == b.Name && a.Size == b.Size && a.Style == b.Style;
}

std::shared_ptr<const TFontMeasures> MeasureFont(const TFontData& font)
{
    const QFont qtFont = ToQFont(font);
    const QFontMetrics metrics(qtFont);
    auto measures = std::make_shared<TFontMeasures>(qtFont);
    measures->Ascent = metrics.ascent();
    measures->Descent = metrics.descent();
    measures->Leading = metrics.leading();
    return measures;
}

// Shaping text costs far more than adding up advances, and the same few fonts come back on every
// page and every canvas, so their measures are kept for the whole run (GUI thread only).
std::shared_ptr<const TFontMeasures> LookUpMeasures(const TFontData& font)
{
    // A page may name any number of faces and sizes: past this many, start afresh.
    constexpr size_t MaxFonts = 256;
    using TKey = std::tuple<std::string, int, TFontStyles>;
    static std::map<TKey, std::shared_ptr<const TFontMeasures>> known;
    TKey key{font.Name, font.Size, font.Style};
    if (const auto found = known.find(key); found != known.end())
        return found->second;
    if (known.size() >= MaxFonts)
        known.clear();
    return known.emplace(std::move(key), MeasureFont(font)).first->second;
}

QRect ToQRect(const TRect& r)
{
    return QRect(r.Left, r.Top, r.Width(), r.Height());
}

// Bitmap with every pixel that is white in Mask made transparent.
QImage ApplyMask(const QImage& picture, const QImage& mask)
{
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < result.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x)
            if (mask.valid(x, y) && (mask.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF)
                row[x] = 0;
    }
    return result;
}

int Sign(int v)
{
    return (v > 0) - (v < 0);
}

} // namespace

QColor ToQColor(TColor color)
{
    const TColor rgb = ColorToRGB(color);
    return QColor(GetRValue(rgb), GetGValue(rgb), GetBValue(rgb));
}

QString MapFontFace(const std::string& name)
{
    static const struct {
        const char* Face;
        const char* Substitute;
    } faces[] = {
        {"arial", "Liberation Sans"},           {"ms sans serif", "Liberation Sans"},
        {"helvetica", "Liberation Sans"},       {"times new roman", "Liberation Serif"},
        {"times", "Liberation Serif"},          {"courier new", "Liberation Mono"},
        {"courier", "Liberation Mono"},
    };
    for (const auto& f : faces)
        if (AnsiSameText(name, f.Face))
            return QString::fromLatin1(f.Substitute);
    return AnsiToUnicode(name);
}

QFont ToQFont(const TFontData& font)
{
    QFont f(MapFontFace(font.Name));
    f.setPixelSize(std::max(1, FontPixelSize(font.Size)));
    f.setBold(font.Style & fsBold);
    f.setItalic(font.Style & fsItalic);
    f.setUnderline(font.Style & fsUnderline);
    f.setStrikeOut(font.Style & fsStrikeOut);
    // Windows draws each character at its own advance; shaping would also make text drawn in
    // pieces (a selection) differ from the same text drawn whole.
    f.setKerning(false);
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

TQtCanvas::TQtCanvas()
    : OwnImage_(std::make_unique<QImage>(1, 1, QImage::Format_RGB32)),
      OwnPainter_(std::make_unique<QPainter>(OwnImage_.get())), Painter_(OwnPainter_.get())
{
}

TQtCanvas::TQtCanvas(QImage& image)
    : OwnPainter_(std::make_unique<QPainter>(&image)), Painter_(OwnPainter_.get())
{
}

TQtCanvas::TQtCanvas(QPainter& painter) : Painter_(&painter) {}

TQtCanvas::~TQtCanvas() = default;

const TFontMeasures& TQtCanvas::Measures()
{
    if (!MeasuresFont_ || !SameShape(*MeasuresFont_, Font())) {
        MeasuresFont_ = Font();
        Measures_ = LookUpMeasures(Font());
    }
    return *Measures_;
}

const QFont& TQtCanvas::DrawingFont()
{
    if (!DrawingFont_ || !SameShape(*DrawingFont_, Font())) {
        DrawingFont_ = Font();
        QtFont_ = ToQFont(Font());
    }
    return QtFont_;
}

TTextMetrics TQtCanvas::TextMetrics()
{
    const TFontMeasures& measures = Measures();
    TTextMetrics m;
    m.Ascent = measures.Ascent;
    m.Descent = measures.Descent;
    m.Height = m.Ascent + m.Descent;
    m.ExternalLeading = std::max(0, measures.Leading);
    return m;
}

TSize TQtCanvas::TextExtent(std::string_view text)
{
    const TFontMeasures& measures = Measures();
    return {measures.Width(text), measures.Ascent + measures.Descent};
}

void TQtCanvas::TextOut(int x, int y, std::string_view text, TTextAlign align, bool opaque,
                        const TRect* clip)
{
    const TFontMeasures& measures = Measures();
    const int top = align == TTextAlign::Top ? y : y - measures.Ascent;
    Painter_->save();
    if (clip)
        Painter_->setClipRect(ToQRect(*clip), Painter_->hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
    if (opaque)
        Painter_->fillRect(QRect(x, top, measures.Width(text), measures.Ascent + measures.Descent),
                           ToQColor(Brush().Color));
    Painter_->setFont(DrawingFont());
    Painter_->setPen(ToQColor(Font().Color));
    Painter_->drawText(x, top + measures.Ascent, AnsiToUnicode(std::string(text)));
    Painter_->restore();
}

void TQtCanvas::SelectPenAndBrush()
{
    if (Pen().Style == TPenStyle::psClear) {
        Painter_->setPen(Qt::NoPen);
    } else {
        static constexpr Qt::PenStyle styles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine};
        QPen pen(ToQColor(Pen().Color), Pen().Width > 1 ? Pen().Width : 0,
                 styles[static_cast<int>(Pen().Style)]);
        Painter_->setPen(pen);
    }
    if (Brush().Style == TBrushStyle::bsClear)
        Painter_->setBrush(Qt::NoBrush);
    else
        Painter_->setBrush(ToQColor(Brush().Color));
    Painter_->setRenderHint(QPainter::Antialiasing, false);
}

void TQtCanvas::Line(TPoint from, TPoint to)
{
    if (from == to)
        return;
    SelectPenAndBrush();
    // The end point is not drawn; only straight lines can drop it exactly.
    TPoint end = to;
    if (from.X == to.X)
        end.Y -= Sign(to.Y - from.Y);
    else if (from.Y == to.Y)
        end.X -= Sign(to.X - from.X);
    Painter_->drawLine(from.X, from.Y, end.X, end.Y);
}

void TQtCanvas::Rectangle(const TRect& rect)
{
    if (rect.IsEmpty())
        return;
    SelectPenAndBrush();
    Painter_->drawRect(QRect(rect.Left, rect.Top, rect.Width() - 1, rect.Height() - 1));
}

void TQtCanvas::FillRect(const TRect& rect)
{
    Painter_->fillRect(ToQRect(rect), ToQColor(Brush().Color));
}

void TQtCanvas::Ellipse(const TRect& box)
{
    if (box.IsEmpty())
        return;
    SelectPenAndBrush();
    Painter_->drawEllipse(QRect(box.Left, box.Top, box.Width() - 1, box.Height() - 1));
}

void TQtCanvas::Polygon(const std::vector<TPoint>& points)
{
    QPolygon polygon;
    for (const TPoint& p : points)
        polygon << QPoint(p.X, p.Y);
    SelectPenAndBrush();
    Painter_->drawPolygon(polygon, Qt::OddEvenFill);
}

void TQtCanvas::FillRegion(const TRegion& region, TColor color)
{
    const QColor c = ToQColor(color);
    for (const TRect& r : region.Rects())
        Painter_->fillRect(ToQRect(r), c);
}

void TQtCanvas::DrawBitmap(const TRect& dest, const TBitmap& bitmap, const TRect* source,
                           const TBitmap* mask)
{
    if (bitmap.Empty() || dest.IsEmpty())
        return;
    const QRect from = source ? ToQRect(*source) : bitmap.Image().rect();
    // Nearest pixel when stretching: rows and columns are dropped or repeated, never blended.
    Painter_->setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (mask && !mask->Empty())
        Painter_->drawImage(ToQRect(dest), ApplyMask(bitmap.Image(), mask->Image()), from);
    else
        Painter_->drawImage(ToQRect(dest), bitmap.Image(), from);
}

void TQtCanvas::SetClipRect(const TRect& rect)
{
    Painter_->setClipRect(ToQRect(rect));
}

void TQtCanvas::ClearClip()
{
    Painter_->setClipping(false);
}

} // namespace platform
