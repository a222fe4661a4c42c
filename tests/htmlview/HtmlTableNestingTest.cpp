// Tables inside tables: every cell is measured and laid out once per layout, whatever the depth,
// and the cells a table places away from where it first laid them out end up exactly there.
#include "HtmlTableTest.h"

#include <memory>

using namespace htmlview;
using namespace tabletest;

namespace {

// A section of no size that counts how often it is measured and laid out.
class TCountingSection : public TSectionBase {
public:
    int Layouts = 0;
    int Measures = 0;

    int32_t Layout(platform::TCanvas& canvas, int32_t y, IndentManager& indentMgr, int32_t& maxWidth,
                   int32_t& charIndex) override
    {
        ++Layouts;
        return TSectionBase::Layout(canvas, y, indentMgr, maxWidth, charIndex);
    }
    void MeasureWidths(platform::TCanvas& canvas, int32_t& minWidth, int32_t& maxWidth) override
    {
        ++Measures;
        TSectionBase::MeasureWidths(canvas, minWidth, maxWidth);
    }
};

std::string NestedTables(int depth, const std::string& inner)
{
    std::string page;
    for (int i = 0; i < depth; ++i)
        page += "<table><tr><td>niveau" + std::to_string(i) + " ";
    page += inner;
    for (int i = 0; i < depth; ++i)
        page += "</td></tr></table>";
    return page;
}

ThtmlTable* FirstTableIn(const TCell& column)
{
    for (int i = 0; i < column.Count(); ++i)
        if (auto* table = dynamic_cast<ThtmlTable*>(column[i]))
            return table;
    return nullptr;
}

// The caption on top, the real cells row by row, the caption below: the order of the text.
std::vector<TCell*> ColumnsInOrder(const ThtmlTable& table)
{
    std::vector<TCell*> columns;
    if (table.CaptionOnTop)
        columns.push_back(table.Caption->Cell.get());
    for (int r = 0; r < table.Rows.Count(); ++r)
        for (int i = 0; i < table.Rows[r]->Count(); ++i)
            if (const TCellObj& cellObj = *(*table.Rows[r])[i]; !cellObj.IsFiller() && cellObj.HasContent())
                columns.push_back(cellObj.Cell.get());
    if (!table.CaptionOnTop)
        columns.push_back(table.Caption->Cell.get());
    return columns;
}

class TableNestingTest : public TableTest {
protected:
    // Where everything of the last layout stands, one line per section, table, row and cell.
    static void Describe(const TCell& column, std::vector<std::string>& out)
    {
        out.push_back("column " + std::to_string(column.Top) + " " + std::to_string(column.FirstIndex) + " "
                      + std::to_string(column.CharCount));
        for (int i = 0; i < column.Count(); ++i) {
            const TSectionBase& section = *column[i];
            std::string line = std::to_string(section.Top) + " " + std::to_string(section.FirstIndex) + " "
                + std::to_string(section.Height) + " " + std::to_string(section.PaintHeight);
            if (const auto* text = dynamic_cast<const TSection*>(&section))
                for (const LineRec& rec : text->Lines)
                    line += " [" + std::to_string(rec.Start) + "+" + std::to_string(rec.Count) + " @"
                        + std::to_string(rec.Left) + " h" + std::to_string(rec.FullHeight()) + "]";
            out.push_back(line);
            const auto* table = dynamic_cast<const ThtmlTable*>(&section);
            if (!table)
                continue;
            out.push_back("table " + std::to_string(table->TableLeft) + " " + std::to_string(table->GridWidth) + " "
                          + std::to_string(table->GridHeight) + " " + std::to_string(table->CaptionHeight));
            for (int r = 0; r < table->Rows.Count(); ++r) {
                const TCellList& row = *table->Rows[r];
                out.push_back("row " + std::to_string(row.Height));
                for (int c = 0; c < row.Count(); ++c) {
                    const TCellObj& cellObj = *row[c];
                    out.push_back("cell " + std::to_string(cellObj.Width) + " " + std::to_string(cellObj.RowHeight)
                                  + " " + std::to_string(cellObj.VOffset) + " "
                                  + std::to_string(cellObj.ContentHeight));
                    if (!cellObj.IsFiller() && cellObj.HasContent())
                        Describe(*cellObj.Cell, out);
                }
            }
            Describe(*table->Caption->Cell, out);
        }
    }

    std::vector<std::string> Described() const
    {
        std::vector<std::string> out;
        Describe(Document, out);
        return out;
    }

    // Sections stack from their column's top, cells stand at their row's top plus spacing,
    // padding and alignment, and the character indexes run without gaps in the order of the text.
    static void ExpectInPlace(const TCell& column, int32_t& index)
    {
        int64_t y = column.Top;
        EXPECT_EQ(column.FirstIndex, index);
        for (int i = 0; i < column.Count(); ++i) {
            const TSectionBase& section = *column[i];
            EXPECT_EQ(section.Top, y);
            EXPECT_EQ(section.FirstIndex, index);
            y += section.Height;
            const auto* table = dynamic_cast<const ThtmlTable*>(&section);
            if (!table) {
                index += section.Length;
                continue;
            }
            int64_t rowTop = int64_t{table->Top} + (table->CaptionOnTop ? table->CaptionHeight : 0);
            for (int r = 0; r < table->Rows.Count(); ++r) {
                const TCellList& row = *table->Rows[r];
                for (int c = 0; c < row.Count(); ++c) {
                    if (const TCellObj& cellObj = *row[c]; !cellObj.IsFiller() && cellObj.HasContent()) {
                        EXPECT_EQ(cellObj.Cell->Top,
                                  rowTop + table->CellSpacing + table->CellPadding + cellObj.VOffset);
                    }
                }
                rowTop += row.Height;
            }
            for (const TCell* inner : ColumnsInOrder(*table))
                ExpectInPlace(*inner, index);
            EXPECT_EQ(index, table->FirstIndex + table->Length);
        }
        EXPECT_EQ(index, column.FirstIndex + column.CharCount);
    }

    void ExpectEverythingInPlace() const
    {
        int32_t index = 0;
        ExpectInPlace(Document, index);
    }

    // The counter in the innermost cell of Depth nested tables.
    TCountingSection& CountInnermost(int depth)
    {
        Parse(NestedTables(depth, "fond"));
        TCell* column = &Document;
        for (int level = 0; level < depth; ++level) {
            ThtmlTable* table = FirstTableIn(*column);
            EXPECT_NE(table, nullptr) << level;
            if (!table)
                throw std::runtime_error("no nested table");
            column = (*table->Rows[0])[0]->Cell.get();
        }
        auto counter = std::make_unique<TCountingSection>();
        TCountingSection& added = *counter;
        column->AppendSection(std::move(counter));
        return added;
    }
};

// Cells of different heights in one row, middle and bottom aligned, spanning rows, with captions
// above and below and tables inside them: most cells are placed away from where they were first
// laid out.
const char* const MixedPage =
    "avant<table border=1 cellpadding=3><caption>titre du tableau</caption>"
    "<tr><td valign=middle><table><tr><td valign=bottom>un <table><tr><td>deux</td></tr></table></td>"
    "<td>trois quatre cinq six sept huit neuf dix</td></tr></table></td>"
    "<td>un texte assez long pour tenir sur plusieurs lignes de la cellule du milieu</td>"
    "<td rowspan=2 valign=bottom><table><tr><td>onze</td></tr></table></td></tr>"
    "<tr><td valign=middle><table><caption align=bottom>bas</caption><tr><td>douze</td></tr></table></td>"
    "<td>treize<table align=right><tr><td>flotte</td></tr></table> quatorze quinze seize</td></tr>"
    "</table>apres";

} // namespace

TEST_F(TableNestingTest, EachCellIsMeasuredAndLaidOutOncePerLayout)
{
    for (const int depth : {1, 2, 5, 20, 64}) {
        Document.Clear();
        TCountingSection& counter = CountInnermost(depth);
        Layout(600);
        EXPECT_EQ(counter.Measures, 1) << depth;
        EXPECT_EQ(counter.Layouts, 1) << depth;
        // A new layout, at another width or the same, measures and lays out again, once.
        Layout(300);
        EXPECT_EQ(counter.Measures, 2) << depth;
        EXPECT_EQ(counter.Layouts, 2) << depth;
        Layout(300);
        EXPECT_EQ(counter.Measures, 3) << depth;
        EXPECT_EQ(counter.Layouts, 3) << depth;
    }
}

TEST_F(TableNestingTest, CellsPlacedElsewhereStandWhereTheirRowsPutThem)
{
    for (const int32_t width : {600, 250, 900}) {
        SCOPED_TRACE(width);
        Document.Clear();
        Parse(MixedPage);
        Layout(width);
        ASSERT_TRUE(Errors.empty());
        ExpectEverythingInPlace();
    }
}

TEST_F(TableNestingTest, ANewLayoutForgetsTheLastOne)
{
    const struct {
        const char* Name;
        int32_t FirstWidth;
        int32_t FontSize; // before the second layout, at 400
    } cases[] = {
        {"narrower", 700, 12},
        {"wider", 200, 12},
        {"same width, larger font", 400, 18},
        {"same width, smaller font", 400, 8},
    };
    for (const auto& c : cases) {
        Document.Clear();
        Document.SetDefaults("Arial", "Courier New", 12, platform::clBlack, platform::clBlue, platform::clWhite);
        Parse(MixedPage);
        Layout(c.FirstWidth);
        Document.SetDefaults("Arial", "Courier New", c.FontSize, platform::clBlack, platform::clBlue,
                             platform::clWhite);
        Document.RefreshFonts();
        Layout(400);

        TSectionList fresh{nullptr, nullptr, Canvas};
        fresh.SetDefaults("Arial", "Courier New", c.FontSize, platform::clBlack, platform::clBlue, platform::clWhite);
        TAnchorList anchors;
        TParsedHead head;
        ParseHtmlBuffer(fresh, anchors, MixedPage, head);
        int32_t maxWidth = 0;
        int32_t charIndex = 0;
        fresh.Layout(Canvas, 0, 400, maxWidth, charIndex);
        std::vector<std::string> expected;
        Describe(fresh, expected);
        EXPECT_EQ(Described(), expected) << c.Name;
        ExpectEverythingInPlace();
    }
}
