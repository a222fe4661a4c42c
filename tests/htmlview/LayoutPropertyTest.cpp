// Properties every layout keeps, checked over generated pages on the test canvas: a layout
// depends only on the page and the width, a cell's vertical alignment moves its content and
// nothing else, and the caret and the hit tests agree with what is painted. Named fixtures hold
// the pages where each property was once broken.
#include "GeneratedPages.h"
#include "HtmlTableTest.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <functional>
#include <optional>
#include <sstream>

using namespace htmlview;
using namespace tabletest;

namespace {

constexpr uint32_t Seed = 17;
constexpr int PageCount = 300;
// The pages are checked in blocks, each a test of its own, so that the test runner spreads them
// over its jobs and a slow build (sanitizers) finishes each in its time.
constexpr int PagesPerBlock = 30;
constexpr int32_t PageWidth = 600;
constexpr std::array<int32_t, 5> EarlierWidths = {90, 230, 417, 1100, 640};
constexpr int32_t GridStepX = 13;
constexpr int32_t GridStepY = 9;
// A cell whose list item holds only a picture floating right: the item has no line height.
constexpr const char* ItemOfNoHeightPage =
    "<table><tr><td><ul><li><img align=right width=20 height=5></ul>x</td></tr></table>";

// A document of its own for one page, on its own canvas.
class TTestPage {
public:
    explicit TTestPage(const std::string& html)
    {
        Document.SetDefaults("Arial", "Courier New", 12, platform::clBlack, platform::clBlue, platform::clWhite);
        Document.ShowErrorBox = [this](const std::string& message) { Errors.push_back(message); };
        ParseHtmlBuffer(Document, Anchors, html, Head);
    }

    void LayOut(int32_t width)
    {
        int32_t maxWidth = 0;
        int32_t charIndex = 0;
        Height = Document.Layout(Canvas, 0, width, maxWidth, charIndex);
    }

    const std::vector<platform::TDrawOp>& Paint()
    {
        Canvas.Ops.clear();
        // Far below the page too: content may reach below its table (a cell whose span reaches
        // past the last row has no height of its own).
        Document.Paint(Canvas, {0, 0, 1 << 24, 1 << 24}, 1 << 24, 0, 0);
        return Canvas.Ops;
    }

    // Every hit test over a grid of points of the page.
    std::vector<std::string> Hits()
    {
        std::vector<std::string> hits;
        for (int32_t y = 0; y < Height + GridStepY; y += GridStepY) {
            std::ostringstream row;
            for (int32_t x = 0; x < PageWidth + 3 * GridStepX; x += GridStepX) {
                int32_t caretX = 0, lineTop = 0, lineHeight = 0;
                TCell* cell = nullptr;
                bool inLine = false;
                const int32_t index = Document.IndexAtPoint(Canvas, x, y, caretX, lineTop, lineHeight, cell, inLine);
                row << index << ',' << caretX << ',' << lineTop << ',' << lineHeight << ',' << inLine << ','
                    << (cell ? cell->Top : -1) << ';';
                TUrlTarget target;
                TFormControlObj* control = nullptr;
                if (Document.LinkAt(Canvas, x, y, target, control))
                    row << "link " << target.UrlText << (control ? " control" : "") << ';';
                TImageObj* image = nullptr;
                int32_t imageX = 0, imageY = 0;
                if (Document.ImageAt(x, y, image, imageX, imageY))
                    row << "image " << imageX << ',' << imageY << ';';
            }
            hits.push_back(row.str());
        }
        return hits;
    }

    platform::TTestCanvas Canvas;
    TSectionList Document{nullptr, nullptr, Canvas};
    TAnchorList Anchors;
    TParsedHead Head;
    std::vector<std::string> Errors;
    int32_t Height = 0;
};

std::string Describe(const platform::TRect& r)
{
    return std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + ","
        + std::to_string(r.Bottom);
}

// One drawing call as text, moved down by DY: everything it draws and the state it draws with.
std::string Describe(const platform::TDrawOp& op, int32_t dy = 0)
{
    auto moved = [dy](platform::TRect r) {
        if (r.Left == r.Right && r.Top == r.Bottom)
            return Describe(r); // no rectangle: lines keep their ends in Points
        r.Top += dy;
        r.Bottom += dy;
        return Describe(r);
    };
    std::ostringstream out;
    out << static_cast<int>(op.Kind) << " [" << moved(op.Rect) << "]";
    for (const platform::TPoint& p : op.Points)
        out << " (" << p.X << "," << p.Y + dy << ")";
    out << " '" << op.Text << "' " << op.X << "," << op.Y + (op.Kind == platform::TDrawKind::Text ? dy : 0) << " "
        << static_cast<int>(op.Align) << op.Opaque;
    if (op.Clip)
        out << " clip " << moved(*op.Clip);
    // Only the state the call draws with: the canvas keeps the rest from earlier calls.
    using platform::TDrawKind;
    if (op.Kind == TDrawKind::Text)
        out << " font " << op.Font.Name << "/" << op.Font.Size << "/" << int{op.Font.Style} << "/" << op.Font.Color;
    if (op.Kind == TDrawKind::Line || op.Kind == TDrawKind::Rectangle || op.Kind == TDrawKind::Ellipse
        || op.Kind == TDrawKind::Polygon)
        out << " pen " << op.Pen.Color << "/" << op.Pen.Width << "/" << static_cast<int>(op.Pen.Style);
    if (op.Opaque || (op.Kind != TDrawKind::Text && op.Kind != TDrawKind::Line && op.Kind != TDrawKind::Region
                      && op.Kind != TDrawKind::Bitmap))
        out << " brush " << op.Brush.Color << "/" << static_cast<int>(op.Brush.Style);
    if (op.Kind == platform::TDrawKind::Region) {
        out << " region " << op.RegionColor;
        for (const platform::TRect& r : op.Region.Rects())
            out << " " << moved(r);
    }
    if (op.Bitmap)
        out << " bitmap";
    if (op.Mask)
        out << " mask";
    if (op.Source)
        out << " from " << Describe(*op.Source);
    return out.str();
}

std::vector<std::string> Described(const std::vector<platform::TDrawOp>& ops)
{
    std::vector<std::string> described;
    for (const platform::TDrawOp& op : ops)
        described.push_back(Describe(op));
    return described;
}

// The first difference between two lists, for the failure message.
std::string FirstDifference(const std::vector<std::string>& a, const std::vector<std::string>& b)
{
    const auto [ia, ib] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
    return "#" + std::to_string(ia - a.begin()) + "\n  " + (ia == a.end() ? "(end)" : *ia) + "\n  "
        + (ib == b.end() ? "(end)" : *ib);
}

// Every table of a column, nested ones included.
void ForTables(const TCell& column, const std::function<void(ThtmlTable&)>& visit)
{
    for (int i = 0; i < column.Count(); ++i) {
        auto* table = dynamic_cast<ThtmlTable*>(column[i]);
        if (!table)
            continue;
        visit(*table);
        ForTables(*table->Caption->Cell, visit);
        for (int r = 0; r < table->Rows.Count(); ++r)
            for (int c = 0; c < table->Rows[r]->Count(); ++c)
                ForTables(*(*table->Rows[r])[c]->Cell, visit);
    }
}

std::string GeneratedPage(int n, bool overlaps)
{
    pagegen::TPageGenerator generator(Seed + static_cast<uint32_t>(n), overlaps);
    return generator.Page();
}

// (a) Laid out at other widths first, a document paints and answers hit tests as a fresh one.
::testing::AssertionResult SameAsFresh(const std::string& html, const std::vector<int32_t>& earlier, int32_t width)
{
    TTestPage fresh(html);
    fresh.LayOut(width);
    const std::vector<std::string> expected = Described(fresh.Paint());
    const std::vector<std::string> expectedHits = fresh.Hits();

    TTestPage page(html);
    for (const int32_t w : earlier) {
        page.LayOut(w);
        page.Paint();
    }
    page.LayOut(width);
    const std::vector<std::string> painted = Described(page.Paint());
    if (painted != expected)
        return ::testing::AssertionFailure() << "paints differently at " << FirstDifference(painted, expected);
    const std::vector<std::string> hits = page.Hits();
    if (hits != expectedHits)
        return ::testing::AssertionFailure() << "hit tests differ at row " << FirstDifference(hits, expectedHits);
    return ::testing::AssertionSuccess();
}

// Whether the column holds text only in form controls, which draw on windows of their own.
bool OnlyControls(const TCell& column)
{
    for (int i = 0; i < column.Count(); ++i) {
        const auto* section = dynamic_cast<const TSection*>(column[i]);
        if (!section || section->Images.Count() > 0
            || std::any_of(section->Text.begin(), section->Text.end(),
                           [](char c) { return c != ' ' && c != static_cast<char>(TSection::ControlMarker); }))
            return false;
    }
    return true;
}

// (b) Each content cell of the first table of the page set to each vertical alignment: every
// drawing call stays where it was or moves down by the change of that cell's offset, no X moves.
::testing::AssertionResult AlignmentMovesOnlyDown(const std::string& html)
{
    TTestPage page(html);
    page.LayOut(PageWidth);
    ThtmlTable* first = nullptr;
    ForTables(page.Document, [&](ThtmlTable& table) { first = first ? first : &table; });
    if (!first)
        return ::testing::AssertionSuccess();
    int checked = 0;
    for (int r = 0; r < first->Rows.Count() && checked < 3; ++r) {
        for (int c = 0; c < first->Rows[r]->Count() && checked < 3; ++c) {
            TCellObj& cellObj = *(*first->Rows[r])[c];
            if (cellObj.IsFiller() || !cellObj.HasContent())
                continue;
            ++checked;
            const uint8_t own = cellObj.VAlign;
            cellObj.VAlign = VAlignTop;
            page.LayOut(PageWidth);
            const std::vector<platform::TDrawOp> top = page.Paint();
            const int32_t topOffset = cellObj.VOffset;
            const int32_t contentTop = cellObj.Cell->Top;
            for (const uint8_t align : {VAlignMiddle, VAlignBottom}) {
                cellObj.VAlign = align;
                page.LayOut(PageWidth);
                const std::vector<platform::TDrawOp>& moved = page.Paint();
                const int32_t dy = cellObj.VOffset - topOffset;
                if (moved.size() != top.size())
                    return ::testing::AssertionFailure() << "cell " << r << "," << c << ": " << moved.size()
                                                         << " drawing calls, " << top.size() << " at the top, from "
                                                         << FirstDifference(Described(moved), Described(top));
                int shifted = 0;
                for (size_t i = 0; i < top.size(); ++i) {
                    const std::string now = Describe(moved[i]);
                    if (now == Describe(top[i]))
                        continue;
                    if (now != Describe(top[i], dy))
                        return ::testing::AssertionFailure()
                            << "cell " << r << "," << c << " align " << int{align} << " moved by " << dy
                            << ": call #" << i << "\n  " << now << "\n  was " << Describe(top[i]);
                    ++shifted;
                }
                // Content that draws nothing on the canvas (form controls) still moves.
                if (cellObj.Cell->Top != contentTop + dy || (dy != 0 && shifted == 0 && !OnlyControls(*cellObj.Cell)))
                    return ::testing::AssertionFailure() << "cell " << r << "," << c << ": its content at "
                                                         << cellObj.Cell->Top << " moved " << shifted
                                                         << " drawing calls, not by " << dy;
            }
            cellObj.VAlign = own;
        }
    }
    return ::testing::AssertionSuccess();
}

// (d) A table cell laid out again where the table placed it paints as it was placed: what the
// table moved into place is what a layout there gives.
::testing::AssertionResult PlacedCellsAreLaidOutThere(const std::string& html)
{
    TTestPage page(html);
    page.LayOut(PageWidth);
    const std::vector<std::string> placed = Described(page.Paint());
    std::vector<std::pair<TCellObj*, int32_t>> cells;
    ForTables(page.Document, [&](ThtmlTable& table) {
        for (int r = 0; r < table.Rows.Count(); ++r)
            for (int c = 0; c < table.Rows[r]->Count(); ++c)
                if (TCellObj& cellObj = *(*table.Rows[r])[c]; !cellObj.IsFiller() && cellObj.HasContent())
                    cells.emplace_back(&cellObj, cellObj.Width - 2 * table.CellPadding - table.CellSpacing);
    });
    // Outer cells first: a nested cell is then laid out again where its own cell's layout put it.
    for (const auto& [cellObj, width] : cells) {
        TCell& column = *cellObj->Cell;
        int32_t maxWidth = 0;
        int32_t charIndex = column.FirstIndex;
        column.Layout(page.Canvas, column.Top, width, maxWidth, charIndex);
    }
    const std::vector<std::string> again = Described(page.Paint());
    if (again != placed)
        return ::testing::AssertionFailure() << "its cells laid out where they stand paint differently at "
                                             << FirstDifference(again, placed);
    return ::testing::AssertionSuccess();
}

bool IsListMarker(const std::string& text)
{
    return text.size() >= 2 && text.back() == '.'
        && std::all_of(text.begin(), text.end() - 1, [](char c) { return std::isalnum(static_cast<unsigned char>(c)); });
}

// (c) At the painted place of each character, the hit test finds that character with the caret
// at its left edge, and the caret position of that index lies there too.
::testing::AssertionResult CaretMeetsPaint(const std::string& html)
{
    TTestPage page(html);
    page.LayOut(PageWidth);
    page.Paint();
    TSectionList& document = page.Document;
    for (const platform::TDrawOp& op : page.Canvas.OpsOf(platform::TDrawKind::Text)) {
        if (op.Text.empty())
            continue;
        const int32_t charWidth = (op.Rect.Right - op.Rect.Left) / static_cast<int32_t>(op.Text.size());
        const int32_t middle = (op.Rect.Top + op.Rect.Bottom) / 2;
        // The spaces that end a line may stand beyond the column's edge.
        const size_t shown = op.Text.find_last_not_of(' ') + 1;
        for (size_t k = 0; k < shown; ++k) {
            const int32_t x0 = op.Rect.Left + static_cast<int32_t>(k) * charWidth;
            int32_t caretX = 0, lineTop = 0, lineHeight = 0;
            TCell* cell = nullptr;
            bool inLine = false;
            const int32_t index =
                document.IndexAtPoint(page.Canvas, x0 + 1, middle, caretX, lineTop, lineHeight, cell, inLine);
            if (!inLine && IsListMarker(op.Text))
                break;
            unsigned char ch = 0;
            TSectionBase* section = nullptr;
            const std::string where = "'" + op.Text + "' char " + std::to_string(k) + " at " + std::to_string(x0)
                + "," + std::to_string(middle) + ": index " + std::to_string(index);
            if (index < 0 || !inLine || caretX != x0 || !document.CharAt(index, ch, section)
                || ch != static_cast<unsigned char>(op.Text[k]))
                return ::testing::AssertionFailure()
                    << where << " caret " << caretX << " in line " << inLine << " char '" << ch << "'";
            int32_t px = 0, py = 0;
            if (!document.PointOfIndex(page.Canvas, index, px, py) || px != x0 || py > op.Rect.Top)
                return ::testing::AssertionFailure() << where << " lies at " << px << "," << py;
            const int32_t again = document.IndexAtPoint(page.Canvas, px + 1, py, caretX, lineTop, lineHeight, cell,
                                                        inLine);
            if (again != index)
                return ::testing::AssertionFailure() << where << " hit at its caret top gives " << again;
        }
    }
    return ::testing::AssertionSuccess();
}

// The property for every generated page of one block (Overlaps: see TPageGenerator); the first
// failures show their page, and the count tells how many pages of the block fail.
void ExpectOfEveryPage(int block, bool overlaps,
                       const std::function<::testing::AssertionResult(const std::string&)>& holds)
{
    int failed = 0;
    for (int n = block * PagesPerBlock; n < (block + 1) * PagesPerBlock; ++n) {
        const std::string html = GeneratedPage(n, overlaps);
        const ::testing::AssertionResult result = holds(html);
        if (!result && failed++ < 3)
            ADD_FAILURE() << "page " << n << ": " << result.message() << "\n" << html;
    }
    EXPECT_EQ(failed, 0) << "of " << PagesPerBlock << " pages";
}

class LayoutPropertyTest : public TableTest {};

// One block of generated pages.
class LayoutProperty : public ::testing::TestWithParam<int> {};

} // namespace

TEST_P(LayoutProperty, GeneratedPagesLayOutAlikeAtEveryWidth)
{
    const std::vector<int32_t> earlier(EarlierWidths.begin(), EarlierWidths.end());
    ExpectOfEveryPage(GetParam(), true,
                      [&](const std::string& html) { return SameAsFresh(html, earlier, PageWidth); });
}

TEST_P(LayoutProperty, GeneratedCellsAlignOnlyVertically)
{
    ExpectOfEveryPage(GetParam(), true, AlignmentMovesOnlyDown);
}

TEST_P(LayoutProperty, GeneratedPagesHitWhatTheyPaint)
{
    ExpectOfEveryPage(GetParam(), false, CaretMeetsPaint);
}

TEST_P(LayoutProperty, GeneratedCellsAreLaidOutWhereTheyArePlaced)
{
    ExpectOfEveryPage(GetParam(), true, PlacedCellsAreLaidOutThere);
}

INSTANTIATE_TEST_SUITE_P(PageBlocks, LayoutProperty, ::testing::Range(0, PageCount / PagesPerBlock));

// Pages where a property was once broken, held to every property.
TEST(LayoutPropertyFixtures, NamedPagesKeepEveryProperty)
{
    const std::vector<int32_t> earlier(EarlierWidths.begin(), EarlierWidths.end());
    const std::string pages[] = {
        std::string("<p>avant") + ItemOfNoHeightPage,
        "<table><tr><td valign=bottom height=90><ul><li><img align=left width=30 height=12></ul>x</td>"
        "<td>y y y</td></tr></table>",
        std::string("<table border=1><tr><td>a<td>") + ItemOfNoHeightPage + "</table>",
    };
    for (const std::string& html : pages) {
        SCOPED_TRACE(html);
        EXPECT_TRUE(SameAsFresh(html, earlier, PageWidth));
        EXPECT_TRUE(AlignmentMovesOnlyDown(html));
        EXPECT_TRUE(CaretMeetsPaint(html));
        EXPECT_TRUE(PlacedCellsAreLaidOutThere(html));
    }
}

// A cell whose span reaches past the last row is never measured: it is centred as if it were
// empty, half its row's line below the top, at every width and after any earlier layout.
TEST_F(LayoutPropertyTest, AnUnmeasuredSpanningCellStaysWhereAFreshLayoutPutsIt)
{
    Parse("<table border=1><tr><td rowspan=2>A</td><td>B</td></tr><tr><td>C</td>"
          "<td rowspan=3 valign=middle>D d d d d d d d d d d d d d d d d d</td></tr></table>");
    for (const int32_t width : {90, 230, 417, 640, 1100}) {
        Layout(width);
        EXPECT_EQ(CellOf(1, 2).VOffset, LineHeight / 2) << width;
    }
}

// The rule beside a float in a cell aligned to the bottom runs beside the picture, not across it.
TEST_F(LayoutPropertyTest, ARuleBesideAFloatInAMovedCellKeepsClearOfIt)
{
    for (const char* align : {"top", "middle", "bottom"}) {
        SCOPED_TRACE(align);
        Document.Clear();
        Load(std::string("<table><tr><td valign=") + align
             + " height=200><img align=left width=60 height=40><hr width=50%>after rule</td><td>x</td></tr></table>");
        const ThtmlTable& table = Table();
        const int32_t pictureRight = table.PaintGridX + table.CellSpacing + table.CellPadding + 60;
        // The rule's four lines come right before the text under it.
        const auto text = std::find_if(Canvas.Ops.begin(), Canvas.Ops.end(),
                                       [](const platform::TDrawOp& op) { return op.Text.rfind("after", 0) == 0; });
        ASSERT_GE(text - Canvas.Ops.begin(), 4);
        for (auto line = text - 4; line != text; ++line) {
            ASSERT_EQ(line->Kind, platform::TDrawKind::Line);
            for (const platform::TPoint& end : line->Points)
                EXPECT_GE(end.X, pictureRight);
        }
    }
}

// A cell is laid out at Y 0 to find its row's height: a list item of no height at its top (it
// holds only a picture floating right) reaches down to Y 1 there, so the row is a pixel taller
// than its text. At its final place, lower down, the item has no height, and the text under it
// stands where a layout there puts it.
TEST_F(LayoutPropertyTest, RowHeightsComeFromCellsLaidOutAtTheTop)
{
    const struct {
        const char* before;
        int32_t textY;
    } cases[] = {{"", 3}, {"<p>avant", 33}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        Document.Clear();
        Load(std::string(c.before) + ItemOfNoHeightPage);
        EXPECT_EQ(Table().Rows[0]->Height, LineHeight + 1 + CellFrame);
        const auto x = std::find_if(Canvas.Ops.begin(), Canvas.Ops.end(),
                                    [](const platform::TDrawOp& op) { return op.Text == "x"; });
        ASSERT_NE(x, Canvas.Ops.end());
        EXPECT_EQ(x->Rect.Top, c.textY);
    }
}
