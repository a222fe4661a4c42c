#include "htmlview/HtmlDrawUtils.h"
#include "htmlview/SectionList.h"
#include "tests/support/TestCanvas.h"

#include <gtest/gtest.h>

using namespace htmlview;
using namespace platform;

namespace {

// With the test canvas at 12 points every byte is 8 pixels wide and a line 16 pixels high.
class DrawWrappedTextTest : public ::testing::Test {
protected:
    std::vector<std::string> Lines() const
    {
        std::vector<std::string> lines;
        for (const TDrawOp& op : Canvas.OpsOf(TDrawKind::Text))
            lines.push_back(op.Text);
        return lines;
    }

    TTestCanvas Canvas;
};

} // namespace

TEST_F(DrawWrappedTextTest, WrapsWordsUntilTheBoxIsFull)
{
    // Ten characters wide, three lines high.
    const TRect box{10, 20, 90, 68};
    DrawWrappedText(Canvas, box.Left, box.Top, "  one two three four   five six seven", box.Bottom, box.Right);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"one two ", "three four ", "five six "}));
    const std::vector<TDrawOp> ops = Canvas.OpsOf(TDrawKind::Text);
    ASSERT_EQ(ops.size(), 3u);
    for (size_t i = 0; i < ops.size(); ++i) {
        EXPECT_EQ(ops[i].X, 10);
        EXPECT_EQ(ops[i].Y, 20 + 16 * static_cast<int>(i));
        EXPECT_EQ(ops[i].Align, TTextAlign::Top);
        EXPECT_EQ(ops[i].Clip, box);
    }
}

TEST_F(DrawWrappedTextTest, EveryLineIsClippedIncludingTheLast)
{
    const TRect box{0, 0, 40, 100};
    DrawWrappedText(Canvas, 0, 0, "ab verylongword cd verylastword", box.Bottom, box.Right);
    EXPECT_EQ(Lines(), (std::vector<std::string>{"ab ", "verylongword ", "cd ", "verylastword "}));
    for (const TDrawOp& op : Canvas.OpsOf(TDrawKind::Text))
        EXPECT_EQ(op.Clip, box) << op.Text;
}

TEST_F(DrawWrappedTextTest, NothingWhenNoLineFits)
{
    DrawWrappedText(Canvas, 0, 0, "word", 15, 100);
    DrawWrappedText(Canvas, 0, 0, "   ", 100, 100);
    EXPECT_TRUE(Canvas.Ops.empty());
}

TEST(TextExtentWidth, MeasuresTheFirstCountBytes)
{
    TTestCanvas canvas;
    const struct {
        const char* Text;
        int32_t Count;
        int32_t Width;
    } cases[] = {{"hello", 3, 24}, {"hello", 5, 40}, {"hello", 50, 40}, {"hello", -1, 0}, {"", 4, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(TextExtentWidth(canvas, c.Text, c.Count), c.Width) << c.Text << " " << c.Count;
}

TEST(Border3D, LightAndDarkEdgesByPageColour)
{
    const struct {
        TColor Background;
        bool Raised;
        TColor First, Second;
    } cases[] = {
        {clWhite, true, clSilver, clBtnShadow},
        {clWhite | PaletteRelative, false, clBtnShadow, clSilver},
        {clWindow, true, clSilver, clBtnShadow},
        {clBtnFace, true, clBtnHighlight, clBtnShadow},
        {0x00FF00, false, clBtnShadow, clBtnHighlight},
    };
    for (const auto& c : cases) {
        TTestCanvas canvas;
        TSectionList document(nullptr, nullptr, canvas);
        document.SetBackgroundColor(c.Background);
        Border3D(document, canvas, 1, 2, 30, 40, c.Raised);
        const std::vector<TDrawOp> lines = canvas.OpsOf(TDrawKind::Line);
        ASSERT_EQ(lines.size(), 4u);
        const std::vector<TPoint> path[] = {
            {{1, 40}, {1, 2}}, {{1, 2}, {30, 2}}, {{30, 2}, {30, 40}}, {{30, 40}, {1, 40}}};
        for (size_t i = 0; i < 4; ++i) {
            EXPECT_EQ(lines[i].Points, path[i]);
            EXPECT_EQ(lines[i].Pen.Color, i < 2 ? c.First : c.Second) << std::hex << c.Background << " line " << i;
            EXPECT_EQ(lines[i].Pen.Width, 1);
        }
    }
}
