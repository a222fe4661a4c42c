// Tables as the builder reads them: rows, cells, captions, text around them, and pages that
// would break them.
#include "HtmlTableTest.h"

#include "htmlview/HtmlScanner.h"
#include "htmlview/ListSections.h"
#include "htmlview/SpacingSections.h"

using namespace htmlview;
using namespace platform;
using namespace tabletest;

namespace {

// A column in one line: "text" with its alignment (l, c, r), "b" when bold and the size when it
// is not 12; "*" before a list item, "p" for a paragraph space, tables in brackets with
// their rows in parentheses and cells separated by "|", a bottom caption after "_".
std::string Describe(const TCell& column);

std::string DescribeTable(const ThtmlTable& table)
{
    std::string text = "[";
    if (table.Caption->Cell->Count() > 0 && table.CaptionOnTop)
        text += "^" + Describe(*table.Caption->Cell) + " ";
    for (int r = 0; r < table.Rows.Count(); ++r) {
        text += r > 0 ? " (" : "(";
        for (int i = 0; i < table.Rows[r]->Count(); ++i)
            text += (i > 0 ? "|" : "") + Describe(*(*table.Rows[r])[i]->Cell);
        text += ")";
    }
    if (table.Caption->Cell->Count() > 0 && !table.CaptionOnTop)
        text += " _" + Describe(*table.Caption->Cell);
    return text + "]";
}

std::string Describe(const TCell& column)
{
    std::string text;
    for (int i = 0; i < column.Count(); ++i) {
        std::string part;
        if (const auto* table = dynamic_cast<const ThtmlTable*>(column[i])) {
            part = DescribeTable(*table);
        } else if (dynamic_cast<const TParagraphSpace*>(column[i])) {
            part = "p";
        } else if (const auto* section = dynamic_cast<const TSection*>(column[i]); section && section->Length > 0) {
            const TMyFont& font = *section->FontRuns[0]->Font;
            part = (dynamic_cast<const TUListItem*>(section) ? "*\"" : "\"") + section->Text + "\""
                   + "?lcr"[section->Alignment] + ((font.Style() & fsBold) ? "b" : "")
                   + (font.RelativeSize != 12 ? std::to_string(font.RelativeSize) : "");
        }
        if (!part.empty())
            text += (text.empty() ? "" : " ") + part;
    }
    return text;
}

} // namespace

using TableBuilderTest = TableTest;

TEST_F(TableBuilderTest, RowsCellsAndCaptions)
{
    struct TCase {
        const char* Name;
        const char* Html;
        const char* Page;
    };
    const TCase cases[] = {
        {"cells without TR make one row", "<table><td>a<td>b</table>", R"([("a"l|"b"l)])"},
        {"rows end at TR and its end tag", "<table><tr><td>a</td></tr><tr><td>b</table>", R"([("a"l) ("b"l)])"},
        {"TH is bold and centred", "<table><th>h<td>d</table>", R"([("h"cb|"d"l)])"},
        {"the row's ALIGN, then the cell's", "<table><tr align=right><td>r<td align=left>l<th>h</table>",
         R"([("r"r|"l"l|"h"rb)])"},
        {"a P right after a cell start adds no space", "<table><td>a<p>b</table>", R"([("a"l "b"l)])"},
        {"text outside the cells stands before the table", "x<table>y<tr><td>a</table>z",
         R"("x"l "y"l [("a"l)] "z"l)"},
        {"white space between table tags adds no text", "<table>\r\n<tr><td>a</td>\r\n<td>b</table>",
         R"([("a"l|"b"l)])"},
        {"a caption on top, centred", "<table><caption>c</caption><td>a</table>", R"([^"c"c ("a"l)])"},
        {"a caption below", "<table><caption align=BOTTOM>c</caption><td>a</table>", R"([("a"l) _"c"c])"},
        {"tables nest in cells", "<table><td>a<table><td>b</table>c</table>", R"([("a"l [("b"l)] "c"l)])"},
        {"each cell starts with the fonts and style of the table",
         "<b><table><td><font size=7>a<td>b<i></table>c</b>", R"([("a"l36|"b"l)] "c"lb)"},
        {"an item starting with a table keeps its line", "<ul><li><table><td>x</table></ul>",
         R"(*" "l [("x"l)])"},
        {"stray table tags outside a table are read past", "a</td><tr>b</table>c", R"("abc"l)"},
        {"a table without end tag runs to the end", "<table><td>a<td>b", R"([("a"l|"b"l)])"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Document.Clear();
        Parse(c.Html);
        EXPECT_EQ(Describe(Document), c.Page);
    }
}

TEST_F(TableBuilderTest, BlocksInACellEndAtTheCellsEnd)
{
    struct TCase {
        const char* Name;
        const char* Html;
        const char* Page;
    };
    const TCase cases[] = {
        {"a new cell ends a list", "<table><tr><td><ul><li>a<td>b</table>", R"([(*"a"l|"b"l)])"},
        {"a new row ends a list", "<table><tr><td><ol><li>a<tr><td>b</table>", R"([(*"a"l) ("b"l)])"},
        {"the table's end ends a list", "<table><tr><td><ul><li>a</table>b", R"([(*"a"l)] "b"l)"},
        {"a new cell ends a division", "<table><tr><td><center>a<td>b</table>", R"([("a"c|"b"l)])"},
        {"a new cell ends nested lists", "<table><tr><td><ul><li>a<ul><li>b<td>c</table>",
         R"([(*"a"l *"b"l|"c"l)])"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        Document.Clear();
        Parse(c.Html);
        EXPECT_EQ(Describe(Document), c.Page);
    }
}

TEST_F(TableBuilderTest, AnchorsInsideADroppedTableAreForgotten)
{
    std::string wide = "<table><tr>";
    for (int i = 0; i < 31; ++i)
        wide += "<td>x";
    Load("<a name=top>t</a><table><td><a name=kept>k</a></table>" + wide + "<a name=lost>l</a></table>"
         "<table><td><a name=outer>o</a><table><tr>" + wide.substr(11) + "<a name=inner>i</a></table></table>end");
    ASSERT_EQ(Anchors.size(), 5u);
    EXPECT_EQ(Errors.size(), 2u);
    EXPECT_EQ(TableCount(), 1);
    const ThtmlTable& kept = Table();
    for (const TAnchor& anchor : Anchors) {
        SCOPED_TRACE(anchor.Name);
        const bool lives = anchor.Name == "TOP" || anchor.Name == "KEPT";
        EXPECT_EQ(anchor.Section != nullptr, lives);
    }
    EXPECT_TRUE(kept.Holds(Anchors[1].Section));
    EXPECT_EQ(Anchors[1].Section->Top, kept.Top + 3);
}

TEST_F(TableBuilderTest, DeepNestingStopsAtTheBuildersLimit)
{
    std::string page;
    for (int i = 0; i < 300; ++i)
        page += "<table><tr><td>";
    page += "deep<a href=x.htm>link</a>";
    Load(page);
    // The builder opens at most 64 blocks inside each other; deeper TABLE tags read as absent,
    // so their rows and cells go to the innermost table.
    int depth = 0;
    const ThtmlTable* table = &Table();
    const ThtmlTable* innermost = nullptr;
    while (table) {
        ++depth;
        innermost = table;
        const TCell& first = *(*table->Rows[0])[0]->Cell;
        table = first.Count() > 0 ? dynamic_cast<const ThtmlTable*>(first[0]) : nullptr;
    }
    EXPECT_EQ(depth, 64);
    EXPECT_EQ(innermost->Rows.Count(), 300 - 64 + 1);
    EXPECT_EQ(CellText(*(*innermost->Rows.Last())[0]->Cell), "deeplink");
    // Every pass gets through all of it.
    EXPECT_GT(PageHeight, innermost->Rows.Count() * CellFrame);
    int32_t x = 0;
    int32_t y = 0;
    ASSERT_TRUE(Document.PointOfIndex(Canvas, 6, x, y));
    TUrlTarget target;
    TFormControlObj* control = nullptr;
    EXPECT_TRUE(Document.LinkAt(Canvas, x + 1, y + 1, target, control));
    EXPECT_EQ(target.UrlText, "x.htm");
    EXPECT_EQ(Document.FindText(0, "link", false), 4);
}

TEST_F(TableBuilderTest, AnErrorInsideATableKeepsWhatWasRead)
{
    EXPECT_THROW(Parse("<table><tr><td>a<td><b>b</b><!-- never closed"), EParseError);
    EXPECT_EQ(Describe(Document), R"([("a"l|"b"lb)])");
    Layout(600);
    EXPECT_EQ(ColumnWidths(Table()), (std::vector<int32_t>{12, 12}));

    // Inside a caption and in text between the cells as well.
    for (const char* page : {"<table><caption>c<!-- x", "<table>t<!-- x"}) {
        SCOPED_TRACE(page);
        Document.Clear();
        EXPECT_THROW(Parse(page), EParseError);
        EXPECT_EQ(TableCount(), 1);
        Layout(600);
    }
}
