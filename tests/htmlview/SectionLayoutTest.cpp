#include "SectionTestSupport.h"

using namespace htmlview;
using namespace platform;
using namespace sectiontest;

namespace {

class SectionLayoutTest : public SectionTest {};

} // namespace

TEST_F(SectionLayoutTest, LinesBreakAtSpacesWithinTheWidth)
{
    const struct {
        const char* Name;
        const char* Text;
        int32_t Width;
        std::vector<std::string> Lines;
    } cases[] = {
        {"all on one line", "aa bb cc", 64, {"aa bb cc"}},
        {"two words fill the width exactly", "aa bb cc", 40, {"aa bb ", "cc"}},
        {"one pixel short", "aa bb cc", 39, {"aa ", "bb ", "cc"}},
        {"spaces at a break stay on the earlier line", "aa  bb", 24, {"aa  ", "bb"}},
        {"a trailing space does not wrap", "aa bb ", 40, {"aa bb "}},
        {"a word wider than the line is not split", "abcdefghij klm", 40, {"abcdefghij ", "klm"}},
        {"one character when none fits", "abc", 5, {"abc"}},
        {"one character when none fits, then the rest", "a bc", 5, {"a ", "bc"}},
    };
    for (const auto& c : cases) {
        Document.Clear();
        TSection& section = AddSection(c.Text);
        LayoutDocument(c.Width);
        EXPECT_EQ(LineTexts(section), c.Lines) << c.Name;
        EXPECT_EQ(section.Height, LineHeight * static_cast<int32_t>(c.Lines.size())) << c.Name;
    }
}

TEST_F(SectionLayoutTest, AlignmentPlacesTheTextWithoutTrailingSpaces)
{
    const struct {
        const char* Name;
        uint8_t Alignment;
        const char* Text;
        int32_t Left;
    } cases[] = {
        {"left", TSection::AlignLeft, "ab ", 0},
        {"centre", TSection::AlignCenter, "ab ", (100 - 16) / 2},
        {"right", TSection::AlignRight, "ab ", 100 - 16 - 1},
        {"centred, too wide", TSection::AlignCenter, "abcdefghijklmnop", 0},
        {"right, too wide", TSection::AlignRight, "abcdefghijklmnop", 0},
    };
    for (const auto& c : cases) {
        Document.Clear();
        TSection& section = AddSection(c.Text, c.Alignment);
        LayoutDocument(100);
        ASSERT_EQ(section.Lines.size(), 1u) << c.Name;
        EXPECT_EQ(section.Lines[0].Left, c.Left) << c.Name;
    }
}

TEST_F(SectionLayoutTest, AppendingDropsOnlyTheSpaceAtTheSeam)
{
    TSection& section = AddSection(" ab ");
    section.AppendText(" c");
    section.AppendText("  d");
    EXPECT_EQ(section.Text, "ab c  d");
    section.AppendText("");
    EXPECT_EQ(section.Length, 7);
}

TEST_F(SectionLayoutTest, PageBytesNeverBecomeObjectMarkers)
{
    TSection& section = AddSection(std::string("a\x02") + "b\x04");
    EXPECT_EQ(section.Text, "a?b?");
    LayoutDocument(100);
    EXPECT_EQ(section.Lines[0].Count, 4);
    EXPECT_EQ(section.TextWidth(Canvas, 0, 4, false), 4 * CharWidth);
}

TEST_F(SectionLayoutTest, LongTextIsKeptWhole)
{
    TSection& section = AddSection(std::string(20000, 'x'));
    section.AppendText("yy");
    section.AppendText(" z");
    EXPECT_EQ(section.Length, 20004);
    EXPECT_EQ(section.Text.substr(19998), "xxyy z");
}

TEST_F(SectionLayoutTest, EnsureTextGivesAnEmptySectionOneSpace)
{
    TSection& empty = AddSection("", TSection::AlignRight);
    EXPECT_EQ(empty.EnsureText(), TSection::AlignRight);
    EXPECT_EQ(empty.Text, " ");
    TSection& full = AddSection("ab");
    full.EnsureText();
    EXPECT_EQ(full.Text, "ab");
}

TEST_F(SectionLayoutTest, FloatsNarrowTheLinesBesideThem)
{
    TSection& section = AddSection("");
    section.AddImage(std::make_unique<TFakePicture>(40, 20, TInlinePicture::AlignLeft), &Document);
    section.AppendText(" aa bb cc dd ee ff gg");
    EXPECT_EQ(section.Text, "\x04" "aa bb cc dd ee ff gg"); // the space after a float at the start goes
    LayoutDocument(100);
    EXPECT_EQ(LineTexts(section), (std::vector<std::string>{"#aa bb ", "cc dd ", "ee ff gg"}));
    ASSERT_EQ(section.Lines.size(), 3u);
    EXPECT_EQ(section.Lines[0].Left, 40);
    EXPECT_EQ(section.Lines[1].Left, 40);
    EXPECT_EQ(section.Lines[2].Left, 0); // below the picture
    EXPECT_EQ(section.Height, 3 * LineHeight);
}

TEST_F(SectionLayoutTest, AFloatMetInMidLineIsPlacedBelowThatLine)
{
    TSection& section = AddSection("aa ");
    section.AddImage(std::make_unique<TFakePicture>(40, 20, TInlinePicture::AlignLeft), &Document);
    section.AppendText("bb cc dd ee ff gg hh");
    LayoutDocument(100);
    EXPECT_EQ(LineTexts(section), (std::vector<std::string>{"aa #bb cc dd ", "ee ff ", "gg hh"}));
    ASSERT_EQ(section.Lines.size(), 3u);
    EXPECT_EQ(section.Lines[0].Left, 0);
    EXPECT_EQ(section.Lines[0].PaintHeight, LineHeight + 20);
    EXPECT_EQ(section.Lines[1].Left, 40);
    EXPECT_EQ(section.Lines[2].Left, 40);
}

TEST_F(SectionLayoutTest, ObjectsThatDoNotFitStartTheNextLine)
{
    TSection& section = AddSection("aaaa ");
    section.AddImage(std::make_unique<TFakePicture>(30, 10), &Document);
    TFakeControl control(30, 10);
    section.AddControl(control);
    section.AppendText("b");
    LayoutDocument(50);
    EXPECT_EQ(LineTexts(section), (std::vector<std::string>{"aaaa ", "#", "#b"}));
}

TEST_F(SectionLayoutTest, AnObjectStartingALineStaysWithTheOverLongWordAfterIt)
{
    const struct {
        const char* Name;
        const char* Before;
        bool Picture; // else a control
        const char* After;
        std::vector<std::string> Lines;
    } cases[] = {
        {"picture, then a word too wide", "", true, "bbbbbbbbbb cc", {"#bbbbbbbbbb ", "cc"}},
        {"control, then a word too wide", "", false, "bbbbbbbbbb cc", {"#bbbbbbbbbb ", "cc"}},
        {"on a later line", "aa ", true, "bbbbbbbbbb", {"aa ", "#bbbbbbbbbb"}},
        {"a word that fits", "", true, "bb cc", {"#bb ", "cc"}},
        {"the word after text and the object moves on", "a", false, "bbbbbbbbbb", {"a#", "bbbbbbbbbb"}},
    };
    for (const auto& c : cases) {
        Document.Clear();
        TSection& section = AddSection(c.Before);
        TFakeControl control(30, 10);
        if (c.Picture)
            section.AddImage(std::make_unique<TFakePicture>(30, 10), &Document);
        else
            section.AddControl(control);
        section.AppendText(c.After);
        LayoutDocument(50);
        EXPECT_EQ(LineTexts(section), c.Lines) << c.Name;
    }
}

TEST_F(SectionLayoutTest, TallObjectsMakeRoomAboveTheirLine)
{
    TSection& section = AddSection("a");
    section.AddImage(std::make_unique<TFakePicture>(10, 30), &Document);      // on the baseline
    section.AppendText("b");
    LayoutDocument(500);
    ASSERT_EQ(section.Lines.size(), 1u);
    EXPECT_EQ(section.Lines[0].SpaceBefore, 30 - (LineHeight - Descent));
    EXPECT_EQ(section.Height, 30 + Descent);

    Document.Clear();
    TSection& top = AddSection("a");
    top.AddImage(std::make_unique<TFakePicture>(10, 30, TInlinePicture::AlignTop), &Document);
    TFakeControl check(10, 20, true);
    top.AddControl(check);
    LayoutDocument(500);
    EXPECT_EQ(top.Lines[0].SpaceAfter, 30 - LineHeight);
    EXPECT_EQ(top.Lines[0].SpaceBefore, 20 - (LineHeight - Descent));
    EXPECT_EQ(check.YPosition, 0);
}

TEST_F(SectionLayoutTest, ClearStartsBelowTheFloats)
{
    TSection& first = AddSection("");
    first.AddImage(std::make_unique<TFakePicture>(40, 20, TInlinePicture::AlignLeft), &Document);
    first.AppendText("aa");
    TSection& cleared = AddSection("bb");
    cleared.ClearMode = 1;
    TSection& rightOnly = AddSection("");
    rightOnly.ClearMode = 2;
    LayoutDocument(100);
    EXPECT_EQ(first.Height, LineHeight);
    EXPECT_EQ(first.PaintHeight, 20);
    int32_t x = 0;
    int32_t y = 0;
    ASSERT_TRUE(cleared.PointOfIndex(Canvas, cleared.FirstIndex, x, y));
    EXPECT_EQ(y, 20);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(rightOnly.Height, 0);
}

TEST_F(SectionLayoutTest, SubscriptRunsAreSmallerFromTheFirstLayout)
{
    TSection& section = AddSection("ab");
    section.ChangeFont(Document, BaseFont, 0, 1);
    section.AppendText("cd");
    section.ChangeFont(Document, BaseFont, fsBold, 0);
    section.AppendText("ef");
    LayoutDocument(500);
    // 9 points: 12 pixels high, 6 wide.
    EXPECT_EQ(section.FontRuns[1]->Font->Size(), 9);
    EXPECT_EQ(section.TextWidth(Canvas, 0, 6, false), 2 * CharWidth + 2 * 6 + 2 * CharWidth);
    EXPECT_EQ(section.FontRuns[2]->Font->Style(), fsBold);
    EXPECT_EQ(section.FontRuns[2]->Font->Size(), 12);
}

TEST_F(SectionLayoutTest, WidthsForTableColumns)
{
    TSection& section = AddSection("aa bbbb c", TSection::AlignLeft, 1);
    section.AddImage(std::make_unique<TFakePicture>(50, 10), &Document);
    section.AddImage(std::make_unique<TFakePicture>(20, 10, TInlinePicture::AlignRight), &Document);
    int32_t minWidth = 0;
    int32_t maxWidth = 0;
    section.MeasureWidths(Canvas, minWidth, maxWidth);
    EXPECT_EQ(minWidth, 50 + 20 + 35);                 // widest picture, floats and indent
    EXPECT_EQ(maxWidth, 20 + 9 * CharWidth + 50 + 35); // floats, everything on one line, indent
}

TEST_F(SectionLayoutTest, ListLevelsIndentTheLines)
{
    TSection& section = AddSection("aa bb", TSection::AlignLeft, 2);
    LayoutDocument(100);
    EXPECT_EQ(section.Indent, 70);
    EXPECT_EQ(section.FirstLineLeft, 70);
    EXPECT_EQ(LineTexts(section), (std::vector<std::string>{"aa ", "bb"}));
    EXPECT_EQ(section.Lines[1].Left, 70);
}

TEST_F(SectionLayoutTest, AMovedLayoutTakesItsControlsAlong)
{
    TSection& section = AddSection("ab ");
    TFakeControl control(20, 30);
    section.AddControl(control);
    section.AppendText(" cd");
    LayoutDocument(400);
    const int32_t top = section.Top;
    const int32_t firstIndex = section.FirstIndex;
    const int32_t controlY = control.YPosition;
    section.MoveBy(25, 7);
    EXPECT_EQ(section.Top, top + 25);
    EXPECT_EQ(section.FirstIndex, firstIndex + 7);
    EXPECT_EQ(control.YPosition, controlY + 25);
}
