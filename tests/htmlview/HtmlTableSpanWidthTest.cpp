// Column widths of tables whose cells span columns: the spanning cell's extra width is spread
// over the columns it covers, in pixels when a cell has a pixel WIDTH and the table none, else
// with the columns' shares in tenths of a percent.
//
// Test canvas: 8 pixels a character; a cell's bounds are its content's plus 4 (padding 1 on each
// side and spacing 2). The expected widths are worked out by hand below each case.
#include "HtmlTableTest.h"

using namespace htmlview;
using namespace tabletest;

namespace {

struct TSpanCase {
    const char* Name;
    const char* Html;
    int32_t PageWidth;
    std::vector<int32_t> Widths;
    std::vector<int32_t> Percents; // of the last layout, in tenths of a percent
};

const TSpanCase PixelCases[] = {
    // Pass 1: a 54 (WIDTH 50 + 4), b 12. The span (20 letters: 164) is wider than 66:
    // 54 + MulDiv(54, 98, 66) = 54 + 80 and 12 + MulDiv(12, 98, 66) = 12 + 18, the same for the
    // maximums. The page has room for the maximums.
    {"the extra minimum goes by the columns' widths",
     "<table><tr><td width=50>a<td>b<tr><td colspan=2>cccccccccccccccccccc</table>", 600, {134, 30}, {0, 0}},
    // The same bounds in 98 pixels, less than the minimums' 164: the minimums.
    {"a narrow page takes the grown minimums",
     "<table><tr><td width=50>a<td>b<tr><td colspan=2>cccccccccccccccccccc</table>", 100, {134, 30}, {0, 0}},
    // Only the spanning cell covers columns 0 to 2: each gets 92 (11 letters) div 3 = 30; the
    // pixel cell holds column 3 at 24.
    {"columns without width share it evenly, rounded down",
     "<table><tr><td colspan=3>aaaaaaaaaaa<td width=20>b</table>", 600, {30, 30, 30, 24}, {0, 0, 0, 0}},
    {"the even split holds on a narrow page too", "<table><tr><td colspan=3>aaaaaaaaaaa<td width=20>b</table>", 60,
     {30, 30, 30, 24}, {0, 0, 0, 0}},
    // Minimums 36 and 14 (WIDTH 10 + 4) already hold the span's 20, so only the maximums grow
    // from 50 to 92: 36 + MulDiv(36, 42, 50) = 66 and 14 + MulDiv(14, 42, 50) = 26. In 78
    // pixels (80 less the spacing): 36 + MulDiv(30, 28, 42) = 56 and 14 + MulDiv(12, 28, 42) = 22.
    {"only the maximums grow when the minimums hold the span",
     "<table><tr><td>bbbb<td width=10>c<tr><td colspan=2>aa aa aa aa</table>", 80, {56, 22}, {0, 0}},
};

const TSpanCase PercentCases[] = {
    // No shares: the span's 132 replaces the minimums and maximums 36 and 20 in proportion:
    // MulDiv(132, 36, 56) = 85 and MulDiv(132, 20, 56) = 47.
    {"without shares the span goes by the columns' widths",
     "<table><tr><td>aaaa<td>bb<tr><td colspan=2>cccccccccccccccc</table>", 600, {85, 47}, {0, 0}},
    // Column 0 has 20%, column 1 none: the span's extra 68 (100 - 32) goes to column 1 alone,
    // making it 88. Free distribution: the share column needs MulDiv(12, 1000, 200) = 60, the
    // others 100 in the 80% left: MulDiv(100, 1000, 800) = 125. So the table is 125 wide:
    // MulDiv(125, 200, 1000) = 25, then the 100 left by the columns' maximums, 88 and 12.
    {"the extra goes to the columns without a share",
     "<table><tr><td width=20%>a<td>bb<td>c<tr><td colspan=2>aaaaaaaaaaaa<td>d</table>", 600, {25, 88, 12},
     {200, 0, 0}},
    // The span asks 60% of columns holding 10% and 20%: both are scaled to 20% and 40%. Needed:
    // MulDiv(12, 1000, 200) = 60 for the shares, MulDiv(36, 1000, 400) = 90 for the plain
    // column. In 90: MulDiv(90, 200, 1000) = 18, MulDiv(90, 400, 1000) = 36, and 36.
    {"a larger share of the span scales the columns' shares",
     "<table><tr><td width=10%>a<td width=20%>b<td>cccc<tr><td colspan=2 width=60%>dd<td>e</table>", 600,
     {18, 36, 36}, {200, 400, 0}},
    // Both columns have shares (30% and 10%): the span's minimum 132 is split by them:
    // MulDiv(132, 300, 400) = 99 and MulDiv(132, 100, 400) = 33; the table then needs
    // MulDiv(99, 1000, 300) = 330 and gives MulDiv(330, 300, 1000) = 99 and 33.
    {"the span's minimum is split by the columns' shares",
     "<table><tr><td width=30%>a<td width=10%>b<tr><td colspan=2>aaaaaaaaaaaaaaaa</table>", 600, {99, 33},
     {300, 100}},
    // In 98 pixels, less than the minimums' 132, the split minimums themselves.
    {"a narrow page takes the split minimums",
     "<table><tr><td width=30%>a<td width=10%>b<tr><td colspan=2>aaaaaaaaaaaaaaaa</table>", 100, {99, 33},
     {300, 100}},
};

class TableSpanWidthTest : public TableTest {
protected:
    void Check(const TSpanCase& c)
    {
        SCOPED_TRACE(c.Name);
        Document.Clear();
        Load(c.Html, c.PageWidth);
        ASSERT_EQ(TableCount(), 1);
        const ThtmlTable& table = Table();
        EXPECT_EQ(ColumnWidths(table), c.Widths);
        EXPECT_EQ(std::vector<int32_t>(table.Percents.begin(), table.Percents.begin() + table.ColumnCount),
                  c.Percents);
        int32_t sum = table.CellSpacing;
        for (const int32_t w : c.Widths)
            sum += w;
        EXPECT_EQ(table.GridWidth, sum);
    }
};

} // namespace

TEST_F(TableSpanWidthTest, SpansOverPixelWidths)
{
    for (const TSpanCase& c : PixelCases)
        Check(c);
}

TEST_F(TableSpanWidthTest, SpansOverShares)
{
    for (const TSpanCase& c : PercentCases)
        Check(c);
}

TEST_F(TableSpanWidthTest, SpanningCellGetsTheSumOfItsColumns)
{
    Load("<table><tr><td width=50>a<td>b<tr><td colspan=2>cccccccccccccccccccc</table>");
    EXPECT_EQ(CellOf(1, 0).Width, 134 + 30);
    EXPECT_TRUE(CellOf(1, 1).IsFiller());
}
