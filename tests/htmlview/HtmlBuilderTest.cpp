#include "htmlview/HtmlBuilder.h"

#include "htmlview/HtmlFormControls.h"
#include "htmlview/HtmlImages.h"
#include "htmlview/ListSections.h"
#include "htmlview/SectionList.h"
#include "htmlview/SelectionVisitor.h"
#include "htmlview/SpacingSections.h"
#include "tests/support/TestCanvas.h"

#include <QTemporaryDir>
#include <fstream>
#include <gtest/gtest.h>

using namespace htmlview;
using namespace platform;

namespace {

using TSummary = std::vector<std::string>;

std::string Styles(TFontStyles style)
{
    std::string text;
    if (style & fsBold)
        text += 'b';
    if (style & fsItalic)
        text += 'i';
    if (style & fsUnderline)
        text += 'u';
    if (style & fsStrikeOut)
        text += 's';
    return text;
}

std::string Kind(const TSection& section)
{
    if (dynamic_cast<const TPreFormated*>(&section))
        return "PRE";
    if (const auto* item = dynamic_cast<const TOListItem*>(&section))
        return "OL" + std::string(1, item->NumberingType) + "#" + std::to_string(item->ItemNumber);
    if (dynamic_cast<const TDListItem*>(&section))
        return "DL";
    if (const auto* item = dynamic_cast<const TUListItem*>(&section))
        return item->Plain ? "UL-plain" : "UL";
    return "T";
}

// One line per section: kind, text, size and style of its first run, alignment (l, c, r) and
// list level. Empty plain sections take no room and are left out.
std::string Describe(const TSectionBase& base)
{
    if (const auto* space = dynamic_cast<const THeadingSpace*>(&base))
        return "hspace" + std::to_string(space->HeadingLevel);
    if (dynamic_cast<const TParagraphSpace*>(&base))
        return "pspace";
    if (dynamic_cast<const THorzLine*>(&base))
        return "rule";
    const auto& section = dynamic_cast<const TSection&>(base);
    const TMyFont& font = *section.FontRuns[0]->Font;
    return Kind(section) + " \"" + section.Text + "\" " + std::to_string(font.RelativeSize) + Styles(font.Style())
           + " " + "?lcr"[section.Alignment] + std::to_string(section.ListLevel);
}

bool IsEmptyPlain(const TSectionBase& base)
{
    const auto* section = dynamic_cast<const TSection*>(&base);
    return section && section->Length == 0 && section->MarkerKind == TSection::NoMarker && section->ClearMode == 0
           && !dynamic_cast<const TPreFormated*>(section);
}

// The runs of a section that hold text: text, size, style, and the link's URL and target when there is one.
TSummary Runs(const TSection& section)
{
    TSummary runs;
    for (int i = 0; i < section.FontRuns.Count(); ++i) {
        const TFontObj& run = *section.FontRuns[i];
        const int32_t end = i + 1 < section.FontRuns.Count() ? section.FontRuns[i + 1]->Start : section.Length;
        if (end == run.Start)
            continue;
        std::string text = section.Text.substr(static_cast<size_t>(run.Start), static_cast<size_t>(end - run.Start));
        text += " " + std::to_string(run.Font->RelativeSize) + Styles(run.Font->Style());
        if (run.ScriptPosition != 0)
            text += " script" + std::to_string(run.ScriptPosition);
        if (!run.Target.UrlText.empty())
            text += " ->" + run.Target.UrlText + (run.Target.TargetName.empty() ? "" : "@" + run.Target.TargetName);
        runs.push_back(text);
    }
    return runs;
}

// A document on the test canvas and what parsing a page into it gives.
struct TPage {
    TPage() { Document.SetDefaults("Arial", "Courier New", 12, clBlack, clBlue, clWhite); }

    TSummary Parse(std::string_view html)
    {
        ParseHtmlBuffer(Document, Anchors, html, Head, Handlers);
        return Summary();
    }

    TSummary Summary() const
    {
        TSummary summary;
        for (int i = 0; i < Document.Count(); ++i)
            if (!IsEmptyPlain(*Document[i]))
                summary.push_back(Describe(*Document[i]));
        return summary;
    }

    // The first section holding Text.
    const TSection& SectionWith(const std::string& text) const
    {
        for (int i = 0; i < Document.Count(); ++i)
            if (const auto* section = dynamic_cast<const TSection*>(Document[i]);
                section && section->Text.find(text) != std::string::npos)
                return *section;
        throw std::runtime_error("no section holds " + text);
    }

    TTestCanvas Screen;
    TSectionList Document{nullptr, nullptr, Screen};
    TAnchorList Anchors;
    TParsedHead Head;
    TParseHandlers Handlers;
};

class BuilderTest : public testing::Test, public TPage {};

struct TCase {
    const char* Name;
    const char* Html;
    TSummary Expected;
};

void ExpectCases(const std::vector<TCase>& cases)
{
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        TPage page;
        EXPECT_EQ(page.Parse(c.Html), c.Expected);
    }
}

TEST(HtmlBuilder, TextParagraphsAndBreaks)
{
    ExpectCases({
        {"white space folds to one space", "Hello  \r\n\t world", {"T \"Hello world\" 12 l0"}},
        {"each P gives a space before its text", "<p>one<p>two",
         {"pspace", "T \"one\" 12 l0", "pspace", "T \"two\" 12 l0"}},
        {"P tags in a row give one space", "<p></p>\n<p>a", {"pspace", "T \"a\" 12 l0"}},
        {"ALIGN of P holds for its text only", "<p align=CENTER>a</p>b",
         {"pspace", "T \"a\" 12 c0", "pspace", "T \"b\" 12 l0"}},
        {"an empty line between breaks keeps a space", "a<br><br>b",
         {"T \"a\" 12 l0", "T \" \" 12 l0", "T \"b\" 12 l0"}},
        {"stray end tags and unknown tags leave no trace", "a</li></ul><blink>b</blink>>", {"T \"ab\" 12 l0"}},
        {"scripts are not page text; form controls stand in it as markers",
         "a<script>document.write('<b>x</b>')</script>b<select><option>one</select>c"
         "<textarea>\r\ntwo <b></textarea >d",
         {"T \"ab\x02" "c\x02" "d\" 12 l0"}},
    });
}

TEST(HtmlBuilder, HeadingsAndDivisions)
{
    ExpectCases({
        {"H1 is bold, 24 twelfths, between two spaces of its level", "<h1>Title</h1>text",
         {"hspace1", "T \"Title\" 24b l0", "hspace1", "T \"text\" 12 l0"}},
        {"a heading without level is normal size, not bold", "<h>x</h>", {"hspace0", "T \"x\" 12 l0", "hspace0"}},
        {"a heading takes its ALIGN", "<h3 align=right>x</h3>", {"hspace3", "T \"x\" 15b r0", "hspace3"}},
        {"either end tag ends either division", "<center>a</div>b", {"T \"a\" 12 c0", "T \"b\" 12 l0"}},
        {"divisions nest and restore the outer alignment",
         "<div align=right>a<div align=center>b</div>c</div>d",
         {"T \"a\" 12 r0", "T \"b\" 12 c0", "T \"c\" 12 r0", "T \"d\" 12 l0"}},
        {"a DIV with an unknown ALIGN keeps the alignment", "<center><div align=middle>a</div></center>",
         {"T \"a\" 12 c0"}},
        {"a rule ends the section", "a<hr>b", {"T \"a\" 12 l0", "rule", "T \"b\" 12 l0"}},
    });
}

TEST(HtmlBuilder, Lists)
{
    ExpectCases({
        {"items of an unordered list", "<ul><li>a<li><p>b</ul>c",
         {"UL \"a\" 12 l1", "UL \"b\" 12 l1", "T \"c\" 12 l0"}},
        {"an ordered list counts from START in its TYPE", "<ol type=i start=3><li>a<li>b</ol>",
         {"OLi#3 \"a\" 12 l1", "OLi#4 \"b\" 12 l1"}},
        {"a list in a list is one level deeper; any list end ends the inner list",
         "<ul><li>a<ol><li>b</ul>c</ul>d",
         {"UL \"a\" 12 l1", "OL1#1 \"b\" 12 l2", "T \"c\" 12 l1", "T \"d\" 12 l0"}},
        {"definition terms stand one level out", "<dl><dt>term<dd>meaning</dl>",
         {"DL \"term\" 12 l0", "DL \"meaning\" 12 l1"}},
        {"a block quote indents without markers", "<blockquote>q</blockquote>r", {"T \"q\" 12 l1", "T \"r\" 12 l0"}},
        {"PLAIN hides the bullets", "<ul plain><li>a</ul>", {"UL-plain \"a\" 12 l1"}},
        {"a list inside a division starts at the first level", "<ul><li>a<div>b<ul><li>c</ul>d</div></ul>",
         {"UL \"a\" 12 l1", "T \"b\" 12 l1", "UL \"c\" 12 l1", "T \"d\" 12 l1"}},
        {"a rule in a list", "<ul><li>a<hr></ul>", {"UL \"a\" 12 l1", "rule"}},
    });
}

TEST(HtmlBuilder, OrderedListsTakeStartFromZeroUp)
{
    // A negative START counts from 1; the numbers never overflow.
    ExpectCases({
        {"START 0", "<ol type=A start=0><li>a<li>b</ol>", {"OLA#0 \"a\" 12 l1", "OLA#1 \"b\" 12 l1"}},
        {"negative START", "<ol start=-2><li>a<li>b</ol>", {"OL1#1 \"a\" 12 l1", "OL1#2 \"b\" 12 l1"}},
        {"the largest START", "<ol start=2147483647><li>a<li>b</ol>",
         {"OL1#2147483647 \"a\" 12 l1", "OL1#2147483647 \"b\" 12 l1"}},
    });
}

TEST_F(BuilderTest, PreformattedTextKeepsItsLinesAndBlanks)
{
    const TSummary summary = Parse("<pre>\r\n  a  b\r\n<b>c</b> &lt;x< y<br>z\r\n</pre>d");
    EXPECT_EQ(summary, (TSummary{"PRE \" \" 10 l0", "PRE \"  a  b\" 10 l0", "PRE \"c <x y\" 10b l0",
                                 "PRE \"z\" 10 l0", "PRE \" \" 10 l0", "T \"d\" 12 l0"}));
    const TSection& styled = SectionWith("c <x");
    EXPECT_EQ(Runs(styled), (TSummary{"c 10b", " <x y 10"}));
    EXPECT_TRUE(styled.FontRuns[0]->Font->Preformatted);
    EXPECT_EQ(styled.FontRuns[0]->Font->Name(), "Courier New");
}

TEST_F(BuilderTest, PreformattedLinksAndFonts)
{
    Parse("<pre>x<a href=u.htm>link</a>y<font size=5>big</font></pre>");
    EXPECT_EQ(Runs(SectionWith("link")), (TSummary{"x 10", "link 10u ->u.htm", "y 10", "big 15"}));
}

TEST_F(BuilderTest, PicturesInPreformattedTextStandInTheirLine)
{
    Parse("<pre>a <img src=one.gif alt=\"first\"> b\r\n<img src=two.gif></pre>");
    EXPECT_EQ(Summary(), (TSummary{"PRE \"a \x04 b\" 10 l0", "PRE \"\x04\" 10 l0"}));
    const TSection& first = SectionWith("a \x04");
    ASSERT_EQ(first.Images.Count(), 1);
    EXPECT_EQ(first.Images[0]->Position, 2);
    const auto* picture = dynamic_cast<const TImageObj*>(first.Images[0]);
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->Source, "one.gif");
    EXPECT_EQ(picture->Alt, "first");
    const TSection& second = dynamic_cast<const TSection&>(*Document[Document.IndexOf(&first) + 1]);
    ASSERT_EQ(second.Images.Count(), 1);
    EXPECT_EQ(second.Images[0]->Position, 0);
    EXPECT_EQ(dynamic_cast<const TImageObj&>(*second.Images[0]).Source, "two.gif");
}

TEST_F(BuilderTest, ScriptsGoToTheDocumentsHandlerOrLeaveNoTrace)
{
    const struct {
        const char* Name;
        const char* Html;
        std::vector<std::string> Scripts; // each LANGUAGE "|" text
        TSummary Page;
    } cases[] = {
        {"markup, comments and line ends are script text",
         "a<script language=JavaScript>\nif (a<b) f();\n<!-- x -->\n</script>b",
         {"JavaScript|\r\nif (a<b) f();\r\n<!-- x -->\r\n"}, {"T \"ab\" 12 l0"}},
        {"a comment right after the tag is script text", "<SCRIPT><!-- document.write('x') //--></SCRIPT>after",
         {"|<!-- document.write('x') //-->"}, {"T \"after\" 12 l0"}},
        {"a script without end runs to the end of the page", "a<script>x\ny", {"|x\r\ny"}, {"T \"a\" 12 l0"}},
        {"inside preformatted text the line goes on after it", "<pre>a<script>s</script>b</pre>", {"|s"},
         {"PRE \"ab\" 10 l0"}},
        {"one call per script", "<script>1</script>x<script language=vbs>2</script>", {"|1", "vbs|2"},
         {"T \"x\" 12 l0"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPage withHandler;
        std::vector<std::string> scripts;
        withHandler.Document.ScriptHandler = [&](const std::string& language, std::string script) {
            scripts.push_back(language + "|" + script);
        };
        EXPECT_EQ(withHandler.Parse(c.Html), c.Page);
        EXPECT_EQ(scripts, c.Scripts);
        TPage without;
        EXPECT_EQ(without.Parse(c.Html), c.Page);
    }
}

TEST_F(BuilderTest, ACommentLeftOpenInAScriptEndsTheScriptOnlyForTheHandler)
{
    const char* html = "<script><!-- open\n</script>after";
    std::vector<std::string> scripts;
    Document.ScriptHandler = [&](const std::string&, std::string script) { scripts.push_back(script); };
    EXPECT_EQ(Parse(html), (TSummary{"T \"after\" 12 l0"}));
    EXPECT_EQ(scripts, (std::vector<std::string>{"<!-- open\r\n"}));
    // Read past, the script's comments are comments: this one runs to the end of the page.
    TPage without;
    EXPECT_THROW(without.Parse(html), EParseError);
    EXPECT_EQ(without.Summary(), TSummary{});
}

// The text a page paints at 400 pixels, in drawing order.
std::string PaintedText(TPage& page)
{
    int32_t maxWidth = 0;
    int32_t charIndex = 0;
    const int32_t height = page.Document.Layout(page.Screen, 0, 400, maxWidth, charIndex);
    TTestCanvas canvas;
    page.Document.Paint(canvas, {0, 0, 400, height}, 400, 0, 0);
    std::string text;
    for (const TDrawOp& op : canvas.OpsOf(TDrawKind::Text))
        text += op.Text;
    return text;
}

TEST(BuilderScripts, WithoutHandlerAScriptLeavesNoTrace)
{
    // Both programs set no script handler: this is what their pages meet.
    const struct {
        const char* Name;
        const char* Html;
        const char* Painted;
    } cases[] = {
        {"a comment in the script holds its end tag",
         "a<script>\n<!-- document.write(\"</script>\") -->\n</script>b", "ab"},
        {"the comment starts right after the tag", "a<script><!-- document.write(\"</script>\") --></script>b", "ab"},
        {"a script between table cells", "<table><tr><td>x</td><script><!-- c --></script><td>y</td></table>", "xy"},
        {"a script in the title", "<title>T<script><!-- c --></script>U</title>z", "Uz"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        TPage page;
        // Summaries do not describe tables: the page is parsed without one.
        ParseHtmlBuffer(page.Document, page.Anchors, c.Html, page.Head, page.Handlers);
        EXPECT_EQ(PaintedText(page), c.Painted);
    }
}

TEST(BuilderScripts, AScriptInASelectAddsNothingToItsOptions)
{
    TPage page;
    page.Parse("<select><option>one<script><!-- c --></script><option>two</select>");
    ASSERT_EQ(page.Document.FormControls.size(), 1u);
    const auto& options = dynamic_cast<const TListBoxFormControlObj&>(*page.Document.FormControls[0]).Options();
    ASSERT_EQ(options.size(), 2u);
    EXPECT_EQ(options[0].Text, "one");
    EXPECT_EQ(options[1].Text, "two");
}

TEST_F(BuilderTest, LongScriptReachesTheHandlerWhole)
{
    std::string script;
    for (int i = 0; script.size() < 100000; ++i)
        script += "line " + std::to_string(i) + " of a script longer than the first buffer;\r\n";
    std::string received;
    Document.ScriptHandler = [&](const std::string&, std::string text) { received = std::move(text); };
    Parse("<script>" + script + "</script>");
    EXPECT_EQ(received, script);
}

TEST_F(BuilderTest, LongPreformattedLineStaysOneSection)
{
    const std::string line(1000, 'x');
    Parse("<pre>" + line + "</pre>");
    EXPECT_EQ(SectionWith("xxx").Text, line);
}

TEST_F(BuilderTest, StylesAreNotCounted)
{
    Parse("<b><b>x</b>y <i>z<u>w</u></i> <s>v</s><strike>t</strike>");
    EXPECT_EQ(Runs(SectionWith("x")), (TSummary{"x 12b", "y  12", "z 12i", "w 12iu", "  12", "v 12s", "t 12s"}));
}

TEST_F(BuilderTest, FontSizesColoursAndFaces)
{
    Parse("<font size=+1>a</font>b<font size=7><big>c</big>d</font><small>e</small>"
          "<font face=' Times New Roman, serif' size=1>f</font><tt>g</tt><sub>h</sub>i<address>j</address>");
    EXPECT_EQ(Runs(SectionWith("ab")), (TSummary{"a 14", "b 12", "c 36", "d 12", "e 10", "f 8", "g 10", "h 9 script1", "i 12"}));
    const TSection& section = SectionWith("ab");
    EXPECT_EQ(section.FontRuns[5]->Font->Name(), "Times New Roman");
    EXPECT_EQ(section.FontRuns[6]->Font->Name(), "Courier New");
    EXPECT_EQ(Runs(SectionWith("j")), (TSummary{"j 12i"}));
}

TEST_F(BuilderTest, BaseFontActsAtTheStartOnlyButSetsTheBase)
{
    Parse("<basefont size=1>a<p>b<basefont size=5><font size=+1>c</font>");
    EXPECT_EQ(Runs(SectionWith("a")), (TSummary{"a 8"}));
    // Later it changes no font, but FONT SIZE=+1 now counts from 5.
    EXPECT_EQ(Runs(SectionWith("b")), (TSummary{"b 8", "c 24"}));
}

TEST(HtmlBuilder, FontColoursParseAlike)
{
    for (const char* color : {"red", "RED", "ff0000", "#FF0000"}) {
        SCOPED_TRACE(color);
        TPage page;
        page.Parse(std::string("<font color='") + color + "'>x</font>");
        EXPECT_EQ(page.SectionWith("x").FontRuns[0]->Font->Color(), clRed | PaletteRelative);
    }
}

TEST_F(BuilderTest, UnknownColourPushesAFontThatChangesNothing)
{
    Parse("<font size=5><font color=nocolor>a</font>b</font>c");
    EXPECT_EQ(Runs(SectionWith("a")), (TSummary{"a 18", "b 18", "c 12"}));
}

TEST_F(BuilderTest, LinksAndAnchors)
{
    Parse("<a name=top href=one.htm target=main>one<a href=two.htm>two</a>three<a href=''>four</a>"
          "<a name=End>five</a>");
    const TSection& section = SectionWith("one");
    EXPECT_EQ(Runs(section), (TSummary{"one 12u ->one.htm@main", "two 12u ->two.htm", "threefour 12", "five 12"}));
    EXPECT_EQ(section.FontRuns[0]->Font->Color(), clBlue | PaletteRelative);
    EXPECT_EQ(section.FontRuns[2]->Font->Color(), clBlack | PaletteRelative);
    ASSERT_EQ(Anchors.size(), 2u);
    EXPECT_EQ(Anchors[0].Name, "TOP");
    EXPECT_EQ(Anchors[1].Name, "END");
    EXPECT_EQ(Anchors[0].Section, &section);
    EXPECT_EQ(Anchors[1].Section, &section);
}

TEST_F(BuilderTest, TitleAndBase)
{
    Parse("<html><head><title>My  page</title><base href='file:///x/' target=side></head><body>a");
    EXPECT_EQ(Head.Title, "My page");
    EXPECT_EQ(Head.BaseHref, "file:///x/");
    EXPECT_EQ(Head.BaseTarget, "side");
    EXPECT_EQ(Summary(), (TSummary{"T \"a\" 12 l0"}));
}

TEST_F(BuilderTest, IncludedTextIsReadInPlaceOfTheComment)
{
    Handlers.Include = [](const std::string& command, std::vector<std::string> params, std::string& buffer) {
        if (command == "include" && params == std::vector<std::string>{"FILE=\"x.htm\""})
            buffer = "<b>b</b>";
    };
    Parse("a<!--#include file=x.htm-->c");
    EXPECT_EQ(Runs(SectionWith("abc")), (TSummary{"a 12", "b 12b", "c 12"}));
}

TEST_F(BuilderTest, SoundAndMetaHandlers)
{
    std::vector<std::string> calls;
    Handlers.Sound = [&](const std::string& src, int32_t loop) { calls.push_back(src + " " + std::to_string(loop)); };
    Handlers.Meta = [&](const std::string& equiv, const std::string& name, const std::string& content) {
        calls.push_back(equiv + "|" + name + "|" + content);
    };
    Parse("<bgsound src=a.wav><bgsound src=b.wav loop=3><bgsound><meta name=author content=me>"
          "<meta http-equiv=refresh>");
    EXPECT_EQ(calls, (std::vector<std::string>{"a.wav 1", "b.wav 3", "|author|me", "refresh||"}));
}

TEST_F(BuilderTest, BodyAtTheStartSetsThePageColours)
{
    Parse("<html>\r\n<body text=red link=#00FF00 bgcolor=silver background=back.gif>a");
    EXPECT_EQ(Document.FontColor, clRed | PaletteRelative);
    EXPECT_EQ(Document.LinkColor, RGB(0, 255, 0) | PaletteRelative);
    EXPECT_EQ(Document.BackgroundColor, clSilver | PaletteRelative);
    EXPECT_EQ(Document.BackgroundImageName, "back.gif");
    EXPECT_EQ(SectionWith("a").FontRuns[0]->Font->Color(), clRed | PaletteRelative);
}

TEST_F(BuilderTest, BodyAfterTextKeepsTheTextAndChangesNothing)
{
    Parse("text<body bgcolor=red text=red> more<p><body bgcolor=red>end");
    EXPECT_EQ(Summary(), (TSummary{"T \"text more\" 12 l0", "pspace", "T \"end\" 12 l0"}));
    EXPECT_EQ(Document.BackgroundColor, clWhite);
    EXPECT_EQ(SectionWith("text").FontRuns[0]->Font->Color(), clBlack | PaletteRelative);
}

TEST_F(BuilderTest, BodyAtTheStartOfACellSetsThePageColours)
{
    ParseHtmlBuffer(Document, Anchors, "x<table><tr><td><body bgcolor=silver text=red>a<body link=red></table>",
                    Head, Handlers);
    EXPECT_EQ(Document.BackgroundColor, clSilver | PaletteRelative);
    EXPECT_EQ(Document.FontColor, clRed | PaletteRelative);
    // Later in the cell, after its text, BODY changes nothing.
    EXPECT_EQ(Document.LinkColor, clBlue);
}

TEST_F(BuilderTest, BodyKeepsTheSectionAnAnchorPointsTo)
{
    Parse("<a name=top></a><body text=red>x");
    ASSERT_EQ(Anchors.size(), 1u);
    // The anchor's section is the document's, and holds the text that follows.
    EXPECT_EQ(Anchors[0].Section, &SectionWith("x"));
    EXPECT_EQ(Anchors[0].Section->FontRuns[0]->Font->Color(), clRed | PaletteRelative);
}

TEST(HtmlBuilder, ListStoppedByAnOuterBlockLeavesItsStopToken)
{
    ExpectCases({
        {"the division's end tag ends the list and the division",
         "<div align=center><ul><li>a</div>b", {"UL \"a\" 12 l1", "T \"b\" 12 l0"}},
        {"also from a list in a list", "<center><ul><li>a<ol><li>b</center>c",
         {"UL \"a\" 12 l1", "OL1#1 \"b\" 12 l2", "T \"c\" 12 l0"}},
    });
}

TEST(HtmlBuilder, DivisionInsideAListEndsWithItsEndTag)
{
    ExpectCases({
        {"the items after the division keep their markers",
         "<ul><li>a<div align=right>b</div><li>c<center>d</center>e<li>f</ul>g",
         {"UL \"a\" 12 l1", "T \"b\" 12 r1", "UL \"c\" 12 l1", "T \"d\" 12 c1", "T \"e\" 12 l1", "UL \"f\" 12 l1",
          "T \"g\" 12 l0"}},
        {"a list end inside the division ends it and the list", "<ul><li>a<div>b</ul>c",
         {"UL \"a\" 12 l1", "T \"b\" 12 l1", "T \"c\" 12 l0"}},
    });
}

TEST_F(BuilderTest, PageBytesNeverBecomeObjectMarkers)
{
    // Outside preformatted text the scanner already drops them; inside, they are kept as text.
    Parse(std::string("a\x02") + "b\x04" + "c<pre>d\x02\x04</pre>");
    EXPECT_EQ(SectionWith("a").Text, "abc");
    EXPECT_EQ(SectionWith("d").Text, "d??");
}

TEST_F(BuilderTest, NestingIsCapped)
{
    std::string html;
    for (int i = 0; i < 100; ++i)
        html += "<ul><li>x" + std::to_string(i);
    Parse(html);
    int32_t deepest = 0;
    for (int i = 0; i < Document.Count(); ++i)
        if (const auto* section = dynamic_cast<const TSection*>(Document[i]))
            deepest = std::max(deepest, section->ListLevel);
    EXPECT_EQ(deepest, 64);
    // Openers past the cap are read as if absent: their items join the deepest list.
    EXPECT_EQ(Describe(SectionWith("x99")), "UL \"x99\" 12 l64");
}

TEST_F(BuilderTest, PathologicalNestingRunsThrough)
{
    std::string html;
    for (int i = 0; i < 5000; ++i)
        html += i % 3 == 0 ? "<ul><li>a" : i % 3 == 1 ? "<div align=center>b" : "<blockquote><dl><dd>c";
    for (int i = 0; i < 5000; ++i)
        html += i % 2 == 0 ? "</div>" : "</ul>";
    html += "end";
    Parse(html);
    EXPECT_EQ(Describe(SectionWith("end")), "T \"end\" 12 l0");
    int32_t maxWidth = 0;
    int32_t charIndex = 0;
    TTestCanvas canvas;
    EXPECT_GT(Document.Layout(canvas, 0, 600, maxWidth, charIndex), 0);
    Document.Paint(canvas, {0, 0, 600, 400}, 600, 0, 0);
    EXPECT_FALSE(canvas.OpsOf(TDrawKind::Text).empty());
}

TEST_F(BuilderTest, FontStackIsCapped)
{
    std::string html;
    for (int i = 0; i < 30; ++i)
        html += "<font size=+1><tt><a href=x>";
    html += "<h1>heading</h1>a";
    for (int i = 0; i < 40; ++i)
        html += "</font></tt></a>";
    html += "b";
    Parse(html);
    // A heading with the stack full is passed over whole; the base font is never popped.
    EXPECT_EQ(SectionWith("heading").FontRuns.Last()->Font->Style() & fsBold, 0);
    EXPECT_EQ(Runs(SectionWith("b")).back(), "b 12");
}

TEST_F(BuilderTest, UnclosedCommentReachesTheCallerWithThePageSoFar)
{
    EXPECT_THROW(Parse("<p>kept<p><!-- open"), EParseError);
    EXPECT_EQ(Summary(), (TSummary{"pspace", "T \"kept\" 12 l0"}));
}

TEST_F(BuilderTest, SelectionCopiesSpacesAsLineBreaks)
{
    Parse("a<p>b<hr>c");
    int32_t maxWidth = 0;
    int32_t charIndex = 0;
    TTestCanvas canvas;
    Document.Layout(canvas, 0, 600, maxWidth, charIndex);
    Document.SelStart = 0;
    Document.SelEnd = 3;
    char buffer[64] = {};
    GetSelectedText(Document, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "a\r\n\r\nb\r\n\r\nc\r\n");
}

class BuilderFileTest : public BuilderTest {
protected:
    std::string Write(const std::string& text)
    {
        const std::string path = Dir.filePath("page.htm").toStdString();
        std::ofstream(path, std::ios::binary) << text;
        return path;
    }
    QTemporaryDir Dir;
};

TEST_F(BuilderFileTest, HtmlFileSwallowsAnOpenComment)
{
    ParseHtmlFile(Document, Anchors, Write("<title>T</title>kept<br><!-- open"), Head);
    EXPECT_EQ(Head.Title, "T");
    EXPECT_EQ(Summary(), (TSummary{"T \"kept\" 12 l0"}));
}

TEST_F(BuilderFileTest, TextFileShowsEveryLineAsPreformattedText)
{
    ParseTextFile(Document, Anchors, Write("line  1\r\n\r\n<b>x</b> &amp;\n"));
    EXPECT_EQ(Summary(), (TSummary{"PRE \"line  1\" 10 l0", "PRE \" \" 10 l0", "PRE \"<b>x</b> &amp;\" 10 l0",
                                   "PRE \" \" 10 l0"}));
}

} // namespace
