#include "SectionTestSupport.h"

#include <algorithm>

using namespace htmlview;
using namespace platform;
using namespace sectiontest;

namespace {

class SectionPaintTest : public SectionTest {
protected:
    TSection& AddListItem(uint8_t markerKind, int32_t level, char numberingType = '1', int32_t number = 0)
    {
        TSection& section = AddSection("item", TSection::AlignLeft, level);
        section.MarkerKind = markerKind;
        section.NumberingType = numberingType;
        section.ItemNumber = number;
        return section;
    }
};

} // namespace

TEST(ListMarkerTextTest, NumbersLettersAndNumerals)
{
    const struct {
        char Type;
        int32_t Number;
        const char* Text;
    } cases[] = {
        {'1', 12, "12."},     {'i', 3, "iii."},     {'A', 3, "C."},   {'a', 1, "a."},
        {'A', 27, "Z."},      {'I', 25, "XX."},     {'I', 19, "XIX."}, {'x', 4, "4."},
        {'a', 0, "0."},       {'I', -2, "-2."},     {'A', -30, "-30."}, // lists counted from 0 or below
        {'1', 1234567, "1234567"}, // cut to 7 characters, with no room left for the full stop
    };
    for (const auto& c : cases)
        EXPECT_EQ(ListMarkerText(c.Type, c.Number), c.Text) << c.Type << " " << c.Number;
}

TEST_F(SectionPaintTest, NumbersEndFivePixelsLeftOfTheTextOnItsBaseline)
{
    AddListItem(TSection::NumberMarker, 1, 'i', 3);
    LayoutDocument(300);
    PaintDocument(10);
    const auto texts = TextOps();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].Text, "iii.");
    EXPECT_EQ(texts[0].X, 10 + 35 - 5 - 4 * CharWidth);
    EXPECT_EQ(texts[0].Y, LineHeight - Descent);
    EXPECT_EQ(texts[0].Align, TTextAlign::Baseline);
    EXPECT_EQ(texts[1].Text, "item");
    EXPECT_EQ(texts[1].X, 10 + 35);
}

TEST_F(SectionPaintTest, BulletsTakeTheColourOfTheirLevel)
{
    const struct {
        int32_t Level;
        TColor Color;
    } cases[] = {{1, clNavy}, {2, clMaroon}, {3, clRed}, {5, clMaroon}};
    for (const auto& c : cases) {
        Document.Clear();
        AddListItem(TSection::BulletMarker, c.Level);
        LayoutDocument(300);
        PaintDocument();
        const auto dots = Canvas.OpsOf(TDrawKind::Ellipse);
        ASSERT_EQ(dots.size(), 1u) << c.Level;
        const int32_t mx = 35 * c.Level;
        EXPECT_EQ(dots[0].Rect, (TRect{mx - 10, LineHeight / 2 - 2, mx - 5, LineHeight / 2 + 3})) << c.Level;
        EXPECT_EQ(dots[0].Brush.Color, c.Color) << c.Level;
        EXPECT_EQ(dots[0].Brush.Style, TBrushStyle::bsSolid) << c.Level;
    }
}

TEST_F(SectionPaintTest, BulletsOnADarkPageAreRings)
{
    Document.SetBackgroundColor(0x400000);
    AddListItem(TSection::BulletMarker, 1);
    LayoutDocument(300);
    PaintDocument();
    const auto dots = Canvas.OpsOf(TDrawKind::Ellipse);
    ASSERT_EQ(dots.size(), 1u);
    EXPECT_EQ(dots[0].Brush.Style, TBrushStyle::bsClear);
    EXPECT_EQ(dots[0].Pen.Color, Document.FontColor);
}

TEST_F(SectionPaintTest, TheMarkerStandsBesideTheFirstLineEvenWhenAClearEmptiedIt)
{
    for (const uint8_t kind : {TSection::NumberMarker, TSection::BulletMarker}) {
        Document.Clear();
        TSection& first = AddSection("");
        first.AddImage(std::make_unique<TFakePicture>(40, 20, TInlinePicture::AlignLeft), &Document);
        first.AppendText("aa");
        TSection& item = AddListItem(kind, 1);
        item.ClearMode = 1;
        LayoutDocument(300);
        ASSERT_EQ(item.Lines.size(), 2u);
        const LineRec& cleared = item.Lines[0];
        ASSERT_EQ(cleared.Count, 0);
        ASSERT_GT(cleared.TextHeight, 0);
        PaintDocument();
        const int32_t bottom = item.Top + cleared.TextHeight; // of line 0's text
        if (kind == TSection::NumberMarker) {
            const auto texts = TextOps();
            const auto marker = std::find_if(texts.begin(), texts.end(), [](const TDrawOp& op) { return op.Text == "0."; });
            ASSERT_NE(marker, texts.end());
            EXPECT_EQ(marker->Y, bottom - cleared.Descent);
        } else {
            const auto dots = Canvas.OpsOf(TDrawKind::Ellipse);
            ASSERT_EQ(dots.size(), 1u);
            EXPECT_EQ(dots[0].Rect.Top, bottom - cleared.TextHeight / 2 - 2);
        }
    }
}

TEST_F(SectionPaintTest, PlainItemsAndDefinitionsHaveNoMarker)
{
    AddListItem(TSection::BulletMarker, 1).Plain = true;
    AddListItem(TSection::IndentOnly, 1);
    LayoutDocument(300);
    PaintDocument();
    EXPECT_TRUE(Canvas.OpsOf(TDrawKind::Ellipse).empty());
    EXPECT_EQ(TextOps().size(), 2u);
}

TEST_F(SectionPaintTest, SelectionIsDrawnInInverseColours)
{
    AddSection("abcdef");
    Document.SelStart = 2;
    Document.SelEnd = 4;
    LayoutDocument(300);
    PaintDocument();
    const auto texts = TextOps();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].Text, "ab");
    EXPECT_FALSE(texts[0].Opaque);
    EXPECT_EQ(texts[1].Text, "cd");
    EXPECT_TRUE(texts[1].Opaque);
    EXPECT_EQ(texts[1].X, 2 * CharWidth);
    EXPECT_EQ(texts[1].Font.Color, Document.BackgroundColor);
    EXPECT_EQ(ColorToRGB(texts[1].Brush.Color), clBlack);
    EXPECT_EQ(texts[2].Text, "ef");
    EXPECT_FALSE(texts[2].Opaque);
    EXPECT_EQ(ColorToRGB(texts[2].Font.Color), clBlack);
}

TEST_F(SectionPaintTest, ScriptRunsMoveOffTheBaseline)
{
    TSection& section = AddSection("a");
    section.ChangeFont(Document, BaseFont, 0, 2);
    section.AppendText("b");
    section.ChangeFont(Document, BaseFont, 0, 1);
    section.AppendText("c");
    LayoutDocument(300);
    PaintDocument();
    const auto texts = TextOps();
    ASSERT_EQ(texts.size(), 3u);
    const int32_t baseline = LineHeight - Descent;
    EXPECT_EQ(texts[0].Y, baseline);
    EXPECT_EQ(texts[1].Y, baseline - 12 / 3);  // a third of the 9-point run's height
    EXPECT_EQ(texts[2].Y, baseline + 3 / 2 + 1); // half its descent plus 1
}

TEST_F(SectionPaintTest, TextAfterAPictureStaysOnTheBaseline)
{
    TSection& section = AddSection("a");
    auto picture = std::make_unique<TFakePicture>(10, 30);
    TFakePicture& shown = *picture;
    section.AddImage(std::move(picture), &Document);
    section.AppendText("b");
    LayoutDocument(300);
    PaintDocument(5);
    const int32_t bottom = 30 + Descent; // the picture raises the line
    EXPECT_EQ(shown.PaintCount, 1);
    EXPECT_EQ(shown.PaintX, 5 + CharWidth);
    EXPECT_EQ(shown.PaintBaseline, bottom - Descent);
    const auto texts = TextOps();
    ASSERT_EQ(texts.size(), 2u);
    for (const TDrawOp& op : texts) {
        EXPECT_EQ(op.Align, TTextAlign::Baseline);
        EXPECT_EQ(op.Y, bottom - Descent);
    }
    EXPECT_EQ(texts[1].X, 5 + CharWidth + 10);
}

TEST_F(SectionPaintTest, ControlsAreShownAtTheirPlace)
{
    TSection& section = AddSection("a");
    TFakeControl edit(40, 20);
    TFakeControl check(12, 12, true);
    section.AddControl(edit);
    section.AddControl(check);
    Document.SetScrollTop(3);
    LayoutDocument(300);
    PaintDocument();
    const int32_t bottom = 20; // the edit raises the line to its own height
    EXPECT_TRUE(edit.Placed);
    EXPECT_EQ(edit.ShownLeft, CharWidth);
    EXPECT_EQ(edit.ShownTop, bottom - 20 - 3);
    EXPECT_EQ(check.ShownLeft, CharWidth + 40);
    EXPECT_EQ(check.ShownTop, bottom - 12 - Descent - 3);
}

TEST_F(SectionPaintTest, SectionsOutsideTheClipDrawNothing)
{
    TSection& section = AddSection("aa");
    LayoutDocument(300);
    Document.SetScrollTop(100);
    const int32_t next = section.Paint(Canvas, {0, 0, 300, 200}, Document.IndentMgr, 0, 0);
    EXPECT_EQ(next, LineHeight);
    EXPECT_TRUE(Canvas.Ops.empty());
}

TEST_F(SectionPaintTest, PaintRecordsWhereTheLinesWent)
{
    TSection& section = AddSection("aa bb", TSection::AlignCenter);
    LayoutDocument(24);
    PaintDocument(7);
    ASSERT_EQ(section.Lines.size(), 2u);
    EXPECT_EQ(section.Lines[1].PaintLeft, 7 + (24 - 16) / 2);
    EXPECT_EQ(section.Lines[1].PaintTop, LineHeight);
}

namespace {

class TNoWrapSection : public TSection {
public:
    using TSection::TSection;

protected:
    bool Preformatted() const override { return true; }
};

} // namespace

TEST_F(SectionPaintTest, PreformattedLinesDoNotWrapAndAreClippedToTheColumn)
{
    auto owned = std::make_unique<TNoWrapSection>(Document, 0, TSection::AlignLeft, nullptr, BaseFont, 0);
    TSection& section = *owned;
    section.AppendText("aa bb cc dd ee");
    Document.AppendSection(std::move(owned));
    LayoutDocument(40);
    EXPECT_EQ(LineTexts(section), std::vector<std::string>{"aa bb cc dd ee"});
    Canvas.Ops.clear();
    Document.Paint(Canvas, {0, 0, 500, 500}, 60, 4, 0);
    const auto texts = TextOps();
    ASSERT_EQ(texts.size(), 1u);
    ASSERT_TRUE(texts[0].Clip.has_value());
    EXPECT_EQ(*texts[0].Clip, (TRect{4, 0, 64, LineHeight}));
}
