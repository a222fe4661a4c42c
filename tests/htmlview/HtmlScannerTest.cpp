#include "htmlview/HtmlScanner.h"

#include "platform/Exceptions.h"

#include <QTemporaryDir>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <ostream>

using namespace htmlview;
using enum htmlview::HtmlToken;

namespace {

struct TTok {
    HtmlToken Kind;
    std::string Text;
    bool operator==(const TTok&) const = default;
};

void PrintTo(const TTok& token, std::ostream* out)
{
    *out << "{" << static_cast<int>(token.Kind) << ", \"";
    for (unsigned char c : token.Text) {
        if (c >= 32 && c < 127)
            *out << c;
        else
            *out << "\\x" << std::hex << int(c) << std::dec;
    }
    *out << "\"}";
}

using TTokens = std::vector<TTok>;

// Every token of an HTML text up to the end of input.
TTokens ScanTokens(THtmlScanner& scanner)
{
    TTokens tokens;
    for (;;) {
        scanner.NextToken();
        if (scanner.Token == EndOfInputToken)
            return tokens;
        tokens.push_back({scanner.Token, scanner.TokenText});
    }
}

TTokens Scan(const std::string& html, bool preformatted = false)
{
    THtmlScanner scanner;
    scanner.SetBufferSource(html.data(), html.size());
    scanner.InPreformatted = preformatted;
    scanner.NextChar();
    return ScanTokens(scanner);
}

struct TScanCase {
    const char* name;
    std::string html;
    TTokens expected;
};

void ExpectScans(const std::vector<TScanCase>& cases, bool preformatted = false)
{
    for (const TScanCase& c : cases)
        EXPECT_EQ(Scan(c.html, preformatted), c.expected) << c.name;
}

TEST(HtmlScanner, TextRunsFoldBlanksAndLineEnds)
{
    ExpectScans({
        {"blanks, line end and tab", "one  two\r\n\tthree", {{TextToken, "one two three"}}},
        {"LF", "a\nb", {{TextToken, "a b"}}},
        {"leading blanks", "  \n a", {{TextToken, " a"}}},
        {"runs stop at 100", std::string(150, 'x'),
         {{TextToken, std::string(100, 'x')}, {TextToken, std::string(50, 'x')}}},
        {"control character", "a\x01" "b",
         {{TextToken, "a"}, {OtherCharToken, "\x01"}, {TextToken, "b"}}},
        {"stray >", "a>b", {{TextToken, "a"}, {OtherCharToken, ">"}, {TextToken, "b"}}},
        {"< before a digit", "<5 x", {{TextToken, "<"}, {TextToken, "5 x"}}},
        {"^Z ends the input", "ab\x1A" "cd", {{TextToken, "ab"}}},
    });
}

TEST(HtmlScanner, PreformattedTextKeepsBlanksAndFoldsEachLineEnd)
{
    ExpectScans({
        {"blanks", "a \t b", {{TextToken, "a   b"}}},
        {"CR LF", "a\r\nb", {{TextToken, "a\rb"}}},
        {"LF CR", "a\n\rb", {{TextToken, "a\rb"}}},
        {"CR CR", "a\r\rb", {{TextToken, "a\r\rb"}}},
        {"LF CR LF", "a\n\r\nb", {{TextToken, "a\r\rb"}}},
        // A NUL after a line end is a character like any other, not "nothing pushed back".
        {"NUL after CR", std::string("a\r\0b", 4),
         {{TextToken, "a\r"}, {OtherCharToken, std::string(1, '\0')}, {TextToken, "b"}}},
    }, true);
}

TEST(HtmlScanner, Entities)
{
    ExpectScans({
        {"decimal", "&#65;", {{TextToken, "A"}}},
        {"decimal without ;", "&#65x", {{TextToken, "A"}, {TextToken, "x"}}},
        {"tab", "&#9;", {{TextToken, " "}}},
        {"line feed", "&#10;", {{TextToken, "\n"}}},
        {"Latin-1", "&#233;", {{TextToken, "\xE9"}}},
        {"control kept", "&#7;", {{TextToken, "&#7;"}}},
        {"too large", "&#300", {{TextToken, "&#300"}}},
        {"too large with ;", "&#300;", {{TextToken, "&#300;"}}},
        {"no digits", "&#x41;", {{TextToken, "&#"}, {TextToken, "x41;"}}},
        {"six digits stop", "&#1234567", {{TextToken, "&#123456"}, {TextToken, "7"}}},
        {"lt without ;", "&lt", {{TextToken, "<"}}},
        {"named", "&Eacute;&eacute;", {{TextToken, "\xC9"}, {TextToken, "\xE9"}}},
        {"other case", "&AMP;&Nbsp;", {{TextToken, "&AMP;"}, {TextToken, "&Nbsp;"}}},
        {"unknown", "&foo;", {{TextToken, "&foo;"}}},
        {"lone", "a & b", {{TextToken, "a "}, {TextToken, "&"}, {TextToken, " b"}}},
        {"seven characters stop", "&abcdefgh;", {{TextToken, "&abcdefg"}, {TextToken, "h;"}}},
    });
}

TEST(HtmlScanner, TagsCommentsAndDeclarations)
{
    ExpectScans({
        {"start and end", "<B>x</b>", {{BTag, ""}, {TextToken, "x"}, {BEnd, ""}}},
        {"end forms without end kind", "</br></IMG></foo><foo>",
         TTokens(4, {UnknownTagToken, ""})},
        {"document type", "<!DOCTYPE html>x", {{TextToken, "x"}}},
        {"comment inside text", "a<!-- c -->b", {{TextToken, "ab"}}},
        {"inner dashes", "a<!-- x -- y -->b", {{TextToken, "ab"}}},
        {"blanks before >", "a<!-- x -- \r\n>b", {{TextToken, "ab"}}},
        {"more dashes", "a<!---->b", {{TextToken, "ab"}}},
        {"opener then >", "a<!-->b-->c", {{TextToken, "ac"}}},
        {"short declaration", "a<!->b", {{TextToken, "ab"}}},
        {"unterminated tag", "<b", {{BTag, ""}}},
        {"tag name cut at 150", "<" + std::string(200, 'b') + ">x",
         {{UnknownTagToken, ""}, {TextToken, "x"}}},
    });
}

TEST(HtmlScanner, EndOfInputInsideACommentIsAParseError)
{
    for (const char* html : {"a<!-- never closed", "a<!-- x -", "<!DOCTYPE", "<!", "<!--#x y"})
        EXPECT_THROW(Scan(html), EParseError) << html;
}

TEST(HtmlScanner, HeadingLevels)
{
    const struct {
        const char* html;
        HtmlToken kind;
        int level;
    } cases[] = {{"<h1>", HeadingTag, 1}, {"<H 6>", HeadingTag, 6}, {"</h3>", HeadingEnd, 3},
                 {"<h7>", HeadingTag, 0}, {"<h>", HeadingTag, 0},   {"<b1>", BTag, 0}};
    for (const auto& c : cases) {
        THtmlScanner scanner;
        scanner.SetBufferSource(c.html, strlen(c.html));
        scanner.NextChar();
        scanner.NextToken();
        EXPECT_EQ(scanner.Token, c.kind) << c.html;
        EXPECT_EQ(scanner.HeadingLevel, c.level) << c.html;
    }
}

struct TAttr {
    HtmlToken Kind;
    int32_t Number;
    std::string Text;
    bool operator==(const TAttr&) const = default;
};

std::vector<TAttr> AttributesOf(const std::string& html)
{
    THtmlScanner scanner;
    scanner.SetBufferSource(html.data(), html.size());
    scanner.NextChar();
    scanner.NextToken();
    std::vector<TAttr> attributes;
    for (int i = 0; i < scanner.AttributeList.Count(); ++i) {
        const TAttribute* a = scanner.AttributeList[i];
        attributes.push_back({a->Kind, a->ValueNumber, a->ValueText});
    }
    return attributes;
}

TEST(HtmlScanner, Attributes)
{
    const struct {
        const char* name;
        std::string html;
        std::vector<TAttr> expected;
    } cases[] = {
        {"single quotes keep a space", "<a href='x y.htm'>", {{HrefAttr, 0, "x y.htm"}}},
        {"unquoted ends at the space", "<a href=x y.htm>",
         {{HrefAttr, 0, "x"}, {UnknownAttribute, 0, ""}}},
        {"bare BORDER", "<table border>", {{BorderAttr, 1, ""}}},
        {"percent unquoted", "<td width=30%>", {{WidthAttr, 30, "30%"}}},
        {"percent quoted", "<td width=\"30%\">", {{WidthAttr, 30, "30%"}}},
        {"percent after a blank", "<td width=50 %>", {{WidthAttr, 50, "50%"}}},
        {"percent inside", "<td width=\"5%0\">", {{WidthAttr, 0, "5%0"}}},
        {"signed", "<font size=+2 color=-1>", {{SizeAttr, 2, "+2"}, {ColorAttr, -1, "-1"}}},
        {"number text upper-cased", "<img src=1.gif>", {{SrcAttr, 0, "1.GIF"}}},
        {"bare value as typed", "<img src=Pic.gif alt=a&amp;b>",
         {{SrcAttr, 0, "Pic.gif"}, {AltAttr, 0, "a&amp;b"}}},
        {"entities in quotes", "<img alt=\"a&amp;b &lt;&quot;c&quot;\">",
         {{AltAttr, 0, "a&b <\"c\""}}},
        {"quoted value trimmed, line ends dropped", "<p align=\" cen\r\nter \">",
         {{AlignAttr, 0, "center"}}},
        {"blanks around =", "<a\r\n href  =  \"x\" >", {{HrefAttr, 0, "x"}}},
        {"TEXT shares the text kind", "<body text=red>", {{TextToken, 0, "red"}}},
        {"SELECTED shares the tag kind", "<option selected value=\"1\">",
         {{SelectedTag, 0, ""}, {ValueAttr, 1, "1"}}},
        {"name with dash", "<meta http-equiv=refresh content=\"5\">",
         {{HttpEquivAttr, 0, "refresh"}, {ContentAttr, 5, "5"}}},
        {"unterminated quote runs to the end", "<a href=\"x>y", {{HrefAttr, 0, "x>y"}}},
        {"attribute reading stops at a non-letter", "<img src=a 5 alt=b>", {{SrcAttr, 0, "a"}}},
        {"number too long", "<img width=99999999999>", {{WidthAttr, 0, "99999999999"}}},
        {"quoted number too long", "<img width=\"-99999999999\">", {{WidthAttr, 0, "-99999999999"}}},
        {"largest numbers", "<img width=2147483647 height=\"-2147483648\">",
         {{WidthAttr, 2147483647, "2147483647"}, {HeightAttr, INT32_MIN, "-2147483648"}}},
        {"just past the largest", "<img width=2147483648>", {{WidthAttr, 0, "2147483648"}}},
        {"number with letters", "<img width=100px>", {{WidthAttr, 0, "100PX"}}},
        {"sign alone", "<img width=->", {{WidthAttr, 0, "-"}}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AttributesOf(c.html), c.expected) << c.name;
}

TEST(HtmlScanner, OnlyAttributeBearingTagsReplaceTheAttributeList)
{
    const std::string html = "<p align=left><b class=x></p><p>";
    THtmlScanner scanner;
    scanner.SetBufferSource(html.data(), html.size());
    scanner.NextChar();
    for (HtmlToken expected : {PTag, BTag, PEnd}) {
        scanner.NextToken();
        ASSERT_EQ(scanner.Token, expected);
        ASSERT_EQ(scanner.AttributeList.Count(), 1);
        EXPECT_EQ(scanner.AttributeList.FindAttribute(AlignAttr)->ValueText, "left");
    }
    scanner.NextToken();
    EXPECT_EQ(scanner.AttributeList.Count(), 0);
    EXPECT_EQ(scanner.AttributeList.FindAttribute(AlignAttr), nullptr);
}

TEST(HtmlScanner, ContentTokensClearTheParagraphSpaceFlag)
{
    const struct {
        const char* html;
        bool stillSet;
    } cases[] = {{"x", false},      {"<br>", false},  {"<h2>", false}, {"<img>", false},
                 {"<table>", false}, {"<select>", false}, {"&amp;", false},
                 {"<p>", true},     {"</p>", true},   {"<b>", true},   {"<td>", true}, {">", true}};
    for (const auto& c : cases) {
        THtmlScanner scanner;
        scanner.SetBufferSource(c.html, strlen(c.html));
        scanner.NextChar();
        scanner.ParagraphSpaceDone = true;
        scanner.NextToken();
        EXPECT_EQ(scanner.ParagraphSpaceDone, c.stillSet) << c.html;
    }
}

// Tokens of a content mode up to (and including) the end kind or the end of input, then the
// ordinary tokens that follow.
TTokens ScanContent(THtmlScanner& scanner, void (THtmlScanner::*next)(), HtmlToken endKind)
{
    TTokens tokens;
    do {
        (scanner.*next)();
        tokens.push_back({scanner.Token, scanner.TokenText});
    } while (scanner.Token != endKind && scanner.Token != EndOfInputToken);
    if (endKind == TextAreaEnd) // its probe stops before the tag's ">"
        scanner.SkipToTagEnd();
    const TTokens rest = ScanTokens(scanner);
    tokens.insert(tokens.end(), rest.begin(), rest.end());
    return tokens;
}

TTokens ScanContent(const std::string& html, void (THtmlScanner::*next)(), HtmlToken endKind)
{
    THtmlScanner scanner;
    scanner.SetBufferSource(html.data(), html.size());
    scanner.NextChar();
    return ScanContent(scanner, next, endKind);
}

TEST(HtmlScanner, TextAreaContent)
{
    const TScanCase cases[] = {
        {"markup is content", "<b>a</b></textarea >rest",
         {{UnknownTagToken, "<b"}, {TextToken, ">a"}, {UnknownTagToken, "</b"}, {TextToken, ">"},
          {TextAreaEnd, "</textarea"}, {TextToken, "rest"}}},
        {"lines and entities", "\nx &lt;y\r\n</TEXTAREA>",
         {{EndOfLineToken, ""}, {TextToken, "x "}, {TextToken, "<"}, {TextToken, "y"},
          {EndOfLineToken, ""}, {TextAreaEnd, "</TEXTAREA"}}},
        {"longer name is content", "</textareas>x</textarea>",
         {{UnknownTagToken, "</textareas"}, {TextToken, ">x"}, {TextAreaEnd, "</textarea"}}},
        {"an entity after a less-than sign stays as typed", "a<b&amp;c",
         {{TextToken, "a"}, {UnknownTagToken, "<b&amp;c"}, {EndOfInputToken, ""}}},
        {"a less-than sign ends the probe before the end tag", "<&amp;</textarea>",
         {{UnknownTagToken, "<&amp;"}, {TextAreaEnd, "</textarea"}}},
        {"a blank or a line end ends the probe", "<&amp; x<\n",
         {{UnknownTagToken, "<&amp;"}, {TextToken, " x"}, {UnknownTagToken, "<"}, {EndOfLineToken, ""},
          {EndOfInputToken, ""}}},
        {"a long tag is kept whole", "</" + std::string(300, 't') + ">",
         {{UnknownTagToken, "</" + std::string(300, 't')}, {TextToken, ">"}, {EndOfInputToken, ""}}},
        {"end of input", "abc", {{TextToken, "abc"}, {EndOfInputToken, ""}}},
    };
    for (const TScanCase& c : cases)
        EXPECT_EQ(ScanContent(c.html, &THtmlScanner::NextTextAreaToken, TextAreaEnd), c.expected)
            << c.name;
}

TEST(HtmlScanner, ScriptContent)
{
    // In script mode (a script read for the handler) comments are script text; read past without
    // it, they are skipped as in page text.
    const struct {
        const char* name;
        bool scriptMode;
        std::string html;
        TTokens expected;
    } cases[] = {
        {"markup and comments are text", true, "if (a<b) f();\n<!-- x -->\n</SCRIPT>after",
         {{TextToken, "if (a"}, {UnknownTagToken, "<b"}, {TextToken, ") f();"}, {EndOfLineToken, ""},
          {UnknownTagToken, "<"}, {TextToken, "!-- x -->"}, {EndOfLineToken, ""},
          {ScriptEnd, "</SCRIPT>"}, {TextToken, "after"}}},
        {"an open declaration is no error", true, "a <!x\n</script>b",
         {{TextToken, "a "}, {UnknownTagToken, "<"}, {TextToken, "!x"}, {EndOfLineToken, ""},
          {ScriptEnd, "</script>"}, {TextToken, "b"}}},
        {"entities are text", true, "x&amp;y</script>",
         {{TextToken, "x&amp;y"}, {ScriptEnd, "</script>"}}},
        {"a comment after the end tag is skipped", true, "</script><!-- c -->x",
         {{ScriptEnd, "</script>"}, {TextToken, "x"}}},
        {"a longer name is text", true, "</scripts>",
         {{UnknownTagToken, "</script"}, {TextToken, "s>"}, {EndOfInputToken, ""}}},
        {"unterminated", true, "x", {{TextToken, "x"}, {EndOfInputToken, ""}}},
        {"read past, a comment is skipped with the end tag it holds", false,
         "\n<!-- document.write(\"</script>\") -->\n</script>b",
         {{EndOfLineToken, ""}, {EndOfLineToken, ""}, {ScriptEnd, "</script>"}, {TextToken, "b"}}},
        {"read past, markup is still text", false, "if (a<b) f();</script>",
         {{TextToken, "if (a"}, {UnknownTagToken, "<b"}, {TextToken, ") f();"}, {ScriptEnd, "</script>"}}},
    };
    for (const auto& c : cases) {
        THtmlScanner scanner;
        scanner.SetBufferSource(c.html.data(), c.html.size());
        scanner.InScript = c.scriptMode;
        scanner.NextChar();
        EXPECT_EQ(ScanContent(scanner, &THtmlScanner::NextScriptToken, ScriptEnd), c.expected) << c.name;
    }
}

TEST(HtmlScanner, TextRightAfterTheScriptTagIsScriptText)
{
    const TScanCase cases[] = {
        {"a comment opened there is script text, even one left open",
         "<script language=js><!-- open\n</script><!-- c -->y",
         {{UnknownTagToken, "<"}, {TextToken, "!-- open"}, {EndOfLineToken, ""}, {ScriptEnd, "</script>"},
          {TextToken, "y"}}},
        {"a closed one too", "<SCRIPT><!-- a -->\n</SCRIPT>",
         {{UnknownTagToken, "<"}, {TextToken, "!-- a -->"}, {EndOfLineToken, ""}, {ScriptEnd, "</SCRIPT>"}}},
    };
    for (const TScanCase& c : cases) {
        THtmlScanner scanner;
        scanner.SetBufferSource(c.html.data(), c.html.size());
        scanner.NextChar();
        scanner.NextToken();
        ASSERT_EQ(scanner.Token, ScriptTag) << c.name;
        EXPECT_EQ(ScanContent(scanner, &THtmlScanner::NextScriptToken, ScriptEnd), c.expected) << c.name;
    }
}

TEST(HtmlScanner, ScriptTagReadAsAnOrdinaryTagLeavesPageText)
{
    // Where a SCRIPT is not read as a script, the next ordinary token ends its script mode, and a
    // comment that follows the tag at once is skipped as page text.
    const TScanCase cases[] = {
        {"a tag after it", "<script><b><!-- c -->x", {{ScriptTag, ""}, {BTag, ""}, {TextToken, "x"}}},
        {"a comment right after it", "<script><!-- c --></script>x",
         {{ScriptTag, ""}, {ScriptEnd, ""}, {TextToken, "x"}}},
        {"a declaration, then a comment", "<script><!x><!-- c -->x", {{ScriptTag, ""}, {TextToken, "x"}}},
    };
    for (const TScanCase& c : cases) {
        THtmlScanner scanner;
        scanner.SetBufferSource(c.html.data(), c.html.size());
        scanner.NextChar();
        EXPECT_EQ(ScanTokens(scanner), c.expected) << c.name;
        EXPECT_FALSE(scanner.InScript) << c.name;
    }
}

TEST(HtmlScanner, LeavingScriptModeSkipsTheCommentThatFollowsTheTag)
{
    const std::string html = "<script><!-- a --><!-- b -->if (x) y();</script>";
    THtmlScanner scanner;
    scanner.SetBufferSource(html.data(), html.size());
    scanner.NextChar();
    scanner.NextToken();
    ASSERT_EQ(scanner.Token, ScriptTag);
    scanner.LeaveScriptMode();
    EXPECT_EQ(ScanContent(scanner, &THtmlScanner::NextScriptToken, ScriptEnd),
              (TTokens{{TextToken, "if (x) y();"}, {ScriptEnd, "</script>"}}));
}

TEST(HtmlScanner, ScriptModeEndsWithCommentsSkippedAgain)
{
    for (const std::string html : {"x</script>", "x"}) {
        THtmlScanner scanner;
        scanner.SetBufferSource(html.data(), html.size());
        scanner.NextChar();
        do
            scanner.NextScriptToken();
        while (scanner.Token != ScriptEnd && scanner.Token != EndOfInputToken);
        EXPECT_FALSE(scanner.InScript) << html;
    }
}

class HtmlScannerInclude : public ::testing::Test {
protected:
    struct TCall {
        std::string Command;
        std::vector<std::string> Params;
    };

    TTokens ScanWithInclude(const std::string& html, const std::string& included)
    {
        scanner.SetBufferSource(html.data(), html.size());
        scanner.IncludeHandler = [this, included](const std::string& command,
                                                 std::vector<std::string> params,
                                                 std::string& buffer) {
            calls.push_back({command, std::move(params)});
            buffer = included;
        };
        scanner.NextChar();
        return ScanTokens(scanner);
    }

    THtmlScanner scanner;
    std::vector<TCall> calls;
};

TEST_F(HtmlScannerInclude, TheHandlerGetsCommandAndParametersAndItsTextIsReadNext)
{
    const TTokens tokens = ScanWithInclude(
        "a<!--#include file=\"x.htm\" n=5 Flag -->b", "<b>in</b>");
    EXPECT_EQ(tokens, (TTokens{{TextToken, "a"}, {BTag, ""}, {TextToken, "in"}, {BEnd, ""},
                               {TextToken, "b"}}));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Command, "include");
    EXPECT_EQ(calls[0].Params, (std::vector<std::string>{"FILE=\"x.htm\"", "N=\"5\"", "FLAG=\"\""}));
}

TEST_F(HtmlScannerInclude, TheInterruptedTokenIsKeptWhole)
{
    // The quoted parameter goes through the entity reader while "ab" is being collected.
    EXPECT_EQ(ScanWithInclude("ab<!--#echo v=\"&amp;\" -->cd", ""), (TTokens{{TextToken, "abcd"}}));
    EXPECT_EQ(ScanWithInclude("<img <!--#x v=\"&lt;\" --> alt=\"y\">", ""), (TTokens{{ImgTag, ""}}));
    EXPECT_EQ(scanner.AttributeList.FindAttribute(AltAttr)->ValueText, "y");
}

TEST_F(HtmlScannerInclude, UnquotedValueDoesNotSwallowTheCommentEnd)
{
    EXPECT_EQ(ScanWithInclude("<!--#include file=a.htm-->rest", ""), (TTokens{{TextToken, "rest"}}));
    EXPECT_EQ(ScanWithInclude("<!--#include file=a.htm --->rest", ""), (TTokens{{TextToken, "rest"}}));
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].Params, std::vector<std::string>{"FILE=\"a.htm\""});
    EXPECT_EQ(calls[1].Params, std::vector<std::string>{"FILE=\"a.htm\""});
}

TEST_F(HtmlScannerInclude, IncludesDoNotReenter)
{
    // Inside the parameters and inside included text an include is an ordinary comment.
    EXPECT_EQ(ScanWithInclude("<!--#include file=\"<!--#include file=b -->\" -->", "x<!--#include file=y -->z"),
              (TTokens{{TextToken, "xz"}}));
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].Params, std::vector<std::string>{"FILE=\"\""});
}

TEST_F(HtmlScannerInclude, CommentsInsideTheParametersAreSkipped)
{
    const struct {
        const char* html;
        std::vector<std::string> params;
    } cases[] = {
        {"<!--#echo v=\"a<!-- note -->b\" -->", {"V=\"ab\""}},
        {"<!--#echo v=a<!DOCTYPE x>b w=c -->", {"V=\"ab\"", "W=\"c\""}},
        {"<!--#echo <!-- note --> v=\"x\" -->", {"V=\"x\""}},
        {"<!--#echo v=\"a<b\" -->", {"V=\"a<b\""}},
    };
    for (const auto& c : cases) {
        calls.clear();
        EXPECT_EQ(ScanWithInclude(std::string(c.html) + "rest", ""), (TTokens{{TextToken, "rest"}})) << c.html;
        ASSERT_EQ(calls.size(), 1u) << c.html;
        EXPECT_EQ(calls[0].Params, c.params) << c.html;
    }
    // A comment left open inside the parameters runs to the end of the page.
    EXPECT_THROW(ScanWithInclude("<!--#echo v=\"a<!-- b\" -->", ""), EParseError);
}

TEST_F(HtmlScannerInclude, IncludedTextIsReadBeforeTheRestAndCommentsInItAreSkipped)
{
    EXPECT_EQ(ScanWithInclude("<!--#include-->z", "x<!--#include file=y -->y"),
              (TTokens{{TextToken, "xyz"}}));
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(HtmlScannerInclude, WithoutHandlerAnIncludeIsAComment)
{
    const std::string html = "a<!--#include file=x -->b";
    scanner.SetBufferSource(html.data(), html.size());
    scanner.NextChar();
    EXPECT_EQ(ScanTokens(scanner), (TTokens{{TextToken, "ab"}}));
}

TEST_F(HtmlScannerInclude, EndOfInputInsideTheParametersIsAParseError)
{
    EXPECT_THROW(ScanWithInclude("<!--#include file=\"x", ""), EParseError);
    EXPECT_TRUE(calls.empty());
}

TEST(HtmlScanner, FileSourceReadsLikeTheBuffer)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string fileName = dir.filePath("page.htm").toStdString();
    std::string html;
    for (int i = 0; i < 300; ++i) // well past one 2000-byte block
        html += "<p align=center>Line &eacute; " + std::to_string(i) + "\r\n";
    std::ofstream(fileName, std::ios::binary) << html;

    THtmlScanner scanner;
    scanner.SetFileSource(fileName);
    scanner.NextChar();
    const TTokens fromFile = ScanTokens(scanner);
    scanner.CloseSource();
    EXPECT_EQ(fromFile, Scan(html));
    EXPECT_EQ(fromFile.size(), 300u * 4);

    EXPECT_THROW(scanner.SetFileSource(dir.filePath("missing.htm").toStdString()),
                 platform::EInOutError);
}

// Drives the scanner the way the builder does: the content modes after TEXTAREA and SCRIPT.
void ScanLikeTheBuilder(const std::string& html)
{
    THtmlScanner scanner;
    scanner.SetBufferSource(html.data(), html.size());
    size_t tokens = 0;
    try {
        scanner.NextChar();
        do {
            scanner.NextToken();
            if (scanner.Token == TextAreaTag || scanner.Token == ScriptTag) {
                const HtmlToken end = scanner.Token == TextAreaTag ? TextAreaEnd : ScriptEnd;
                do {
                    if (end == TextAreaEnd)
                        scanner.NextTextAreaToken();
                    else
                        scanner.NextScriptToken();
                    ASSERT_LE(++tokens, html.size() + 1) << "no progress";
                } while (scanner.Token != end && scanner.Token != EndOfInputToken);
                if (end == TextAreaEnd)
                    scanner.SkipToTagEnd();
            }
            ASSERT_LE(++tokens, html.size() + 1) << "no progress";
            ASSERT_LE(scanner.TokenText.size(), 150u);
        } while (scanner.Token != EndOfInputToken);
    } catch (const EParseError&) {
        // A prefix may well end inside a comment.
    }
}

TEST(HtmlScanner, EveryPrefixOfSamplePagesScans)
{
    const std::string pages[] = {
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 3.2//EN\">\r\n<html><head><title>Garvo</title>"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\"></head>\r\n"
        "<body bgcolor=#FFFFE0 text=\"navy\" link=blue>\r\n<h1 align=center>Le jeu&nbsp;du "
        "Garvo</h1>\r\n<!-- description du dictionnaire -->\r\n<p>Un dictionnaire de <b>1&#50;34"
        "</b> mots &amp; d&eacute;finitions.<br>\r\n<img src=\"images/logo.gif\" width=120 "
        "height='60' alt=\"Logo\" border=0></p>\r\n<hr size=2 width=\"80%\" noshade>\r\n"
        "<a href=\"file:///home/ann/Aide/garvo.htm#regles\" target=_blank>R\xE8gles</a>\r\n"
        "</body></html>\r\n",
        "<html><body><base href=\"/home/ann/Dictionnaires/\">\n<table border cellpadding=4 "
        "width=100%>\n<caption align=bottom>Mots</caption>\n<tr><th>Mot<th>D&eacute;finition\n"
        "<tr><td valign=top>ABACA</td><td>Bananier des Philippines&nbsp;; <i>fibre</i> "
        "textile.</td></tr>\n</table>\n<ul plain><li>un<li>deux<ol type=i start=3><li>trois"
        "</ol></ul>\n<pre>\tcol1\tcol2\n  &lt;tag&gt;</pre>\n<font size=+2 color=\"#FF0000\" "
        "face=\"Arial, Helvetica\">Rouge</font></body></html>\n",
        "<form action=\"/cgi-bin/test\" method=post>\n<input type=text name=q size=20 "
        "value=\"abc\">\n<select name=s><option value=1>Un<option selected>Deux</select>\n"
        "<textarea name=t rows=3 cols=20>\nLigne <b>un</b> &amp; deux\n</textarea >\n</form>\n"
        "<script language=\"JavaScript\">\n<!--\nif (a < b && c) { document.write(\"<p>\"); }\n"
        "//-->\n</script>\n<map name=m><area shape=rect coords=\"0,0,10,10\" href=a.htm></map>\n"
        "<!-- fin",
    };
    for (const std::string& page : pages)
        for (size_t length = 0; length <= page.size(); ++length) {
            ScanLikeTheBuilder(page.substr(0, length));
            if (HasFatalFailure()) {
                ADD_FAILURE() << "prefix of " << length << " bytes: " << page.substr(0, length);
                return;
            }
        }
}

} // namespace
