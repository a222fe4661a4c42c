// The viewer control under the mouse: selection by dragging with auto-scroll, word selection,
// links (hover, click, Handled), link paths and the error box.
#include "HtmlViewTest.h"

#include "htmlview/ViewerCursors.h"

#include <QMouseEvent>

#include <memory>

using htmlview::THtmlView;
using viewertest::LongPage;
using viewertest::ViewerFixture;

namespace {

class ViewerMouseTest : public ViewerFixture {
protected:
    // A move without a button held, as hovering sends it.
    void Hover(QPoint point)
    {
        QMouseEvent move(QEvent::MouseMove, point, Panel().mapToGlobal(point), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(&Panel(), &move);
    }

    void Click(QPoint point)
    {
        QTest::mousePress(&Panel(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(&Panel(), Qt::LeftButton, {}, point);
    }

    // As Qt delivers a double click: press, release, double click, release.
    void DoubleClick(QPoint point)
    {
        Click(point);
        QTest::mouseDClick(&Panel(), Qt::LeftButton, {}, point);
        QTest::mouseRelease(&Panel(), Qt::LeftButton, {}, point);
    }
};

TEST_F(ViewerMouseTest, DraggingSelectsAndCopies)
{
    Load("<p>Alpha beta gamma delta</p>");
    const QPoint from = PointOf(IndexOf("beta"));
    const QPoint to = PointOf(IndexOf("delta"));
    QTest::mousePress(&Panel(), Qt::LeftButton, {}, from);
    QTest::mouseMove(&Panel(), to);
    QTest::mouseRelease(&Panel(), Qt::LeftButton, {}, to);
    EXPECT_EQ(SelectedText(), "beta gamma ");
    View.CopyToClipboard();
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "beta gamma ");

    // Dragging backwards selects the same way.
    QTest::mousePress(&Panel(), Qt::LeftButton, {}, to);
    QTest::mouseMove(&Panel(), from);
    QTest::mouseRelease(&Panel(), Qt::LeftButton, {}, from);
    EXPECT_EQ(SelectedText(), "beta gamma ");

    // A click empties it.
    Click(from);
    EXPECT_EQ(View.SelLength(), 0);
}

TEST_F(ViewerMouseTest, DoubleClickSelectsTheWordUnderIt)
{
    Load("<p>Le chat l'arbre</p><p>second</p>");
    const struct {
        const char* ClickedOn; // the text the click lands on
        int Offset;            // characters into it
        const char* Selected;  // the word selected, found where the click landed; empty: none
    } cases[] = {{"chat", 2, "chat"}, {"l'arbre", 0, "l"}, {"arbre", 1, "arbre"}, {" chat", 0, ""}};
    for (const auto& c : cases) {
        View.SetSelLength(0);
        const int32_t clicked = IndexOf(c.ClickedOn);
        DoubleClick(PointOf(clicked + c.Offset));
        const int32_t length = static_cast<int32_t>(std::string(c.Selected).size());
        if (length == 0) {
            EXPECT_EQ(View.SelLength(), 0) << c.ClickedOn;
            continue;
        }
        EXPECT_EQ(View.Document().SelStart, clicked) << c.ClickedOn;
        EXPECT_EQ(View.Document().SelEnd, clicked + length) << c.ClickedOn;
    }
    // Below the last line there is no character: nothing is selected.
    View.SetSelLength(0);
    DoubleClick({20, Panel().height() - 5});
    EXPECT_EQ(View.SelLength(), 0);
}

TEST_F(ViewerMouseTest, DoubleClickRightAfterFollowingALinkSelectsNothing)
{
    Load("<p><a href=\"elsewhere.htm\">linked</a> plain</p>");
    View.OnHotSpotClick = [](THtmlView*, const std::string&, bool& handled) { handled = true; };
    DoubleClick(PointOf(IndexOf("linked") + 1));
    EXPECT_EQ(View.SelLength(), 0);
    DoubleClick(PointOf(IndexOf("plain") + 1));
    EXPECT_EQ(View.Document().SelStart, IndexOf("plain"));
}

TEST_F(ViewerMouseTest, HoverReportsEachLinkOnce)
{
    Load("<p><a href=\"one.htm\">first link</a> plain <a href=\"two.htm\" target=\"side\">second link</a></p>");
    std::vector<std::string> covered;
    View.OnHotSpotCovered = [&](THtmlView*, const std::string& url) { covered.push_back(url); };
    Hover(PointOf(IndexOf("first")));
    Hover(PointOf(IndexOf("link")));
    EXPECT_EQ(Panel().cursor().shape(), htmlview::ViewerCursor(htmlview::crHotSpot).shape());
    Hover(PointOf(IndexOf("second")));
    EXPECT_EQ(View.CoveredTarget(), "side");
    Hover(PointOf(IndexOf("plain")));
    EXPECT_EQ(covered, (std::vector<std::string>{"one.htm", "two.htm", ""}));
}

TEST_F(ViewerMouseTest, ClickedLinkIsOfferedToTheHandlerFirst)
{
    const std::string target = WriteFile("target.htm", "<title>Target</title><p>arrived</p>");
    const std::string page = WriteFile("start.htm", "<p><a href=\"target.htm\">go there</a> and stay</p>");
    for (const bool handled : {true, false}) {
        View.LoadFromFile(page);
        Paint();
        std::vector<std::string> offered;
        View.OnHotSpotClick = [&](THtmlView*, const std::string& url, bool& h) {
            offered.push_back(url);
            h = handled;
        };
        Click(PointOf(IndexOf("there")));
        EXPECT_EQ(offered, std::vector<std::string>{"target.htm"});
        EXPECT_EQ(View.LoadedFileName(), handled ? page : target);
    }
}

TEST_F(ViewerMouseTest, ReleaseAfterDraggingASelectionFollowsNoLink)
{
    Load("<p><a href=\"#end\">a link of several words</a></p>");
    int offers = 0;
    View.OnHotSpotClick = [&](THtmlView*, const std::string&, bool& handled) {
        ++offers;
        handled = true;
    };
    QTest::mousePress(&Panel(), Qt::LeftButton, {}, PointOf(IndexOf("link")));
    QTest::mouseMove(&Panel(), PointOf(IndexOf("words")));
    QTest::mouseRelease(&Panel(), Qt::LeftButton, {}, PointOf(IndexOf("words")));
    EXPECT_EQ(offers, 0);
    EXPECT_GT(View.SelLength(), 0);
}

TEST_F(ViewerMouseTest, AnchorLinkJumpsWithinThePage)
{
    Load("<p><a href=\"#Bottom\">down</a></p>" + LongPage(40) + "<p><a name=\"bottom\">here</a></p>" + LongPage(10));
    unsigned char c = 0;
    htmlview::TSectionBase* anchored = nullptr;
    ASSERT_TRUE(View.Document().CharAt(IndexOf("here"), c, anchored));
    ASSERT_LT(anchored->Top, View.DocumentHeight() - Panel().height()) << "the page must not stop the jump short";
    Click(PointOf(IndexOf("down")));
    // The section holding the anchor is the first thing in view.
    EXPECT_EQ(View.VerticalPosition(), anchored->Top);
    EXPECT_EQ(View.Document().ScrollTop, anchored->Top);
    EXPECT_EQ(View.CoveredURL(), "#Bottom");
}

TEST_F(ViewerMouseTest, ControlsMouseEventsComeBeforeItsOwnHandling)
{
    Load("<p><a href=\"#far\">link</a> plain</p>" + LongPage(30) + "<p><a name=far>far</a></p>" + LongPage(10));
    std::vector<std::string> log;
    const auto at = [](int32_t x, int32_t y) { return " " + std::to_string(x) + "," + std::to_string(y); };
    const auto at2 = [&](QPoint p) { return at(p.x(), p.y()); };
    View.OnMouseMove = [&](THtmlView* sender, Qt::MouseButtons buttons, Qt::KeyboardModifiers, int32_t x, int32_t y) {
        EXPECT_EQ(sender, &View);
        log.push_back("move" + at(x, y) + " buttons " + std::to_string(buttons.toInt()) + " covered '" +
                      View.CoveredURL() + "'");
    };
    View.OnHotSpotCovered = [&](THtmlView*, const std::string& url) { log.push_back("covered '" + url + "'"); };
    View.OnMouseDown = [&](THtmlView* sender, Qt::MouseButton button, Qt::KeyboardModifiers shift, int32_t x,
                           int32_t y) {
        EXPECT_EQ(sender, &View);
        log.push_back("down" + at(x, y) + " button " + std::to_string(static_cast<int>(button)) +
                      (shift.testFlag(Qt::ShiftModifier) ? " shift" : "") + " caret " +
                      std::to_string(View.CaretIndex()));
    };
    View.OnMouseUp = [&](THtmlView* sender, Qt::MouseButton button, Qt::KeyboardModifiers, int32_t x, int32_t y) {
        EXPECT_EQ(sender, &View);
        log.push_back("up" + at(x, y) + " button " + std::to_string(static_cast<int>(button)) + " top " +
                      (View.VerticalPosition() == 0 ? "0" : "moved"));
    };
    View.OnHotSpotClick = [&](THtmlView*, const std::string& url, bool&) { log.push_back("click '" + url + "'"); };
    const QPoint onLink = PointOf(IndexOf("link"));
    const QPoint onPlain = PointOf(IndexOf("plain"));

    Hover(onLink);
    View.OnMouseMove = nullptr;
    QTest::mousePress(&Panel(), Qt::LeftButton, Qt::ShiftModifier, onPlain);
    QTest::mouseRelease(&Panel(), Qt::LeftButton, Qt::ShiftModifier, onPlain);
    Click(onLink);
    QTest::mouseClick(&Panel(), Qt::RightButton, {}, onPlain);

    // Each event sees the state before the view's own handling of it: the covered link not yet
    // taken, the caret of the press before, the link not yet followed.
    EXPECT_EQ(log, (std::vector<std::string>{
                       "move" + at2(onLink) + " buttons 0 covered ''",
                       "covered '#far'",
                       "down" + at2(onPlain) + " button 1 shift caret 0",
                       "up" + at2(onPlain) + " button 1 top 0",
                       "down" + at2(onLink) + " button 1 caret " + std::to_string(IndexOf("plain")),
                       "up" + at2(onLink) + " button 1 top 0",
                       "click '#far'",
                       "down" + at2(onPlain) + " button 2 caret " + std::to_string(IndexOf("link")),
                       "up" + at2(onPlain) + " button 2 top moved",
                   }));
}

TEST_F(ViewerMouseTest, LinkToAMissingFileShowsAnErrorAndKeepsThePage)
{
    Load("<p><a href=\"" + Folder.path().toStdString() + "/gone.htm\">broken</a></p>");
    Click(PointOf(IndexOf("broken")));
    EXPECT_TRUE(Errors.empty()) << "the box comes later, from the event loop";
    DeliverPostedEvents();
    ASSERT_EQ(Errors.size(), 1u);
    EXPECT_EQ(Errors[0], "Can't locate file: " + Folder.path().toStdString() + "/gone.htm");
    EXPECT_GE(IndexOf("broken"), 0);
}

TEST_F(ViewerMouseTest, LinkPathsResolveAgainstBaseRootOrLoadedFile)
{
    const std::string folder = Folder.path().toStdString();
    const std::string page = WriteFile("page.htm", "<p>x</p>");
    View.LoadFromFile(page);
    EXPECT_EQ(View.ExpandDocumentPath("sub/../next.htm"), folder + "/next.htm");
    EXPECT_EQ(View.ExpandDocumentPath("next%20page.htm"), folder + "/next page.htm");
    View.SetServerRoot(folder + "/root/");
    EXPECT_EQ(View.ExpandDocumentPath("/img/a.gif"), folder + "/root/img/a.gif");
    Load("<base href=\"" + folder + "/dict\"><p>x</p>");
    EXPECT_EQ(View.ExpandDocumentPath("pic.jpg"), folder + "/dict/pic.jpg");
    Load("<base href=\"DosPath\"><p>x</p>");
    EXPECT_EQ(View.ExpandDocumentPath("pic.jpg"), "pic.jpg");
}

class ViewerAutoScrollTest : public ViewerMouseTest {
protected:
    void SetUp() override
    {
        ViewerMouseTest::SetUp();
        Load(LongPage(60));
        QTest::mousePress(&Panel(), Qt::LeftButton, {}, PointOf(IndexOf("Paragraph 1 ")));
    }

    // One step of the auto-scroll that a drag to Y starts.
    int32_t StepForDragTo(int y)
    {
        const int32_t before = View.VerticalPosition();
        QTest::mouseMove(&Panel(), {40, y});
        DeliverPostedEvents();
        return View.VerticalPosition() - before;
    }
};

TEST_F(ViewerAutoScrollTest, DraggingPastTheEdgesScrollsBySmallOrLargeSteps)
{
    const int h = Panel().height();
    EXPECT_EQ(StepForDragTo(h + 20), 128);
    EXPECT_TRUE(View.AutoScrolling());
    QTest::mouseMove(&Panel(), {40, h / 2});
    EXPECT_TRUE(View.AutoScrolling());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !View.AutoScrolling(); })) << "back inside, the next step stops";
    EXPECT_EQ(StepForDragTo(h + 10), 16);
    EXPECT_TRUE(View.AutoScrolling());
    QTest::mouseRelease(&Panel(), Qt::LeftButton, {}, {40, -20});
    EXPECT_FALSE(View.AutoScrolling());
    EXPECT_GT(View.SelLength(), 0);
}

TEST_F(ViewerAutoScrollTest, UpwardStepsAndTheSelectionFollow)
{
    View.ScrollToY(1000);
    const int32_t start = View.VerticalPosition();
    EXPECT_EQ(StepForDragTo(-20), -128);
    QTest::mouseMove(&Panel(), {40, Panel().height() / 2});
    EXPECT_TRUE(QTest::qWaitFor([this] { return !View.AutoScrolling(); }));
    EXPECT_EQ(StepForDragTo(-5), -16);
    QTest::mouseRelease(&Panel(), Qt::LeftButton, {}, {40, -5});
    EXPECT_LT(View.VerticalPosition(), start);
    EXPECT_GT(View.SelLength(), 0);
}

TEST(ViewerLifetimeTest, DestroyingTheViewStopsItsAutoScroll)
{
    auto view = std::make_unique<THtmlView>();
    view->resize(200, 150);
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    const std::string page = LongPage(40);
    view->LoadFromBuffer(page.data(), static_cast<int32_t>(page.size()));
    auto& panel = view->PaintPanel();
    panel.repaint();
    QTest::mousePress(&panel, Qt::LeftButton, {}, {30, 20});
    QTest::mouseMove(&panel, {30, panel.height() + 30});
    EXPECT_TRUE(view->AutoScrolling());
    view.reset();
    QCoreApplication::sendPostedEvents();
    QTest::qWait(THtmlView::AutoScrollInterval * 2);
    // The test's mouse lets go somewhere else.
    QWidget elsewhere;
    QTest::mouseRelease(&elsewhere, Qt::LeftButton);
}

} // namespace
