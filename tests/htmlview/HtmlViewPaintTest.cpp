// The viewer control's drawing (frame, background tiles) and its hooks for form controls.
#include "HtmlViewTest.h"

#include "platform/Bitmap.h"

using htmlview::THtmlView;
using htmlview::THTMLBorderStyle;
using viewertest::LongPage;
using viewertest::ViewerFixture;

namespace {

using ViewerPaintTest = ViewerFixture;

QRgb Rgb(platform::TColor color)
{
    return platform::ToQColor(color).rgb();
}

TEST_F(ViewerPaintTest, FrameShowsWhenSingleOrFocusedAndVanishesOtherwise)
{
    Load("<p>x</p>");
    View.clearFocus();
    const struct {
        THTMLBorderStyle Style;
        QRgb Corner;
        QPoint PanelAt;
    } cases[] = {{THTMLBorderStyle::htSingle, Rgb(platform::clBtnText), {1, 1}},
                 {THTMLBorderStyle::htFocused, Rgb(platform::clWhite), {1, 1}},
                 {THTMLBorderStyle::htNone, Rgb(platform::clWhite), {0, 0}}};
    for (const auto& c : cases) {
        View.SetBorderStyle(c.Style);
        EXPECT_EQ(View.grab().toImage().pixel(0, 0), c.Corner) << static_cast<int>(c.Style);
        EXPECT_EQ(Panel().pos(), c.PanelAt) << static_cast<int>(c.Style);
    }
}

TEST_F(ViewerPaintTest, BackgroundTilesFollowThePageAndEmptyPicturesAreIgnored)
{
    Load(LongPage(40));
    View.SetViewImages(true);
    platform::TBitmap tile(1, 2);
    tile.SetPixel(0, 0, platform::clRed);
    tile.SetPixel(0, 1, platform::clBlue);
    View.Document().BackgroundBitmap = &tile;
    const QRect corner(0, 0, 1, 2);
    QImage area = Panel().RenderArea(corner);
    EXPECT_EQ(area.pixel(0, 0), Rgb(platform::clRed));
    EXPECT_EQ(area.pixel(0, 1), Rgb(platform::clBlue));
    View.ScrollToY(1);
    area = Panel().RenderArea(corner);
    EXPECT_EQ(area.pixel(0, 0), Rgb(platform::clBlue)) << "tiles scroll with the page";

    platform::TBitmap empty(0, 2);
    View.Document().BackgroundBitmap = &empty;
    EXPECT_EQ(Panel().RenderArea(corner).pixel(0, 0), Rgb(platform::clWhite));
    View.Document().BackgroundBitmap = nullptr;
}

TEST_F(ViewerPaintTest, PageIsDrawnInTheLinkAndTextColours)
{
    View.SetDefFontColor(platform::clBlack);
    View.SetDefFontSize(30);
    Load("<p>WWWW <a href=\"x.htm\">WWWW</a></p>");
    const QImage image = View.grab().toImage();
    bool black = false;
    bool blue = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            black = black || image.pixel(x, y) == Rgb(platform::clBlack);
            blue = blue || image.pixel(x, y) == Rgb(platform::clBlue);
        }
    EXPECT_TRUE(black);
    EXPECT_TRUE(blue);
}

using ViewerFormHookTest = ViewerFixture;

TEST_F(ViewerFormHookTest, ControlOutsideTheViewIsBroughtToItsMiddle)
{
    Load(LongPage(60));
    View.ScrollControlIntoView(1000);
    EXPECT_EQ(View.VerticalPosition(), 1000 - View.height() / 2);
    const int32_t placed = View.VerticalPosition();
    View.ScrollControlIntoView(placed + 50);
    EXPECT_EQ(View.VerticalPosition(), placed) << "a visible control moves nothing";
}

TEST_F(ViewerFormHookTest, SubmissionArrivesLaterAndOnlyTheLastOne)
{
    View.QueueFormSubmit("ignored.cgi", "", "", "Get", {"a=1"});
    std::vector<std::string> delivered;
    View.OnFormSubmit = [&](THtmlView*, const std::string& action, const std::string&, const std::string&,
                            const std::string& method, std::vector<std::string> results) {
        delivered.push_back(action + " " + method + " " + results.at(0));
    };
    DeliverPostedEvents();
    EXPECT_TRUE(delivered.empty()) << "nothing was queued while no handler listened";
    View.QueueFormSubmit("first.cgi", "", "", "Get", {"a=1"});
    View.QueueFormSubmit("second.cgi", "", "", "Post", {"b=2"});
    EXPECT_TRUE(delivered.empty());
    DeliverPostedEvents();
    EXPECT_EQ(delivered, std::vector<std::string>{"second.cgi Post b=2"});
}

} // namespace
