// The viewer control: property clamps, loading and layout, scroll bars, keys, positions, errors,
// history and the refresh META.
#include "HtmlViewTest.h"

#include "htmlview/HtmlScanner.h"
#include "platform/Exceptions.h"

#include <QFocusEvent>
#include <QKeyEvent>

#include <stdexcept>

using htmlview::TDocumentPosition;
using htmlview::THtmlView;
using htmlview::TScrollStyle;
using viewertest::LongPage;
using viewertest::ViewerFixture;

namespace {

using ViewerPropertyTest = ViewerFixture;

TEST_F(ViewerPropertyTest, NumericWritesAreClampedOrRefused)
{
    const struct {
        int32_t Written;
        int32_t Stored;
    } fontSizes[] = {{3, 6}, {40, 40}, {6, 6}}, cacheCounts[] = {{-1, 0}, {25, 20}, {7, 7}};
    for (const auto& c : fontSizes) {
        View.SetDefFontSize(c.Written);
        EXPECT_EQ(View.DefFontSize(), c.Stored) << c.Written;
    }
    for (const auto& c : cacheCounts) {
        View.SetImageCacheCount(c.Written);
        EXPECT_EQ(View.ImageCacheCount(), c.Stored) << c.Written;
    }
    for (const int32_t refused : {51, -1}) {
        View.SetMarginWidth(refused);
        View.SetMarginHeight(refused);
        EXPECT_EQ(View.MarginWidth(), 10);
        EXPECT_EQ(View.MarginHeight(), 5);
    }
    View.SetMarginWidth(0);
    EXPECT_EQ(View.MarginWidth(), 0);
    View.SetHistoryMaxCount(-3);
    EXPECT_EQ(View.HistoryMaxCount(), 0);
    View.SetServerRoot("  /srv/pages/ ");
    EXPECT_EQ(View.ServerRoot(), "/srv/pages");
}

TEST_F(ViewerPropertyTest, ProcessingIsReportedAroundEveryLoadAndRelayout)
{
    std::vector<bool> states;
    View.OnProcessing = [&](THtmlView*, bool on) { states.push_back(on); };
    Load("<p>Some text</p>");
    View.SetMarginWidth(20);
    EXPECT_EQ(states, (std::vector<bool>{true, false, true, false}));
    EXPECT_FALSE(View.Processing());
}

TEST_F(ViewerPropertyTest, SelectionCountsAndCopiesAndEmpties)
{
    View.SelectAll();
    EXPECT_EQ(View.SelLength(), 0) << "an empty page has nothing to select";
    Load("<p>Hello world</p>");
    View.SetNoSelect(true);
    View.SelectAll();
    EXPECT_EQ(View.SelLength(), 0);
    View.SetNoSelect(false);
    View.SelectAll();
    EXPECT_EQ(SelectedText().substr(0, 11), "Hello world");
    EXPECT_EQ(View.SelLength(), static_cast<int32_t>(SelectedText().size()));

    char untouched[4] = {'x', 'x', 'x', 'x'};
    EXPECT_EQ(View.GetSelTextBuf(untouched, 0), 0);
    EXPECT_EQ(untouched[0], 'x');
    char small[6];
    EXPECT_EQ(View.GetSelTextBuf(small, 6), 6);
    EXPECT_STREQ(small, "Hello");

    View.CopyToClipboard();
    EXPECT_TRUE(QGuiApplication::clipboard()->text().startsWith("Hello world"));

    const int32_t length = View.SelLength();
    View.SetSelLength(5);
    EXPECT_EQ(View.SelLength(), length);
    View.SetSelLength(0);
    EXPECT_EQ(View.SelLength(), 0);
}

using ViewerLayoutTest = ViewerFixture;

TEST_F(ViewerLayoutTest, LongPageGetsAVerticalBarCoveringItsHeight)
{
    Load(LongPage(40));
    const auto& bar = View.VScrollBar();
    EXPECT_TRUE(bar.isVisible());
    EXPECT_FALSE(View.HScrollBar().isVisible());
    EXPECT_EQ(Panel().geometry(), QRect(1, 1, 300 - bar.width() - 2, 198));
    EXPECT_GT(View.DocumentHeight(), Panel().height());
    EXPECT_EQ(bar.Max(), View.DocumentHeight());
    EXPECT_EQ(bar.Page(), Panel().height() + 1);
    EXPECT_EQ(bar.maximum(), View.DocumentHeight() - Panel().height()) << "last position shows the page's end";
    EXPECT_EQ(bar.LargeChange, Panel().height() - THtmlView::LineStep);
}

TEST_F(ViewerLayoutTest, ShortPageHasNoBarAndDoesNotScroll)
{
    Load("<p>Short</p>");
    EXPECT_FALSE(View.VScrollBar().isVisible());
    EXPECT_EQ(Panel().width(), 298);
    for (const int key : {Qt::Key_End, Qt::Key_PageDown, Qt::Key_Down}) {
        QTest::keyClick(&View, static_cast<Qt::Key>(key));
        EXPECT_EQ(View.VerticalPosition(), 0);
    }
}

TEST_F(ViewerLayoutTest, KeysMoveTheViewWithinThePage)
{
    Load(LongPage(40));
    const int32_t last = View.DocumentHeight() - Panel().height();
    const int32_t page = View.VScrollBar().LargeChange;
    const struct {
        Qt::Key Key;
        int32_t Position;
    } steps[] = {{Qt::Key_Down, 16},       {Qt::Key_Down, 32},  {Qt::Key_Up, 16},   {Qt::Key_PageDown, 16 + page},
                 {Qt::Key_PageUp, 16},     {Qt::Key_PageUp, 0}, {Qt::Key_Up, 0},    {Qt::Key_End, last},
                 {Qt::Key_Down, last},     {Qt::Key_Home, 0}};
    for (const auto& step : steps) {
        QTest::keyClick(&View, step.Key);
        EXPECT_EQ(View.VerticalPosition(), step.Position) << static_cast<int>(step.Key);
        EXPECT_EQ(View.Document().ScrollTop, step.Position);
        EXPECT_EQ(View.VScrollBar().value(), step.Position);
    }
}

TEST_F(ViewerLayoutTest, KeyEventsComeBeforeTheViewsOwnHandling)
{
    Load(LongPage(40));
    std::vector<std::string> events;
    View.OnKeyDown = [&](THtmlView* sender, int& key, Qt::KeyboardModifiers shift) {
        EXPECT_EQ(sender, &View);
        events.push_back("down " + std::to_string(key) + (shift.testFlag(Qt::ShiftModifier) ? " shift" : "") +
                         " at " + std::to_string(View.VerticalPosition()));
        if (key == Qt::Key_End)
            key = 0; // taken by the handler: the view does not move
    };
    View.OnKeyUp = [&](THtmlView*, int& key, Qt::KeyboardModifiers) { events.push_back("up " + std::to_string(key)); };
    View.OnKeyPress = [&](THtmlView*, char key) { events.push_back(std::string("press ") + key); };
    // Press, a repeated release (a held key) and the real release.
    const auto type = [this](int key, Qt::KeyboardModifiers shift, const QString& text) {
        QKeyEvent press(QEvent::KeyPress, key, shift, text);
        QKeyEvent repeated(QEvent::KeyRelease, key, shift, text, true);
        QKeyEvent release(QEvent::KeyRelease, key, shift, text);
        for (QKeyEvent* event : {&press, &repeated, &release})
            QCoreApplication::sendEvent(&View, event);
    };
    type(Qt::Key_Down, Qt::NoModifier, {});
    type(Qt::Key_End, Qt::NoModifier, {});
    type(Qt::Key_X, Qt::ShiftModifier, "X");
    type(Qt::Key_Eacute, Qt::NoModifier, QString(QChar(0xE9)));
    EXPECT_EQ(View.VerticalPosition(), 16);
    EXPECT_EQ(events, (std::vector<std::string>{
                          "down " + std::to_string(Qt::Key_Down) + " at 0",
                          "up " + std::to_string(Qt::Key_Down),
                          "down " + std::to_string(Qt::Key_End) + " at 16",
                          "up " + std::to_string(Qt::Key_End),
                          "down " + std::to_string(Qt::Key_X) + " shift at 16",
                          "press X",
                          "up " + std::to_string(Qt::Key_X),
                          "down " + std::to_string(Qt::Key_Eacute) + " at 16",
                          "press \xE9",
                          "up " + std::to_string(Qt::Key_Eacute),
                      }));
}

TEST_F(ViewerLayoutTest, EnteringIsReportedOnlyWhenTheFocusComesFromAnotherControl)
{
    int entered = 0;
    View.OnEnter = [&](THtmlView* sender) {
        EXPECT_EQ(sender, &View);
        ++entered;
    };
    const struct {
        Qt::FocusReason Reason;
        int Entered;
    } cases[] = {{Qt::TabFocusReason, 1}, {Qt::MouseFocusReason, 1}, {Qt::ActiveWindowFocusReason, 0},
                 {Qt::PopupFocusReason, 0}};
    for (const auto& c : cases) {
        entered = 0;
        QFocusEvent in(QEvent::FocusIn, c.Reason);
        QCoreApplication::sendEvent(&View, &in);
        EXPECT_EQ(entered, c.Entered) << c.Reason;
    }
}

TEST_F(ViewerLayoutTest, WithoutBarsKeysStillScroll)
{
    View.SetScrollBars(TScrollStyle::ssNone);
    Load(LongPage(40));
    EXPECT_FALSE(View.VScrollBar().isVisible());
    EXPECT_EQ(Panel().size(), QSize(298, 198));
    QTest::keyClick(&View, Qt::Key_End);
    EXPECT_EQ(View.VerticalPosition(), View.DocumentHeight() - Panel().height());
}

TEST_F(ViewerLayoutTest, WideLineCountsAtMostTwoThousandPixels)
{
    Load("<pre>" + std::string(600, 'W') + "</pre>");
    EXPECT_EQ(View.DocumentWidth(), THtmlView::MaxDocumentWidth);
    EXPECT_TRUE(View.HScrollBar().isVisible());
    EXPECT_EQ(View.HScrollBar().maximum(), 2 * View.MarginWidth() + 2000 - Panel().width());
    QTest::keyClick(&View, Qt::Key_Right);
    EXPECT_EQ(View.HorizontalPosition(), 15);
    QTest::keyClick(&View, Qt::Key_Left);
    QTest::keyClick(&View, Qt::Key_Left);
    EXPECT_EQ(View.HorizontalPosition(), 0);
}

TEST_F(ViewerLayoutTest, TinyViewKeepsAUsableWidthAndPageStep)
{
    View.resize(24, 24);
    View.SetMarginWidth(50);
    Load(LongPage(3));
    EXPECT_GT(View.DocumentHeight(), 0);
    EXPECT_GE(View.VScrollBar().LargeChange, THtmlView::LineStep);
    QTest::keyClick(&View, Qt::Key_PageDown);
    EXPECT_GE(View.VerticalPosition(), THtmlView::LineStep);
}

TEST_F(ViewerLayoutTest, ResizingOnlyTheHeightDoesNotLayOutAgain)
{
    Load(LongPage(40));
    int changes = 0;
    View.OnProcessing = [&](THtmlView*, bool) { ++changes; };
    View.resize(300, 260);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(Panel().height(), 258);
    View.resize(250, 260);
    EXPECT_EQ(changes, 2);
}

TEST_F(ViewerLayoutTest, NewLayoutKeepsTheReadersPlaceInATallSection)
{
    // One paragraph far taller than 65535 pixels: a word on each line.
    View.resize(150, 200);
    View.SetDefFontSize(100);
    std::string words;
    for (int i = 0; i < 1000; ++i)
        words += "word" + std::to_string(i % 10) + " ";
    Load("<p>" + words + "</p>");
    ASSERT_GT(View.DocumentHeight(), 120000);
    View.ScrollToY(100000);
    const TDocumentPosition place = View.GetDocumentPosition();
    EXPECT_GT(place.Offset, 65535);
    View.SetMarginHeight(6); // lays out again at the same width
    EXPECT_EQ(View.GetDocumentPosition(), place);
    EXPECT_EQ(View.VerticalPosition(), View.Document().SectionTop(place.Section) + place.Offset);
}

TEST_F(ViewerLayoutTest, ClearingForgetsSizeAndPlace)
{
    Load(LongPage(40));
    QTest::keyClick(&View, Qt::Key_End);
    View.Clear();
    EXPECT_EQ(View.DocumentHeight(), 0);
    EXPECT_EQ(View.VerticalPosition(), 0);
    EXPECT_EQ(View.Document().ScrollTop, 0);
    EXPECT_FALSE(View.VScrollBar().isVisible());
    QTest::keyClick(&View, Qt::Key_End);
    EXPECT_EQ(View.VerticalPosition(), 0);
}

TEST_F(ViewerLayoutTest, ReloadingAShorterFileKeepsThePlaceWithinIt)
{
    const std::string path = WriteFile("page.htm", LongPage(60));
    View.LoadFromFile(path);
    QTest::keyClick(&View, Qt::Key_End);
    WriteFile("page.htm", LongPage(20));
    View.LoadFromFile(path);
    const int32_t last = View.DocumentHeight() - Panel().height();
    EXPECT_EQ(View.VerticalPosition(), last);
    EXPECT_EQ(View.Document().ScrollTop, last);
}

using ViewerLoadTest = ViewerFixture;

TEST_F(ViewerLoadTest, ParseErrorInMemoryShowsThePartReadAndPassesOn)
{
    bool refreshed = false;
    View.OnMetaRefresh = [&](THtmlView*, int32_t, const std::string&) { refreshed = true; };
    const std::string page =
        "<meta http-equiv=refresh content=\"5; url=next.htm\"><p>Before the comment</p><!-- never closed";
    EXPECT_THROW(View.LoadFromBuffer(page.data(), static_cast<int32_t>(page.size())), htmlview::EParseError);
    EXPECT_FALSE(View.Processing());
    EXPECT_FALSE(refreshed);
    EXPECT_GT(View.DocumentHeight(), 0);
    View.SelectAll();
    EXPECT_EQ(SelectedText().substr(0, 18), "Before the comment");
}

TEST_F(ViewerLoadTest, EachSectionALayoutDropsGetsItsOwnBoxOnce)
{
    std::string wideRow = "<tr>";
    for (int i = 0; i < 31; ++i)
        wideRow += "<td>c";
    const std::string wide = "<table>" + wideRow + "</table>";
    Load("<p>Avant</p>" + wide + "<p>Entre</p>" + wide + "<table><tr><td>" + wide + "</table><p>Fin</p>");
    EXPECT_TRUE(Errors.empty()) << "the boxes come after the layout, from the event loop";
    DeliverPostedEvents();
    EXPECT_EQ(Errors, std::vector<std::string>(3, "Table has too many Columns"));
    View.SelectAll();
    EXPECT_EQ(SelectedText(), "Avant\r\n\r\nEntre\r\n\r\nFin\r\n");

    // The sections are gone for good: a new layout shows no box.
    Errors.clear();
    View.resize(View.width() + 40, View.height());
    Paint();
    DeliverPostedEvents();
    EXPECT_TRUE(Errors.empty());
}

TEST_F(ViewerLoadTest, MissingFileRaisesAndChangesNothing)
{
    Load("<p>Kept</p>");
    const std::string missing = Folder.path().toStdString() + "/missing.htm";
    try {
        View.LoadFromFile(missing + "#anchor");
        FAIL() << "no error";
    } catch (const platform::EInOutError& error) {
        EXPECT_EQ(std::string(error.what()), "Can't locate file: " + missing);
    }
    EXPECT_FALSE(View.Processing());
    EXPECT_EQ(View.LoadedFileName(), "");
    View.SelectAll();
    EXPECT_EQ(SelectedText().substr(0, 4), "Kept");
}

TEST_F(ViewerLoadTest, FileLoadsSetNameKindAndAnchorPlace)
{
    const std::string path =
        WriteFile("anchors.htm", "<title>Anchors</title>" + LongPage(30) + "<a name=\"Deep\">deep</a>" + LongPage(30));
    View.LoadFromFile(path + "#deep");
    EXPECT_EQ(View.LoadedFileName(), path);
    EXPECT_EQ(View.PageTitle(), "Anchors");
    EXPECT_EQ(View.DocumentKind(), htmlview::dkHtml);
    const int32_t deep = View.VerticalPosition();
    EXPECT_GT(deep, 0);
    unsigned char c = 0;
    htmlview::TSectionBase* anchored = nullptr;
    ASSERT_TRUE(View.Document().CharAt(IndexOf("deep"), c, anchored));
    EXPECT_EQ(deep, anchored->Top);
    EXPECT_FALSE(View.JumpToAnchor("#nowhere"));
    EXPECT_EQ(View.VerticalPosition(), deep);
    EXPECT_TRUE(View.JumpToAnchor("DEEP"));
    View.LoadFromFile(path + "#nowhere");
    EXPECT_EQ(View.VerticalPosition(), deep) << "the same file keeps its place";

    const std::string text = "<p>from memory</p>";
    View.LoadFromBuffer(text.data(), static_cast<int32_t>(text.size()));
    EXPECT_EQ(View.LoadedFileName(), "");
    EXPECT_EQ(View.VerticalPosition(), 0);
}

TEST_F(ViewerLoadTest, PictureFileTagKeepsTheWholeName)
{
    const std::string name = "/pictures/" + std::string(300, 'p') + "\"quoted\".gif";
    const std::string tag = htmlview::ImageFileTag(name);
    htmlview::THtmlScanner scanner;
    scanner.SetBufferSource(tag.data(), tag.size());
    scanner.NextChar();
    scanner.NextToken();
    ASSERT_EQ(scanner.Token, htmlview::HtmlToken::ImgTag);
    const htmlview::TAttribute* src = scanner.AttributeList.FindAttribute(htmlview::HtmlToken::SrcAttr);
    ASSERT_NE(src, nullptr);
    EXPECT_EQ(src->ValueText, name);
}

TEST_F(ViewerLoadTest, RefreshMetaIsReportedAfterTheLoad)
{
    const struct {
        const char* Content;
        int32_t Delay; // 0: nothing reported
        const char* Url;
    } cases[] = {{"5; url=next.htm", 5, "next.htm"}, {"3;URL=Page.HTM", 3, "Page.HTM"}, {"0; url=x.htm", 0, ""},
                 {"5", 0, ""},                       {"5; next.htm", 0, ""},           {"soon; url=x.htm", 0, ""}};
    for (const auto& c : cases) {
        int32_t delay = 0;
        std::string url;
        bool processingAtEvent = true;
        View.OnMetaRefresh = [&](THtmlView* sender, int32_t d, const std::string& u) {
            delay = d;
            url = u;
            processingAtEvent = sender->Processing();
        };
        Load(std::string("<meta http-equiv=\"Refresh\" content=\"") + c.Content + "\"><p>x</p>");
        EXPECT_EQ(delay, c.Delay) << c.Content;
        EXPECT_EQ(url, c.Url) << c.Content;
        if (c.Delay > 0) {
            EXPECT_FALSE(processingAtEvent);
        }
    }
}

TEST_F(ViewerLoadTest, ScriptsGoToOnScriptWhileItIsSet)
{
    std::vector<std::string> scripts;
    View.SetOnScript([&](THtmlView* sender, const std::string& language, std::string script) {
        EXPECT_EQ(sender, &View);
        scripts.push_back(language + "|" + script);
    });
    Load("<p>a<script language=JavaScript>go();\n</script>b</p>");
    EXPECT_GE(IndexOf("ab"), 0);
    View.SetOnScript(nullptr);
    Load("<script>skipped();</script><p>c</p>");
    EXPECT_EQ(IndexOf("skipped"), -1);
    EXPECT_EQ(scripts, (std::vector<std::string>{"JavaScript|go();\r\n"}));

    // A handler's error reaches the caller of the load, and the view leaves its busy state.
    View.SetOnScript([](THtmlView*, const std::string&, std::string) { throw std::runtime_error("script failed"); });
    const std::string page = "<p>before</p><script>x</script>";
    EXPECT_THROW(View.LoadFromBuffer(page.data(), static_cast<int32_t>(page.size())), std::runtime_error);
    EXPECT_FALSE(View.Processing());
}

TEST_F(ViewerLoadTest, SoundRequestStopsTheBackgroundSoundBeforeEachLoad)
{
    std::vector<std::string> calls;
    View.OnSoundRequest = [&](THtmlView*, const std::string& src, int32_t loop, bool terminate) {
        calls.push_back(src + "/" + std::to_string(loop) + "/" + (terminate ? "stop" : "play"));
    };
    Load("<bgsound src=\"tune.wav\" loop=2><p>x</p>");
    View.Clear();
    EXPECT_EQ(calls, (std::vector<std::string>{"/0/stop", "tune.wav/2/play", "/0/stop"}));
}

using ViewerHistoryTest = ViewerFixture;

TEST_F(ViewerHistoryTest, HistoryStaysEmptyWhileItsSizeIsZero)
{
    int changes = 0;
    View.OnHistoryChange = [&](THtmlView*) { ++changes; };
    View.LoadFromFile(WriteFile("a.htm", "<p>a</p>"));
    View.LoadFromFile(WriteFile("b.htm", "<p>b</p>"));
    EXPECT_TRUE(View.History().empty());
    EXPECT_EQ(changes, 0);
}

TEST_F(ViewerHistoryTest, VisitedFilesAreListedNewestFirstWithTheirPlaces)
{
    int changes = 0;
    View.OnHistoryChange = [&](THtmlView*) { ++changes; };
    View.SetHistoryMaxCount(2);
    const std::string a = WriteFile("a.htm", "<title>A</title>" + LongPage(40));
    const std::string b = WriteFile("b.htm", "<title>B</title><p>b</p>");
    const std::string c = WriteFile("c.htm", "<title>C</title><p>c</p>");
    View.LoadFromFile(a);
    View.ScrollToY(300);
    const TDocumentPosition leftAt = View.GetDocumentPosition();
    View.LoadFromFile(b);
    ASSERT_EQ(View.History().size(), 2u);
    EXPECT_EQ(View.History()[0].FileName, b);
    EXPECT_EQ(View.History()[0].Title, "B");
    EXPECT_EQ(View.History()[1].FileName, a);
    EXPECT_EQ(View.History()[1].Position.ScrollPosition, leftAt);
    View.LoadFromFile(c);
    ASSERT_EQ(View.History().size(), 2u) << "the oldest entry goes";
    EXPECT_EQ(View.History()[1].FileName, b);
    EXPECT_EQ(changes, 3);
    View.SetHistoryMaxCount(0);
    EXPECT_TRUE(View.History().empty());
    EXPECT_EQ(changes, 4);
}

} // namespace
