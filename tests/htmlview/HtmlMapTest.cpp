// Client-side image maps: the areas a MAP gives (rectangles, circles, polygons and their edges,
// NOHREF areas hiding later ones, malformed coordinates), which maps a page keeps, and a picture
// with USEMAP in a viewer turning the area under the mouse into its link.
#include "HtmlViewTest.h"

#include "htmlview/HtmlBuilder.h"
#include "htmlview/HtmlMaps.h"
#include "htmlview/Section.h"
#include "htmlview/SectionList.h"
#include "tests/support/TestCanvas.h"

using namespace htmlview;

namespace {

class MapTest : public ::testing::Test {
protected:
    platform::TTestCanvas Screen;
    TSectionList Document{nullptr, nullptr, Screen};
    TAnchorList Anchors;
    TParsedHead Head;

    void Parse(const std::string& html) { ParseHtmlBuffer(Document, Anchors, html, Head); }

    // The single map of a page holding the given AREA tags.
    const TMapItem& MapOf(const std::string& areas)
    {
        Parse("<map name=m>" + areas + "</map>");
        EXPECT_EQ(Document.ImageMaps.size(), 1u);
        return *Document.ImageMaps.at(0);
    }

    // The URL the map gives at (X, Y), or "-" for none.
    static std::string LinkAt(const TMapItem& map, int32_t x, int32_t y)
    {
        TUrlTarget target;
        return map.AreaLinkAt(x, y, target) ? target.UrlText : "-";
    }
};

struct HitCase {
    const char* Name;
    const char* Areas;
    int32_t X;
    int32_t Y;
    const char* Link;
};

const HitCase HitCases[] = {
    {"rect top left inside", "<area shape=rect coords=0,0,9,9 href=r>", 0, 0, "r"},
    {"rect bottom right edge inside", "<area shape=rect coords=0,0,9,9 href=r>", 9, 9, "r"},
    {"rect past the edges", "<area shape=rect coords=0,0,9,9 href=r>", 10, 10, "-"},
    {"rect reversed corners", "<area shape=rect coords=9,9,0,0 href=r>", 5, 5, "r"},
    {"no SHAPE is a rectangle", "<area coords=2,2,4,4 href=r>", 3, 3, "r"},
    {"SHAPE default reads as a rectangle", "<area shape=default coords=2,2,4,4 href=r>", 4, 4, "r"},
    {"SHAPE default without COORDS is no area", "<area shape=default href=r>", 0, 0, "-"},
    {"circle left edge", "<area shape=circle coords=50,50,10 href=c>", 40, 50, "c"},
    {"circle right edge", "<area shape=circ coords=50,50,10 href=c>", 60, 50, "c"},
    {"circle bounding corner outside", "<area shape=circle coords=50,50,10 href=c>", 40, 40, "-"},
    {"circle past the right edge", "<area shape=circle coords=50,50,10 href=c>", 61, 50, "-"},
    {"polygon inside", "<area shape=poly coords=0,0,20,0,0,20 href=p>", 3, 3, "p"},
    {"polygon outside the slope", "<area shape=polygon coords=0,0,20,0,0,20 href=p>", 15, 15, "-"},
    {"polygon with an odd count drops the last", "<area shape=poly coords=0,0,20,0,0,20,99 href=p>", 3, 3, "p"},
    {"polygon of 5 numbers is no area", "<area shape=poly coords=0,0,20,0,0 href=p>", 1, 1, "-"},
    {"self-crossing polygon by winding", "<area shape=poly coords=0,0,30,0,30,30,10,30,10,10,20,10,20,20,0,20 href=p>",
     15, 15, "p"},
    {"spaces after the commas", "<area coords=\"1, 1, 5, 5\" href=s>", 5, 5, "s"},
    {"empty number stops the reading", "<area coords=10,,20,30 href=e>", 10, 10, "-"},
    {"text that is no number reads 0", "<area coords=x,0,5,5 href=n>", 0, 0, "n"},
    {"NOHREF hides the larger area behind", "<area coords=0,0,9,9 nohref><area coords=0,0,99,99 href=big>", 5,
     5, "-"},
    {"the larger area outside the NOHREF one", "<area coords=0,0,9,9 nohref><area coords=0,0,99,99 href=big>",
     50, 50, "big"},
    {"HREF after NOHREF wins", "<area coords=0,0,9,9 nohref href=later>", 1, 1, "later"},
    {"huge coordinates do not overflow", "<area coords=-2147483648,-2147483648,2147483647,2147483647 href=h>",
     0, 0, "h"},
    {"huge polygon", "<area shape=poly coords=-2147483648,-2147483648,2147483647,-2147483648,0,2147483647 href=h>",
     0, 0, "h"},
};

TEST_F(MapTest, AreasAnswerPointsByShape)
{
    for (const HitCase& c : HitCases) {
        SCOPED_TRACE(c.Name);
        Document.Clear();
        EXPECT_EQ(LinkAt(MapOf(c.Areas), c.X, c.Y), c.Link);
    }
}

TEST_F(MapTest, AreaGivesItsTargetAndKeepsEntriesParallel)
{
    const TMapItem& map = MapOf("<area coords=0,0,9,9 href=a.htm target=right><area coords=1,2 href=bad>"
                                "<area shape=circle coords=5,5,3 nohref>");
    EXPECT_EQ(map.AreaLinks, (std::vector<std::string>{"a.htm", ""}));
    EXPECT_EQ(map.AreaFrames, (std::vector<std::string>{"right", ""}));
    TUrlTarget target;
    ASSERT_TRUE(map.AreaLinkAt(0, 0, target));
    EXPECT_EQ(target.UrlText, "a.htm");
    EXPECT_EQ(target.TargetName, "right");
}

TEST_F(MapTest, CoordinateReadingIsBounded)
{
    std::string many;
    for (int i = 0; i < 500; ++i)
        many += std::to_string(i) + ",";
    EXPECT_EQ(ReadMapCoords(many).size(), TMapItem::MaxCoords);
    // Each number is cut to 20 characters before it is read: 21 digits lose the last.
    EXPECT_EQ(ReadMapCoords("   000000000000000000012"), (std::vector<int32_t>{0}));
    EXPECT_EQ(ReadMapCoords("99999999999,-5,+7, 8 "), (std::vector<int32_t>{0, -5, 7, 8}));
    EXPECT_TRUE(ReadMapCoords("").empty());
}

TEST_F(MapTest, PageKeepsClosedMapsAndTheFirstOfTwoNames)
{
    Parse("<map name=Nav><area coords=0,0,9,9 href=first></map>"
          "<map name=NAV><area coords=0,0,9,9 href=second></map>"
          "<map><area coords=0,0,9,9 href=nameless></map>"
          "<map name=open><area coords=0,0,9,9 href=lost>");
    ASSERT_EQ(Document.ImageMaps.size(), 3u);
    const TMapItem* nav = FindImageMap(Document.ImageMaps, "NAV");
    ASSERT_NE(nav, nullptr);
    EXPECT_EQ(nav->AreaLinks.at(0), "first");
    EXPECT_NE(FindImageMap(Document.ImageMaps, ""), nullptr);
    EXPECT_EQ(FindImageMap(Document.ImageMaps, "OPEN"), nullptr);
    // Area tags are no text of the page.
    for (int i = 0; i < Document.Count(); ++i) {
        if (const auto* section = dynamic_cast<const TSection*>(Document.Items(i))) {
            EXPECT_EQ(section->Text.find_first_not_of(std::string(" \0", 2)), std::string::npos) << section->Text;
        }
    }
}

class MapViewTest : public viewertest::ViewerFixture {};

TEST_F(MapViewTest, PictureWithUseMapLinksTheAreaUnderTheMouse)
{
    std::vector<std::string> covered;
    View.OnHotSpotCovered = [&](THtmlView*, const std::string& url) { covered.push_back(url); };
    Load("<map name=\"pic\"><area coords=0,0,19,39 href=left.htm><area coords=20,0,39,39 nohref></map>"
         "<a href=own.htm><img src=none.bmp usemap=#pic width=40 height=40 border=0 align=left></a>"
         "<a href=fallback.htm><img src=none.bmp usemap=#missing width=40 height=40 border=0 align=left></a>");
    const auto moveTo = [&](int x, int y) { QTest::mouseMove(&Panel(), QPoint(x, y)); };
    // Find the first picture's left edge on the panel.
    int left = -1;
    for (int x = 0; x < 100 && left < 0; ++x) {
        moveTo(x, 20);
        if (!View.CoveredURL().empty())
            left = x;
    }
    ASSERT_GE(left, 0);
    EXPECT_EQ(View.CoveredURL(), "left.htm");
    moveTo(left + 30, 20); // the NOHREF half gives no link, not the picture's own
    EXPECT_EQ(View.CoveredURL(), "");
    // A map the page lacks leaves the second picture to its own link.
    moveTo(left + 60, 20);
    EXPECT_EQ(View.CoveredURL(), "fallback.htm");
    moveTo(left + 10, 20);
    EXPECT_EQ(covered, (std::vector<std::string>{"left.htm", "", "fallback.htm", "left.htm"}));
}

} // namespace
