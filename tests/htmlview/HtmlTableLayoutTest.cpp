// The grid, column widths, row heights and placement of tables.
#include "HtmlTableTest.h"

#include <climits>

using namespace htmlview;
using namespace platform;
using namespace tabletest;

namespace {

// One string per row: the first letter of each cell's text, "." for a filler, "_" for an
// empty cell.
std::vector<std::string> Grid(const ThtmlTable& table)
{
    std::vector<std::string> rows;
    for (int r = 0; r < table.Rows.Count(); ++r) {
        std::string row;
        for (int i = 0; i < table.Rows[r]->Count(); ++i) {
            const TCellObj& cell = *(*table.Rows[r])[i];
            const std::string text = CellText(*cell.Cell);
            row += cell.IsFiller() ? '.' : text.empty() ? '_' : text[0];
        }
        rows.push_back(row);
    }
    return rows;
}

} // namespace

using GridTest = TableTest;

TEST_F(GridTest, SpansBecomeFillers)
{
    struct TCase {
        const char* Name;
        const char* Html;
        std::vector<std::string> Rows;
        int32_t Columns;
    };
    const TCase cases[] = {
        {"cells without TR open a row", "<table><td>a<td>b</table>", {"ab"}, 2},
        {"a short row stays short", "<table><tr><td>a<td>b<td>c<tr><td>d</table>", {"abc", "d"}, 3},
        {"COLSPAN=2 ROWSPAN=2 in a two-row table",
         "<table><tr><td colspan=2 rowspan=2>A<td>B<tr><td>C</table>", {"A.B", "..C"}, 3},
        {"ROWSPAN past the last row is cut", "<table><tr><td>a<tr><td rowspan=5>b<td>c<tr><td>d</table>",
         {"a", "bc", ".d"}, 2},
        {"ROWSPAN=0 and COLSPAN=1 keep 1", "<table><tr><td rowspan=0 colspan=1>a<td>b<tr><td>c</table>",
         {"ab", "c"}, 2},
        {"an empty cell keeps its slot", "<table><tr><td></td><td>b</table>", {"_b"}, 2},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Document.Clear();
        Load(c.Html);
        ASSERT_EQ(TableCount(), 1);
        EXPECT_EQ(Grid(Table()), c.Rows);
        EXPECT_EQ(Table().ColumnCount, c.Columns);
    }
    Document.Clear();
    Load("<table><tr><td>a<tr><td rowspan=5>b<td>c<tr><td>d</table>");
    EXPECT_EQ(CellOf(1, 0).RowSpan, 2);
}

TEST_F(GridTest, ThirtyColumnsAtMost)
{
    auto cells = [](int n) {
        std::string html;
        for (int i = 0; i < n; ++i)
            html += "<td>x";
        return html;
    };
    struct TCase {
        const char* Name;
        std::string Html;
        bool Kept;
    };
    const TCase cases[] = {
        {"30 cells", "<table><tr>" + cells(30) + "</table>after", true},
        {"31 cells", "<table><tr>" + cells(31) + "</table>after", false},
        {"31 columns by COLSPAN", "<table><tr><td colspan=30>a<td>b</table>after", false},
        {"31 columns by ROWSPAN", "<table><tr>" + cells(29) + "<td rowspan=2>b<tr>" + cells(30) + "</table>after",
         false},
        {"the largest COLSPAN", "<table><tr><td colspan=2147483647>a</table>after", false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Document.Clear();
        Errors.clear();
        Load(c.Html);
        EXPECT_EQ(TableCount(), c.Kept ? 1 : 0);
        EXPECT_EQ(Errors, c.Kept ? std::vector<std::string>{} : std::vector<std::string>{"Table has too many Columns"});
        // The page goes on after a dropped table, and the next layout says nothing more.
        EXPECT_EQ(CellText(Document), "after");
        Layout(600);
        EXPECT_LE(Errors.size(), 1u);
    }
}

using WidthTest = TableTest;

TEST_F(WidthTest, ColumnWidths)
{
    // Cells: content + 4. "aaaa" is 32 wide, so its column wants 36.
    struct TCase {
        const char* Name;
        const char* Html;
        int32_t PageWidth;
        std::vector<int32_t> Widths;
    };
    const TCase cases[] = {
        {"narrow content takes its widths", "<table><td>aaaa<td>bb</table>", 600, {36, 20}},
        {"between minimum and maximum", "<table><td>aa aa aa aa<td>bbbb</table>", 100, {62, 36}},
        {"minimums wider than the page", "<table><td>aaaaaaaaaaaaaaaaaaaa</table>", 100, {164}},
        {"pixel WIDTH of the table is filled", "<table width=200><td>a<td>b</table>", 600, {99, 99}},
        {"percent WIDTH of the table", "<table width=50%><td>a</table>", 600, {298}},
        {"WIDTH=150% counts as none", "<table width=150%><td>aaaa<td>bb</table>", 600, {36, 20}},
        {"a pixel cell WIDTH holds its column", "<table><td width=100>a<td>b</table>", 600, {104, 12}},
        {"percent cells ask for just enough", "<table><td width=30%>aaaaaaa<td width=70%>bbbbbbbb</table>", 1000,
         {60, 140}},
        {"a share below the minimum is given up", "<table><td width=10%>aaaaaaaaaa<td>b</table>", 100, {84, 12}},
        {"a cell WIDTH over 100% is ignored", "<table><td width=150%>aaaa<td>bb</table>", 600, {36, 20}},
        {"shares of a fixed width", "<table width=400><td width=25%>a<td>b</table>", 600, {100, 298}},
        {"shares past 100% are not honoured", "<table><td width=60%>a<td width=70%>b</table>", 600, {12, 12}},
        {"shares past 100% of a fixed width shrink alike", "<table width=200><td width=60%>a<td width=70%>b</table>",
         600, {91, 107}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Document.Clear();
        Load(c.Html, c.PageWidth);
        const ThtmlTable& table = Table();
        EXPECT_EQ(ColumnWidths(table), c.Widths);
        int32_t sum = table.CellSpacing;
        for (const int32_t w : c.Widths)
            sum += w;
        EXPECT_EQ(table.GridWidth, sum);
    }
}

TEST_F(WidthTest, WidthOfATableInACell)
{
    // The outer cell measures the inner table: its minimum and maximum include its spacing.
    Load("<table><td><table><td>aaaa<td>bb</table></table>");
    const ThtmlTable& inner = dynamic_cast<const ThtmlTable&>(*(*CellOf(0, 0).Cell)[0]);
    EXPECT_EQ(ColumnWidths(inner), (std::vector<int32_t>{36, 20}));
    EXPECT_EQ(ColumnWidths(Table()), (std::vector<int32_t>{58 + CellFrame}));
}

TEST_F(WidthTest, AbsurdSizesSaturate)
{
    // Nothing overflows: huge widths stay huge, and the layout still gives positions.
    const char* const pages[] = {
        "<table width=2147483647><td>a<td>b</table>",
        "<table><td width=2147483647>a<td width=2147483647>b</table>",
        "<table width=40%><td width=2147483647>a<td width=99%>b</table>",
        "<table><tr><td colspan=2 width=2147483647>a<tr><td>b<td>c</table>",
        "<table><tr><td width=60%>a<td width=70%>b<td>c</table>",
        "<table></table>",
        "<table width=1><tr></tr><tr><td></table>",
        "<table width=1%><td><td width=100%></table>",
        "<table width=1><caption></caption><tr><td colspan=3 width=50%><tr><td></table>",
        "<table cellpadding=2147483647 cellspacing=2147483647 hspace=-2147483648 align=left>"
        "<td height=2147483647>a<td rowspan=2147483647>b<tr><td height=2147483647>c</table>x",
    };
    for (const char* page : pages) {
        SCOPED_TRACE(page);
        Document.Clear();
        Load(page);
        const ThtmlTable& table = Table();
        EXPECT_GE(table.GridWidth, table.CellSpacing);
        for (const int32_t w : ColumnWidths(table))
            EXPECT_GE(w, 0);
        EXPECT_GE(table.PaintHeight, 0);
    }
    EXPECT_EQ(Table().HSpace, 20);
    // Pixel sizes stop at 100000.
    Document.Clear();
    Load(pages[0]);
    EXPECT_EQ(Table().GridWidth, MaxTableSize);
    Document.Clear();
    Load("<table><tr><td height=2147483647>a</table>");
    EXPECT_EQ(Table().GridHeight, MaxTableSize + 2 + 2); // the spacing above and below the row
}

using HeightTest = TableTest;

TEST_F(HeightTest, RowHeights)
{
    struct TCase {
        const char* Name;
        const char* Html;
        std::vector<int32_t> Rows;
    };
    const TCase cases[] = {
        {"a line and the cell frame", "<table><tr><td>a<tr><td>b</table>", {20, 20}},
        {"HEIGHT counts the padding, not the spacing", "<table><tr><td height=50>a</table>", {52}},
        {"a spanning cell spreads its height evenly", "<table><tr><td rowspan=2>a<br>b<br>c<br>d<td>x<tr><td>y</table>",
         {34, 34}},
        {"the last spanned row takes the remainder",
         "<table><tr><td rowspan=3>a<br>b<br>c<br>d<td>x<tr><td>y<tr><td>z</table>", {22, 22, 24}},
        {"a spanning cell shorter than its rows changes nothing",
         "<table><tr><td rowspan=2>a<td>x<br>x<tr><td>y</table>", {36, 20}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Document.Clear();
        Load(c.Html);
        const ThtmlTable& table = Table();
        std::vector<int32_t> rows;
        int32_t sum = table.CellSpacing;
        for (int r = 0; r < table.Rows.Count(); ++r) {
            rows.push_back(table.Rows[r]->Height);
            sum += table.Rows[r]->Height;
        }
        EXPECT_EQ(rows, c.Rows);
        EXPECT_EQ(table.GridHeight, sum);
        EXPECT_EQ(table.Height, sum);
    }
    // The spanning cell covers both rows and the first row paints that far.
    Document.Clear();
    Load("<table><tr><td rowspan=2>a<br>b<br>c<br>d<td>x<tr><td>y</table>");
    EXPECT_EQ(CellOf(0, 0).RowHeight, 68);
    EXPECT_EQ(Table().Rows[0]->PaintExtent, 68);
}

TEST_F(HeightTest, VerticalAlignmentInTheRow)
{
    // Row height 58 + 4; a line leaves 62 - 16 - 4 = 42 free.
    Load("<table><tr><td height=60 valign=top>a<td>b<td valign=bottom>c<td valign=baseline>d</table>"
         "<table><tr valign=bottom><td>e<td height=40 valign=middle>f</table>");
    EXPECT_EQ(CellOf(0, 0).VOffset, 0);
    EXPECT_EQ(CellOf(0, 1).VOffset, 21);
    EXPECT_EQ(CellOf(0, 2).VOffset, 42);
    EXPECT_EQ(CellOf(0, 3).VOffset, 0);
    // The content is placed there: row top + spacing + padding + offset.
    EXPECT_EQ(FirstSection(*CellOf(0, 1).Cell).Top, 3 + 21);
    // A row's VALIGN is the default of its cells.
    EXPECT_EQ(CellOf(0, 0, 1).VOffset, 22);
    EXPECT_EQ(CellOf(0, 1, 1).VOffset, 11);
}

using PlaceTest = TableTest;

TEST_F(PlaceTest, AlignmentOfTheTable)
{
    // A one-cell table of "aaaa" is 38 wide.
    struct TCase {
        const char* Name;
        const char* Html;
        int32_t Left;
        bool Floats;
    };
    const TCase cases[] = {
        {"left by default", "<table><td>aaaa</table>", 0, false},
        {"ALIGN=CENTER splits the rest", "<table align=center><td>aaaa</table>", 281, false},
        {"in a centred division", "<center><table><td>aaaa</table></center>", 281, false},
        {"ALIGN=RIGHT floats at the right edge", "<table align=right><td>aaaa</table>", 562, true},
        {"ALIGN=LEFT floats", "<table align=left><td>aaaa</table>", 0, true},
        {"in a list item the level's indent counts", "<ul><li><table><td>aaaa</table></ul>", 35, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Document.Clear();
        Load(c.Html);
        const ThtmlTable& table = Table();
        EXPECT_EQ(table.TableWidth, 38);
        EXPECT_EQ(table.TableLeft, c.Left);
        EXPECT_EQ(table.GridLeft, c.Left);
        EXPECT_EQ(table.Floats, c.Floats);
        EXPECT_EQ(table.Height, c.Floats ? 0 : 22);
        EXPECT_EQ(table.PaintHeight, 22);
    }
}

TEST_F(PlaceTest, TextFlowsBesideAFloatingTable)
{
    std::string page = "<table align=right><td>aaaa<br>b<br>c</table>";
    for (int i = 0; i < 20; ++i)
        page += "wwww ";
    Load(page, 300);
    const ThtmlTable& table = Table();
    ASSERT_EQ(table.Height, 0);
    // Reserved: the table's width + HSPACE + 1 = 38 + 5 + 1 pixels on the right.
    int linesBeside = 0;
    for (const TDrawOp& op : Canvas.OpsOf(TDrawKind::Text)) {
        if (op.Text.find('w') != std::string::npos && op.Rect.Top < table.PaintHeight) {
            EXPECT_LE(op.Rect.Right, 300 - 44) << op.Text;
            ++linesBeside;
        }
    }
    EXPECT_GE(linesBeside, 2);
    // The text starts beside the table, not below it.
    const TSection& text = dynamic_cast<const TSection&>(*Document[Document.IndexOf(&table) + 1]);
    EXPECT_EQ(text.Top, table.Top);

    Document.Clear();
    Load("<table align=left><td>aaaa</table>text");
    const TSection& beside = dynamic_cast<const TSection&>(*Document[Document.IndexOf(&Table()) + 1]);
    EXPECT_EQ(beside.Lines.at(0).Left, 44);
}

TEST_F(PlaceTest, CaptionAboveOrBelow)
{
    Load("<table><caption>Captions</caption><td>a</table>"
         "<table><caption align=bottom>Below</caption><td>b</table>");
    const ThtmlTable& top = Table(0);
    // The grid (14 wide) is centred under the wider caption (64).
    EXPECT_EQ(top.TableWidth, 64);
    EXPECT_EQ(top.GridLeft, 25);
    EXPECT_EQ(top.CaptionHeight, 16);
    EXPECT_EQ(FirstSection(*CellOf(0, 0).Cell).Top, 16 + 3);
    EXPECT_EQ(top.Height, 16 + 22);

    const ThtmlTable& bottom = Table(1);
    EXPECT_FALSE(bottom.CaptionOnTop);
    EXPECT_EQ(FirstSection(*CellOf(0, 0, 1).Cell).Top, bottom.Top + 3);
    EXPECT_EQ(FirstSection(*bottom.Caption->Cell).Top, bottom.Top + 22);
    EXPECT_EQ(bottom.Height, 22 + 16);
}

TEST_F(PlaceTest, CharacterIndexesRunThroughTheCells)
{
    // Caption on top first, then row by row, cell by cell; the text after the table goes on.
    Load("ab<table><caption>cap</caption><tr><td>one<td>two<tr><td>six</table>end");
    EXPECT_EQ(Table().FirstIndex, 2);
    EXPECT_EQ(Table().Length, 12);
    EXPECT_EQ(FirstSection(*Table().Caption->Cell).FirstIndex, 2);
    EXPECT_EQ(FirstSection(*CellOf(0, 1).Cell).FirstIndex, 8);
    EXPECT_EQ(FirstSection(*CellOf(1, 0).Cell).FirstIndex, 11);
    EXPECT_EQ(dynamic_cast<const TSection&>(*Document.Last()).FirstIndex, 14);
}
