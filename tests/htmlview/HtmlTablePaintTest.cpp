// What a table paints, and the questions about points and characters answered through its cells.
#include "HtmlTableTest.h"

#include "htmlview/SelectionVisitor.h"

#include <algorithm>

using namespace htmlview;
using namespace platform;
using namespace tabletest;

namespace {

using TSegment = std::pair<TPoint, TPoint>;

std::vector<TSegment> Segments(const std::vector<TDrawOp>& lines)
{
    std::vector<TSegment> segments;
    for (const TDrawOp& op : lines)
        segments.emplace_back(op.Points.at(0), op.Points.at(1));
    return segments;
}

// The four lines of a one-pixel frame from (Left, Top) to (Right, Bottom), as Border3D draws them.
std::vector<TSegment> Frame(int left, int top, int right, int bottom)
{
    return {{{left, bottom}, {left, top}},
            {{left, top}, {right, top}},
            {{right, top}, {right, bottom}},
            {{right, bottom}, {left, bottom}}};
}

} // namespace

using TablePaintTest = TableTest;

TEST_F(TablePaintTest, BordersRaisedAroundTheGridAndSunkenAroundCells)
{
    // BORDER adds 2 to the spacing: cells are content + 6, the grid 4 more.
    Load("<table border=1><tr><td>a<td></table>");
    const ThtmlTable& table = Table();
    EXPECT_EQ(table.CellSpacing, 4);
    EXPECT_EQ(ColumnWidths(table), (std::vector<int32_t>{14, 6}));
    const std::vector<TDrawOp> lines = Canvas.OpsOf(TDrawKind::Line);
    ASSERT_EQ(lines.size(), 8u); // the empty cell has no frame
    const std::vector<TSegment> segments = Segments(lines);
    // The cell: from one pixel before its spacing to its right and bottom edges; sunken.
    EXPECT_EQ(std::vector<TSegment>(segments.begin(), segments.begin() + 4), Frame(3, 3, 14, 22));
    EXPECT_EQ(lines[0].Pen.Color, clBtnShadow);
    EXPECT_EQ(lines[2].Pen.Color, clSilver);
    // The grid: raised, to its last pixel.
    EXPECT_EQ(std::vector<TSegment>(segments.begin() + 4, segments.end()), Frame(0, 0, 23, 25));
    EXPECT_EQ(lines[4].Pen.Color, clSilver);
    EXPECT_EQ(lines[6].Pen.Color, clBtnShadow);
}

TEST_F(TablePaintTest, BackgroundsOfCellsRowsAndTable)
{
    // A cell's own colour wins, then its row's, then the table's, then the column's that holds it.
    Load("<table bgcolor=red><tr bgcolor=blue><td>a<td bgcolor=lime>b<tr><td>c<td></table>"
         "<table><td bgcolor=yellow><table><td>x</table></table>");
    std::vector<std::pair<TColor, TRect>> fills;
    for (const TDrawOp& op : Canvas.OpsOf(TDrawKind::FillRect))
        fills.emplace_back(op.Brush.Color & 0xFFFFFF, op.Rect);
    const TColor yellow = RGB(255, 255, 0);
    const TColor lime = RGB(0, 255, 0);
    const std::vector<std::pair<TColor, TRect>> expected = {
        {clBlue, {2, 2, 12, 20}}, {lime, {14, 2, 24, 20}}, {clRed, {2, 22, 12, 40}},
        // Second table, below the first (42): its cell, then the nested table's cell inside it.
        {yellow, {2, 44, 18, 68}}, {yellow, {5, 47, 15, 65}}};
    EXPECT_EQ(fills, expected);
    for (const TDrawOp& op : Canvas.OpsOf(TDrawKind::FillRect))
        EXPECT_EQ(op.Brush.Color & PaletteRelative, PaletteRelative);
}

TEST_F(TablePaintTest, BorderColorFillsAroundTheCells)
{
    Load("<table bordercolor=red><tr><td>a<td>b</table>");
    const std::vector<TDrawOp> regions = Canvas.OpsOf(TDrawKind::Region);
    ASSERT_EQ(regions.size(), 1u);
    const TRegion& region = regions[0].Region;
    EXPECT_EQ(regions[0].RegionColor & 0xFFFFFF, clRed);
    EXPECT_TRUE(region.Contains(0, 0));
    EXPECT_TRUE(region.Contains(12, 10)); // spacing between the cells
    EXPECT_FALSE(region.Contains(5, 5));  // inside a cell
    EXPECT_FALSE(region.Contains(30, 5)); // right of the grid
}

TEST_F(TablePaintTest, RowsOutsideTheClipAreSkipped)
{
    Load("<table><tr><td>top<tr><td>mid<tr><td>low</table>");
    Canvas.Ops.clear();
    Document.SetScrollTop(25);
    Document.Paint(Canvas, {0, 0, 600, 15}, 600, 0, 0);
    std::vector<std::string> texts;
    for (const TDrawOp& op : Canvas.OpsOf(TDrawKind::Text))
        texts.push_back(op.Text);
    // Rows at 0, 20 and 40 scrolled up by 25: only the second meets the clip.
    EXPECT_EQ(texts, (std::vector<std::string>{"mid"}));
}

using TableQueryTest = TableTest;

TEST_F(TableQueryTest, PointsFindTheirCell)
{
    // Columns 36 wide; contents start 3 pixels into each cell.
    Load("<p>x<table align=center><tr><td><a href=\"one.htm\">link</a><td>text<tr><td colspan=2>wide</table>",
         200);
    const ThtmlTable& table = Table();
    const int32_t gx = table.PaintGridX;
    ASSERT_EQ(gx, (200 - 74) / 2);
    const int32_t top = table.Top;
    TUrlTarget target;
    TFormControlObj* control = nullptr;
    EXPECT_TRUE(Document.LinkAt(Canvas, gx + 5, top + 5, target, control));
    EXPECT_EQ(target.UrlText, "one.htm");
    EXPECT_FALSE(Document.LinkAt(Canvas, gx + 40, top + 5, target, control));
    EXPECT_FALSE(Document.LinkAt(Canvas, gx - 5, top + 5, target, control));

    struct TCase {
        const char* Name;
        int32_t X;
        int32_t Y;
        int32_t Index;
        int32_t CaretX;
    };
    // "x" before the table is index 0; "link" 1..4, "text" 5..8, "wide" 9..12.
    const TCase cases[] = {
        {"first cell", gx + 3 + 8 + 2, top + 5, 2, gx + 3 + 8},
        {"second cell, third letter", gx + 39 + 16 + 1, top + 5, 7, gx + 39 + 16},
        {"the spanning cell of the second row", gx + 3 + 18, top + 25, 11, gx + 3 + 16},
        {"right of the grid", gx + 80, top + 5, -1, 0},
        {"below the table", gx + 5, top + 100, -1, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        int32_t caretX = 0;
        int32_t lineTop = 0;
        int32_t lineHeight = 0;
        TCell* cell = nullptr;
        bool inLine = false;
        const int32_t index =
            Document.IndexAtPoint(Canvas, c.X, c.Y, caretX, lineTop, lineHeight, cell, inLine);
        EXPECT_EQ(index, c.Index);
        if (c.Index < 0)
            continue;
        EXPECT_EQ(caretX, c.CaretX);
        EXPECT_EQ(lineTop, c.Y < top + 20 ? top + 3 : top + 23);
        EXPECT_NE(cell, &Document); // the cell's own column answers
    }
}

TEST_F(TableQueryTest, IndexesLeadBackToPointsAndCharacters)
{
    Load("<p>x<table align=center><caption>cap</caption><tr><td>link<td>text</table>", 200);
    const ThtmlTable& table = Table();
    // "cap" 1..3, "link" 4..7, "text" 8..11. X comes back in the page's coordinates.
    struct TCase {
        int32_t Index;
        int32_t X;
        int32_t Y;
        unsigned char Ch;
    };
    const TCase cases[] = {
        {2, table.TableLeft + (74 - 24) / 2 + 8, table.Top, 'a'},
        {5, table.GridLeft + 3 + 8, table.Top + 16 + 3, 'i'},
        {10, table.GridLeft + 39 + 16, table.Top + 16 + 3, 'x'},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Index);
        int32_t x = -1;
        int32_t y = -1;
        ASSERT_TRUE(Document.PointOfIndex(Canvas, c.Index, x, y));
        EXPECT_EQ(x, c.X);
        EXPECT_EQ(y, c.Y);
        unsigned char ch = 0;
        TSectionBase* section = nullptr;
        ASSERT_TRUE(Document.CharAt(c.Index, ch, section));
        EXPECT_EQ(ch, c.Ch);
    }
    EXPECT_EQ(Document.FindText(0, "text", false), 8);
    EXPECT_EQ(Document.FindText(0, "CAP", false), 1);
    EXPECT_EQ(Document.FindText(2, "cap", true), -1);
}

TEST_F(TableQueryTest, SelectionCopiesAcrossCells)
{
    Load("<table><caption align=bottom>end</caption><tr><td>link<td>text<tr><td>more</table>after");
    // The bottom caption numbers after the cells: "link" 0..3, "text" 4..7, "more" 8..11, "end" 12..14.
    Document.SelStart = 2;
    Document.SelEnd = 14;
    char buffer[100] = {};
    const int32_t copied = GetSelectedText(Document, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "nk\r\ntext\r\nmore\r\nen");
    EXPECT_EQ(copied, 19);
}
