#include "htmlview/HtmlBuilder.h"
#include "htmlview/ListSections.h"
#include "htmlview/SectionList.h"
#include "htmlview/SpacingSections.h"
#include "tests/support/TestCanvas.h"

#include <gtest/gtest.h>

using namespace htmlview;
using namespace platform;
using enum htmlview::HtmlToken;

namespace {

class SmallSectionsTest : public testing::Test {
protected:
    SmallSectionsTest() { Document.SetDefaults("Arial", "Courier New", 12, clBlack, clBlue, clWhite); }

    template <class TSectionKind>
    TSectionKind& Append(std::unique_ptr<TSectionKind> section)
    {
        TSectionKind& added = *section;
        Document.AppendSection(std::move(section));
        return added;
    }

    static std::unique_ptr<THorzLine> Rule(std::vector<TAttribute> attributes)
    {
        TAttributeList list;
        for (TAttribute& attribute : attributes)
            list.Add(std::make_unique<TAttribute>(std::move(attribute)));
        return std::make_unique<THorzLine>(list);
    }

    void LayOut(int32_t width = 600)
    {
        int32_t maxWidth = 0;
        int32_t charIndex = 0;
        Document.Layout(Canvas, 0, width, maxWidth, charIndex);
    }

    TTestCanvas Canvas;
    TSectionList Document{nullptr, nullptr, Canvas};
    TMyFont Font;
};

TEST_F(SmallSectionsTest, SpacesFollowTheDefaultFontSize)
{
    struct TCaseSize {
        int32_t FontSize;
        int32_t Paragraph;
        std::vector<int32_t> Headings; // levels 0 to 6
        int32_t Rule;
    };
    for (const TCaseSize& c : {TCaseSize{12, 14, {8, 16, 12, 10, 8, 6, 4}, 20},
                               TCaseSize{24, 28, {16, 32, 24, 20, 16, 12, 8}, 40},
                               TCaseSize{10, 12, {7, 13, 10, 8, 7, 5, 3}, 17}}) {
        SCOPED_TRACE(c.FontSize);
        Document.Clear();
        Document.SetDefaults("Arial", "Courier New", 12, clBlack, clBlue, clWhite);
        TParagraphSpace& paragraph = Append(std::make_unique<TParagraphSpace>());
        std::vector<THeadingSpace*> headings;
        for (int32_t level = 0; level <= 6; ++level)
            headings.push_back(&Append(std::make_unique<THeadingSpace>(level)));
        THorzLine& rule = Append(Rule({}));
        // A new default size resizes them without a new parse.
        Document.SetDefaults("Arial", "Courier New", c.FontSize, clBlack, clBlue, clWhite);
        EXPECT_EQ(paragraph.Height, c.Paragraph);
        for (size_t level = 0; level < headings.size(); ++level)
            EXPECT_EQ(headings[level]->Height, c.Headings[level]) << "level " << level;
        EXPECT_EQ(rule.Height, c.Rule);
    }
}

TEST_F(SmallSectionsTest, RuleAttributes)
{
    struct TRuleCase {
        const char* Name;
        std::vector<TAttribute> Attributes;
        int32_t Size;
        int32_t Width;
        bool Percent;
        uint8_t Align;
        int32_t Height;
    };
    const std::vector<TRuleCase> cases = {
        {"defaults", {}, 2, -1, false, 2, 20},
        {"SIZE 1..20 is taken", {{SizeAttr, 5, "5"}}, 5, -1, false, 2, 23},
        {"SIZE 30 keeps 2", {{SizeAttr, 30, "30"}}, 2, -1, false, 2, 20},
        {"SIZE 0 keeps 2", {{SizeAttr, 0, "0"}}, 2, -1, false, 2, 20},
        {"WIDTH in pixels", {{WidthAttr, 200, "200"}}, 2, 200, false, 2, 20},
        {"WIDTH in percent", {{WidthAttr, 50, "50%"}}, 2, 50, true, 2, 20},
        {"WIDTH above 100 percent is the full width", {{WidthAttr, 150, "150%"}}, 2, -1, true, 2, 20},
        {"WIDTH 0 is ignored", {{WidthAttr, 0, "0"}}, 2, -1, false, 2, 20},
        {"ALIGN left", {{AlignAttr, 0, "LEFT"}}, 2, -1, false, 1, 20},
        {"ALIGN right", {{AlignAttr, 0, "right"}}, 2, -1, false, 3, 20},
        {"ALIGN center", {{AlignAttr, 0, "middle"}}, 2, -1, false, 2, 20},
    };
    for (const TRuleCase& c : cases) {
        SCOPED_TRACE(c.Name);
        THorzLine& rule = Append(Rule(c.Attributes));
        EXPECT_EQ(rule.RuleSize, c.Size);
        EXPECT_EQ(rule.RuleWidth, c.Width);
        EXPECT_EQ(rule.RuleWidthPercent, c.Percent);
        EXPECT_EQ(rule.RuleAlign, c.Align);
        EXPECT_EQ(rule.Height, c.Height);
    }
}

TEST_F(SmallSectionsTest, RuleEndsAndThickness)
{
    struct TPlaceCase {
        const char* Name;
        std::vector<TAttribute> Attributes;
        TRect Bar; // the coloured bar on a column 600 pixels wide
    };
    const std::vector<TPlaceCase> cases = {
        {"full width less 10 at each side", {}, {10, 9, 590, 11}},
        {"over 100 percent is the full width", {{WidthAttr, 150, "150%"}}, {10, 9, 590, 11}},
        {"200 pixels at the right edge", {{WidthAttr, 200, "200"}, {AlignAttr, 0, "right"}}, {400, 9, 600, 11}},
        {"half the width, centred", {{WidthAttr, 50, "50%"}}, {150, 9, 450, 11}},
        {"101 pixels at the left, 6 thick",
         {{WidthAttr, 101, "101"}, {AlignAttr, 0, "left"}, {SizeAttr, 6, "6"}},
         {0, 9, 101, 15}},
        {"odd room centres toward the left", {{WidthAttr, 101, "101"}}, {249, 9, 350, 11}},
    };
    for (const TPlaceCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Document.Clear();
        std::vector<TAttribute> attributes = c.Attributes;
        attributes.push_back({ColorAttr, 0, "red"});
        Append(Rule(attributes));
        LayOut();
        Canvas.Ops.clear();
        Document.Paint(Canvas, {0, 0, 600, 400}, 600, 0, 0);
        const std::vector<TDrawOp> fills = Canvas.OpsOf(TDrawKind::FillRect);
        ASSERT_EQ(fills.size(), 1u);
        EXPECT_EQ(fills[0].Rect, c.Bar);
        EXPECT_EQ(ColorToRGB(fills[0].Brush.Color), clRed);
        EXPECT_TRUE(Canvas.OpsOf(TDrawKind::Line).empty());
    }
}

TEST_F(SmallSectionsTest, RuleOutlineColours)
{
    struct TShadeCase {
        const char* Name;
        TColor Background;
        bool NoShade;
        TColor Dark;
        TColor Light;
    };
    for (const TShadeCase& c : {TShadeCase{"white page", clWhite, false, clBtnShadow, clSilver},
                                TShadeCase{"grey page", clGray, false, clBtnShadow, clBtnHighlight},
                                TShadeCase{"NOSHADE", clWhite, true, clBlack, clBlack}}) {
        SCOPED_TRACE(c.Name);
        Document.Clear();
        Document.SetBackgroundColor(c.Background);
        Append(Rule(c.NoShade ? std::vector<TAttribute>{{NoShadeAttr, 0, ""}} : std::vector<TAttribute>{}));
        LayOut();
        Canvas.Ops.clear();
        // Scrolled by 5: every Y moves up.
        Document.SetScrollTop(5);
        Document.Paint(Canvas, {0, 0, 600, 400}, 600, 0, 0);
        const std::vector<TDrawOp> lines = Canvas.OpsOf(TDrawKind::Line);
        ASSERT_EQ(lines.size(), 4u);
        const std::vector<std::vector<TPoint>> expected = {
            {{10, 6}, {10, 4}}, {{10, 4}, {590, 4}}, {{590, 4}, {590, 6}}, {{590, 6}, {10, 6}}};
        for (size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].Points, expected[i]) << "line " << i;
            EXPECT_EQ(lines[i].Pen.Color, i < 2 ? c.Dark : c.Light) << "line " << i;
        }
        Document.SetScrollTop(0);
    }
}

TEST_F(SmallSectionsTest, RuleOutsideTheClipIsNotDrawnButAdvances)
{
    Append(std::make_unique<TParagraphSpace>());
    Append(Rule({}));
    LayOut();
    EXPECT_EQ(Document.Paint(Canvas, {0, 100, 600, 200}, 600, 0, 0), 34);
    EXPECT_EQ(Document.Paint(Canvas, {0, 0, 600, 14}, 600, 0, 0), 34);
    EXPECT_TRUE(Canvas.Ops.empty());
    EXPECT_EQ(Document.Paint(Canvas, {0, 33, 600, 34}, 600, 0, 0), 34);
    EXPECT_FALSE(Canvas.Ops.empty());
}

TEST_F(SmallSectionsTest, PreformattedAppendKeepsBlanksAndLongText)
{
    TPreFormated section(Document, 0, nullptr, Font, 0);
    section.AppendText(" a ");
    section.AppendText(" b");
    section.AppendText("");
    EXPECT_EQ(section.Text, " a  b");
    section.AppendText(std::string("\x02\x04", 2));
    EXPECT_EQ(section.Text, " a  b??");
    section.AppendText(std::string(20000, 'x'));
    section.AppendText(" kept");
    EXPECT_EQ(section.Length, 20012);
    EXPECT_EQ(section.Text.substr(20002), "xxxxx kept");
}

TEST_F(SmallSectionsTest, PreformattedLineNeverWraps)
{
    auto pre = std::make_unique<TPreFormated>(Document, 1, nullptr, Font, 0);
    pre->AppendText(std::string(500, 'x') + " " + std::string(499, 'y'));
    TPreFormated& section = Append(std::move(pre));
    int32_t maxWidth = 0;
    int32_t charIndex = 0;
    Document.Layout(Canvas, 0, 600, maxWidth, charIndex);
    const int32_t lineWidth = 1000 * Canvas.TextWidth("x") + TSection::LevelIndent;
    EXPECT_EQ(section.Lines.size(), 1u);
    EXPECT_EQ(maxWidth, lineWidth);
    int32_t minWidth = 0;
    section.MeasureWidths(Canvas, minWidth, maxWidth);
    EXPECT_EQ(maxWidth, lineWidth);
    EXPECT_EQ(minWidth, TPreFormated::MaxMinWidth);
    // Painted clipped to the column.
    Canvas.Ops.clear();
    Document.Paint(Canvas, {0, 0, 600, 400}, 600, 0, 0);
    const std::vector<TDrawOp> texts = Canvas.OpsOf(TDrawKind::Text);
    ASSERT_FALSE(texts.empty());
    ASSERT_TRUE(texts[0].Clip.has_value());
    EXPECT_EQ(texts[0].Clip->Right, 600);
}

// A column takes an empty preformatted line as one blank, so it keeps a line's height; other
// sections come in as they are.
TEST_F(SmallSectionsTest, EmptyPreformattedLineJoinsAColumnAsOneBlank)
{
    TPreFormated& empty = Append(std::make_unique<TPreFormated>(Document, 0, nullptr, Font, 0));
    auto line = std::make_unique<TPreFormated>(Document, 0, nullptr, Font, 0);
    line->AppendText("ab");
    TPreFormated& written = Append(std::move(line));
    TSection& plain = Append(std::make_unique<TSection>(Document, 0, TSection::AlignLeft, nullptr, Font, 0));
    EXPECT_EQ(empty.Text, " ");
    EXPECT_EQ(written.Text, "ab");
    EXPECT_EQ(plain.Length, 0);
    LayOut();
    EXPECT_EQ(empty.Height, written.Height);
    EXPECT_GT(empty.Height, 0);
}

TEST_F(SmallSectionsTest, ShortPreformattedLineReportsItsOwnWidth)
{
    auto pre = std::make_unique<TPreFormated>(Document, 0, nullptr, Font, 0);
    pre->AppendText("abc");
    TPreFormated& section = Append(std::move(pre));
    int32_t minWidth = 0;
    int32_t maxWidth = 0;
    section.MeasureWidths(Canvas, minWidth, maxWidth);
    EXPECT_EQ(maxWidth, section.TextWidth(Canvas, 0, 3, false));
    EXPECT_EQ(minWidth, maxWidth);
}

TEST_F(SmallSectionsTest, ListItemsDrawTheirMarkers)
{
    TAnchorList anchors;
    TParsedHead head;
    ParseHtmlBuffer(Document, anchors, "<ol type=a start=0><li>x<li>y</ol><ul><li>z</ul><ul plain><li>v</ul>"
                                       "<dl><dd>w</dl>", head);
    LayOut();
    Canvas.Ops.clear();
    Document.Paint(Canvas, {0, 0, 600, 400}, 600, 0, 0);
    std::vector<std::string> texts;
    for (const TDrawOp& op : Canvas.OpsOf(TDrawKind::Text))
        texts.push_back(op.Text);
    // A list counted from 0 shows decimal numbers until its letters start at 1.
    EXPECT_EQ(texts, (std::vector<std::string>{"0.", "x", "a.", "y", "z", "v", "w"}));
    // One bullet: the PLAIN list and the definition list have none.
    EXPECT_EQ(Canvas.OpsOf(TDrawKind::Ellipse).size(), 1u);
}

} // namespace
