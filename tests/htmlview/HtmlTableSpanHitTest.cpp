// Points and characters of a table whose first cell spans two rows and whose caption stands below
// the grid.
//
// Test canvas: 8 pixels a character, lines 16 high. Columns: "tall" 36, "one"/"two" 28; the grid
// is 2 + 36 + 28 = 66 wide, as wide as the table ("under" needs only 40), so grid and caption
// start at the column's left edge. Rows are 16 + 4 = 20 high; the grid is 20 + 20 + 2 = 42 high
// and the caption follows it. The tall cell covers both rows (40); its one line is centred in
// what its frame leaves: (40 - 16 - 4) / 2 = 10 below the cell's top, so its text starts 2 + 1
// + 10 = 13 below the table's top. The caption's text is centred: (66 - 40) / 2 = 13 from the left.
#include "HtmlTableTest.h"

using namespace htmlview;
using namespace tabletest;

namespace {

// Characters: "tall" 0..3, "one" 4..6, "two" 7..9, then the caption "under" 10..14.
constexpr const char* SpanPage = "<table><caption align=bottom><a href=c.htm>under</a></caption>"
                                 "<tr><td rowspan=2><a href=t.htm>tall</a><td>one<tr><td>two</table>";
constexpr int32_t TallTextTop = 13;
constexpr int32_t SecondRowTextTop = 20 + 3;
constexpr int32_t CaptionTop = 42;
constexpr int32_t CaptionTextLeft = 13;
constexpr int32_t SecondColumn = 36;

class TableSpanHitTest : public TableTest {
protected:
    void SetUp() override { Load(SpanPage); }
};

} // namespace

TEST_F(TableSpanHitTest, LayoutPlacesTheSpanningCellAndTheCaption)
{
    // The facts the cases below stand on.
    const ThtmlTable& table = Table();
    ASSERT_EQ(ColumnWidths(table), (std::vector<int32_t>{36, 28}));
    ASSERT_EQ(table.GridHeight, CaptionTop);
    EXPECT_EQ(CellOf(0, 0).RowHeight, 40);
    EXPECT_EQ(CellOf(0, 0).VOffset, 10);
    EXPECT_EQ(FirstSection(*CellOf(0, 0).Cell).Top, table.Top + TallTextTop);
    EXPECT_EQ(FirstSection(*table.Caption->Cell).Top, table.Top + CaptionTop);
    EXPECT_EQ(table.Height, CaptionTop + 16);
}

TEST_F(TableSpanHitTest, PointsFindTheSpanningCellAndTheCaption)
{
    const ThtmlTable& table = Table();
    const int32_t gx = table.PaintGridX;
    const int32_t top = table.Top;
    struct TCase {
        const char* Name;
        int32_t X;
        int32_t Y; // relative to the table's top
        int32_t Index;
        int32_t CaretX;
        int32_t LineTop; // relative to the table's top
    };
    const TCase cases[] = {
        {"the spanning cell in the first row's band", gx + 3 + 8 + 2, 18, 1, gx + 3 + 8, TallTextTop},
        {"the spanning cell in the second row's band", gx + 3 + 16 + 2, 25, 2, gx + 3 + 16, TallTextTop},
        {"the spanning cell below its text", gx + 3 + 8, 35, -1, 0, 0},
        {"the first row's second cell", gx + SecondColumn + 3 + 16 + 1, 5, 6, gx + SecondColumn + 3 + 16, 3},
        {"the second row's cell beside the span", gx + SecondColumn + 3 + 8 + 2, 28, 8,
         gx + SecondColumn + 3 + 8, SecondRowTextTop},
        {"the spacing under the last row", gx + 3 + 8, CaptionTop - 1, -1, 0, 0},
        {"the caption below the grid", CaptionTextLeft + 16 + 2, CaptionTop + 5, 12, CaptionTextLeft + 16,
         CaptionTop},
        {"right of the caption", gx + 70, CaptionTop + 5, -1, 0, 0},
        {"below the table", gx + 3, CaptionTop + 17, -1, 0, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        int32_t caretX = 0;
        int32_t lineTop = 0;
        int32_t lineHeight = 0;
        TCell* cell = nullptr;
        bool inLine = false;
        EXPECT_EQ(Document.IndexAtPoint(Canvas, c.X, top + c.Y, caretX, lineTop, lineHeight, cell, inLine), c.Index);
        if (c.Index < 0)
            continue;
        EXPECT_EQ(caretX, c.CaretX);
        EXPECT_EQ(lineTop, top + c.LineTop);
    }
}

TEST_F(TableSpanHitTest, LinksOfTheSpanningCellAndTheCaption)
{
    const ThtmlTable& table = Table();
    const int32_t gx = table.PaintGridX;
    const int32_t top = table.Top;
    const struct {
        const char* Name;
        int32_t X;
        int32_t Y; // relative to the table's top
        const char* Url; // "" for none
    } cases[] = {
        {"spanning cell, first row's band", gx + 3 + 9, 15, "t.htm"},
        {"spanning cell, second row's band", gx + 3 + 9, 27, "t.htm"},
        {"the cell beside it", gx + SecondColumn + 3 + 9, 27, ""},
        {"the caption's link", CaptionTextLeft + 9, CaptionTop + 8, "c.htm"},
        {"the grid's bottom spacing", gx + 3 + 9, CaptionTop - 1, ""},
        {"left of the caption's text", CaptionTextLeft - 4, CaptionTop + 8, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TUrlTarget target;
        TFormControlObj* control = nullptr;
        const bool found = Document.LinkAt(Canvas, c.X, top + c.Y, target, control);
        EXPECT_EQ(found ? target.UrlText : std::string(), c.Url);
    }
}

TEST_F(TableSpanHitTest, CharactersLeadBackToTheirPoints)
{
    const ThtmlTable& table = Table();
    const struct {
        int32_t Index;
        int32_t X;
        int32_t Y; // relative to the table's top
        unsigned char Ch;
    } cases[] = {
        {1, table.GridLeft + 3 + 8, TallTextTop, 'a'},
        {8, table.GridLeft + SecondColumn + 3 + 8, SecondRowTextTop, 'w'},
        {12, table.TableLeft + CaptionTextLeft + 16, CaptionTop, 'd'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Index);
        int32_t x = -1;
        int32_t y = -1;
        ASSERT_TRUE(Document.PointOfIndex(Canvas, c.Index, x, y));
        EXPECT_EQ(x, c.X);
        EXPECT_EQ(y, table.Top + c.Y);
        unsigned char ch = 0;
        TSectionBase* section = nullptr;
        ASSERT_TRUE(Document.CharAt(c.Index, ch, section));
        EXPECT_EQ(ch, c.Ch);
    }
}
