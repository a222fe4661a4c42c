// Painting only what the clip shows: lines far outside it draw no text, while what falls inside
// it, the controls placed and the hit tests after the paint are those of a paint of everything.
#include "LongParagraphPages.h"
#include "SectionTestSupport.h"

#include "htmlview/HtmlForms.h"
#include "htmlview/HtmlFormWidgets.h"

#include <algorithm>
#include <climits>
#include <sstream>

using namespace htmlview;
using namespace platform;
using namespace sectiontest;

namespace {

class SectionClipPaintTest : public SectionTest {};

} // namespace

TEST_F(SectionClipPaintTest, LinesFarOutsideTheClipDrawNoText)
{
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "w" + std::to_string(i) + " ";
    TSection& section = AddSection(text);
    LayoutDocument(160);
    ASSERT_GT(section.Lines.size(), 300u);
    Document.SetScrollTop(1000);
    Canvas.Ops.clear();
    Document.Paint(Canvas, {0, 40, 2000, 72}, 2000, 0, 0);
    const auto texts = TextOps();
    ASSERT_FALSE(texts.empty());
    const auto far = std::count_if(texts.begin(), texts.end(), [](const TDrawOp& op) {
        return op.Rect.Bottom <= 40 - 3 * LineHeight || op.Rect.Top >= 72 + 3 * LineHeight;
    });
    EXPECT_EQ(far, 0) << "of " << texts.size() << " text outputs";
    // The lines passed still know where they stand, for the hit tests.
    int32_t top = 0;
    for (const LineRec& line : section.Lines) {
        EXPECT_EQ(line.PaintTop, top + line.SpaceBefore);
        EXPECT_EQ(line.PaintLeft, line.Left);
        top += line.FullHeight();
    }
}

namespace {

using generatedpages::TPageDocument;

// Whether anything the call draws can fall inside Clip.
bool MeetsClip(const TDrawOp& op, const TRect& clip)
{
    if (op.Kind == TDrawKind::Region)
        return std::any_of(op.Region.Rects().begin(), op.Region.Rects().end(),
                           [&clip](const TRect& r) { return !IntersectRect(r, clip).IsEmpty(); });
    TRect box = op.Rect;
    if (op.Kind == TDrawKind::Line || op.Kind == TDrawKind::Polygon) {
        box = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
        for (const TPoint& p : op.Points)
            box = {std::min(box.Left, p.X), std::min(box.Top, p.Y), std::max(box.Right, p.X + 1),
                   std::max(box.Bottom, p.Y + 1)};
    }
    if (op.Clip)
        box = IntersectRect(box, *op.Clip);
    return !IntersectRect(box, clip).IsEmpty();
}

// A call with the state that shows in what it draws (a paint that skips a section leaves the
// pen and brush of the sections after it as the last drawing before set them).
std::string Describe(const TDrawOp& op)
{
    std::ostringstream out;
    out << int(op.Kind) << " (" << op.Rect.Left << "," << op.Rect.Top << "," << op.Rect.Right << "," << op.Rect.Bottom
        << ")";
    for (const TPoint& p : op.Points)
        out << " " << p.X << "," << p.Y;
    if (op.Clip)
        out << " clip " << op.Clip->Left << "," << op.Clip->Top << "," << op.Clip->Right << "," << op.Clip->Bottom;
    const bool outlined = op.Kind == TDrawKind::Line || op.Kind == TDrawKind::Rectangle
        || op.Kind == TDrawKind::Ellipse || op.Kind == TDrawKind::Polygon;
    const bool filled = op.Kind == TDrawKind::Rectangle || op.Kind == TDrawKind::FillRect
        || op.Kind == TDrawKind::Ellipse || op.Kind == TDrawKind::Polygon || (op.Kind == TDrawKind::Text && op.Opaque);
    if (op.Kind == TDrawKind::Text)
        out << " at " << op.X << "," << op.Y << " [" << op.Text << "] opaque " << op.Opaque << " font "
            << op.Font.Name << "/" << op.Font.Size << "/" << int(op.Font.Style) << "/" << op.Font.Color;
    if (outlined)
        out << " pen " << op.Pen.Color << "/" << op.Pen.Width << "/" << int(op.Pen.Style);
    if (filled)
        out << " brush " << op.Brush.Color << "/" << int(op.Brush.Style);
    if (op.Kind == TDrawKind::Region)
        out << " colour " << op.RegionColor;
    if (op.Kind == TDrawKind::Bitmap)
        out << " bitmap " << op.Bitmap << " mask " << op.Mask;
    return out.str();
}

std::vector<std::string> DrawnIn(const std::vector<TDrawOp>& ops, const TRect& clip)
{
    std::vector<std::string> drawn;
    for (const TDrawOp& op : ops)
        if (MeetsClip(op, clip))
            drawn.push_back(Describe(op));
    return drawn;
}

// What the paint drew inside Clip, and the hit tests at points inside it.
std::vector<std::string> SeenIn(TPageDocument& page, const TRect& clip)
{
    std::vector<std::string> seen = DrawnIn(page.Canvas.Ops, clip);
    for (int32_t y = clip.Top; y < clip.Bottom; y += 3) {
        for (int32_t x = clip.Left; x < clip.Right; x += 7) {
            const int32_t documentY = y + page.Document.ScrollTop - 5;
            const TCaret caret = CaretAt(page.Document, page.Canvas, x, documentY);
            TUrlTarget target;
            TFormControlObj* control = nullptr;
            const bool link = page.Document.LinkAt(page.Canvas, x, documentY, target, control);
            TImageObj* image = nullptr;
            int32_t imageX = 0;
            int32_t imageY = 0;
            const bool onImage = page.Document.ImageAt(x, documentY, image, imageX, imageY);
            std::ostringstream out;
            out << "hit " << x << "," << y << ": " << caret.Index << " caret " << caret.X << " line " << caret.LineTop
                << "+" << caret.LineHeight << " in " << caret.InLine << " link " << link << target.UrlText << " control "
                << (control != nullptr) << " image " << onImage << " " << imageX << "," << imageY;
            seen.push_back(out.str());
        }
    }
    return seen;
}

// Whether document Y lies well inside a text section of the page.
bool InsideAParagraph(const TSectionList& document, int32_t y)
{
    for (int i = 0; i < document.Count(); ++i) {
        const TSectionBase& section = *document.Items(i);
        if (dynamic_cast<const TSection*>(&section) && y >= section.Top + 3 * LineHeight
            && y < section.Top + section.Height - 3 * LineHeight)
            return true;
    }
    return false;
}

struct TPlacement {
    bool Placed;
    int32_t Left;
    int32_t Top;
    int32_t Width;
    int32_t Height;
};

std::vector<TPlacement> Placements(TPageDocument& page)
{
    std::vector<TPlacement> placements;
    for (const TFormControlObj* control : page.Document.FormControls)
        if (const TFormWidget* widget = control->GetControl())
            placements.push_back({control->Placed, widget->Left(), widget->Top(), widget->Width(), widget->Height()});
    return placements;
}

} // namespace

// Generated pages laid out at one width and painted whole, then laid out at another and painted
// through a strip of the view: inside the strip the paint draws what a paint of everything draws,
// and the hit tests there answer alike; a control placed by the strip stands where the whole
// paint puts it, and every control the whole paint shows in the strip is placed by it. Then
// through every row of the view, for what reaches a little beyond its line.
TEST(SectionClipPaintPropertyTest, AStripShowsWhatAWholePaintShowsThere)
{
    const TRect everything{-100000, -100000, 100000, 100000};
    for (uint32_t seed = 1; seed <= 8; ++seed) {
        TPageDocument page(generatedpages::GeneratedPage(seed, 6000 + 2500 * seed));
        for (const auto& [before, width] : {std::pair{413, 230}, std::pair{120, 640}}) {
            page.Layout(before);
            page.Paint(everything, 0);
            const int32_t height = page.Layout(width);
            for (const int32_t scroll : {0, height / 3, std::max(0, height - 200)}) {
                for (const TRect strip : {TRect{0, 37, width + 20, 91}, TRect{0, 150, width + 20, 153}}) {
                    SCOPED_TRACE("seed " + std::to_string(seed) + " width " + std::to_string(width) + " scroll " +
                                 std::to_string(scroll) + " strip at " + std::to_string(strip.Top));
                    page.Document.SelStart = static_cast<int32_t>(seed * 331 + static_cast<uint32_t>(scroll));
                    page.Document.SelEnd = page.Document.SelStart + 900;
                    ClearPlacedControls(page.Document);
                    page.Paint(strip, scroll);
                    const std::vector<std::string> seenThroughStrip = SeenIn(page, strip);
                    const std::vector<TPlacement> placedByStrip = Placements(page);
                    ClearPlacedControls(page.Document);
                    page.Paint(everything, scroll);
                    EXPECT_EQ(seenThroughStrip, SeenIn(page, strip));
                    const std::vector<TPlacement> placedByAll = Placements(page);
                    ASSERT_EQ(placedByStrip.size(), placedByAll.size());
                    for (size_t i = 0; i < placedByAll.size(); ++i) {
                        const TPlacement& all = placedByAll[i];
                        const TPlacement& byStrip = placedByStrip[i];
                        const TRect rect{all.Left, all.Top, all.Left + all.Width, all.Top + all.Height};
                        if (all.Placed && !IntersectRect(rect, strip).IsEmpty()) {
                            EXPECT_TRUE(byStrip.Placed) << "control " << i;
                        }
                        if (byStrip.Placed) {
                            EXPECT_EQ(byStrip.Left, all.Left) << "control " << i;
                            EXPECT_EQ(byStrip.Top, all.Top) << "control " << i;
                        }
                    }
                }
                // Rows of a pixel or two inside the paragraphs, so that what reaches a row beyond
                // its line is seen. (At a paragraph's edges the paragraph as a whole meets the
                // clip or not.)
                page.Paint(everything, scroll);
                const std::vector<TDrawOp> all = page.Canvas.Ops;
                for (int32_t row = 0; row < 300; row += 2) {
                    if (!InsideAParagraph(page.Document, row + scroll))
                        continue;
                    const TRect strip{0, row, width + 20, row + 1 + row % 3};
                    page.Paint(strip, scroll);
                    EXPECT_EQ(DrawnIn(page.Canvas.Ops, strip), DrawnIn(all, strip))
                        << "seed " << seed << " width " << width << " scroll " << scroll << " row " << row;
                }
            }
        }
    }
}
