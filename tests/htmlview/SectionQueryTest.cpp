// Hit tests, caret, search and selected text of text sections.
#include "SectionTestSupport.h"

#include "htmlview/HtmlBuilder.h"
#include "htmlview/SelectionVisitor.h"

#include <QClipboard>
#include <QGuiApplication>

using namespace htmlview;
using namespace platform;
using namespace sectiontest;

namespace {

class SectionQueryTest : public SectionTest {
protected:
    struct THit {
        int32_t Index = -1;
        int32_t CaretX = -1;
        int32_t LineTop = -1;
        bool InLine = false;
    };

    // Asks the document, with Y from the document's top.
    THit HitAt(int32_t x, int32_t y)
    {
        THit hit;
        int32_t lineHeight = 0;
        TCell* cell = nullptr;
        hit.Index = Document.IndexAtPoint(Canvas, x, y, hit.CaretX, hit.LineTop, lineHeight, cell, hit.InLine);
        return hit;
    }

    std::string Selected(int32_t from, int32_t to, int32_t size = 1000)
    {
        Document.SelStart = from;
        Document.SelEnd = to;
        std::vector<char> buffer(static_cast<size_t>(size));
        const int32_t result = GetSelectedText(Document, buffer.data(), size);
        EXPECT_EQ(result, static_cast<int32_t>(std::string(buffer.data()).size()) + 1);
        return buffer.data();
    }
};

} // namespace

TEST_F(SectionQueryTest, IndexesAndPointsRoundTrip)
{
    AddSection("first");
    TSection& section = AddSection("aa bb cc", TSection::AlignCenter);
    LayoutDocument(40);
    PaintDocument(6);
    ASSERT_EQ(section.Lines.size(), 2u);
    for (int32_t index = section.FirstIndex; index < section.FirstIndex + section.Length; ++index) {
        int32_t x = 0;
        int32_t y = 0;
        ASSERT_TRUE(Document.PointOfIndex(Canvas, index, x, y)) << index;
        const THit hit = HitAt(6 + x + 1, y + 1);
        EXPECT_EQ(hit.Index, index);
        EXPECT_EQ(hit.CaretX, 6 + x);
        EXPECT_EQ(hit.LineTop, y);
        EXPECT_TRUE(hit.InLine);
    }
    int32_t x = 0;
    int32_t y = 0;
    EXPECT_FALSE(section.PointOfIndex(Canvas, section.FirstIndex + section.Length, x, y));
    EXPECT_FALSE(section.PointOfIndex(Canvas, section.FirstIndex - 1, x, y));
}

TEST_F(SectionQueryTest, ClicksBesideALineAndOnCharacterHalves)
{
    TSection& section = AddSection("abc", TSection::AlignCenter);
    LayoutDocument(100);
    PaintDocument();
    const int32_t left = section.Lines[0].PaintLeft; // (100 - 24) / 2
    ASSERT_EQ(left, 38);
    const struct {
        const char* Name;
        int32_t X;
        int32_t Index;
        int32_t CaretX;
        bool InLine;
    } cases[] = {
        {"left of the line", 10, 0, left, false},
        {"left half of b", left + CharWidth + 3, 1, left + CharWidth, true},
        {"right half of b", left + CharWidth + 5, 2, left + 2 * CharWidth, true},
        {"right half of the last character", left + 2 * CharWidth + 6, 3, left + 3 * CharWidth, false},
        {"beyond the end", left + 60, 3, left + 3 * CharWidth, false},
    };
    for (const auto& c : cases) {
        const THit hit = HitAt(c.X, 5);
        EXPECT_EQ(hit.Index, c.Index) << c.Name;
        EXPECT_EQ(hit.CaretX, c.CaretX) << c.Name;
        EXPECT_EQ(hit.InLine, c.InLine) << c.Name;
    }
    EXPECT_EQ(HitAt(50, LineHeight).Index, -1); // below the last line
}

TEST_F(SectionQueryTest, LinksUnderThePoint)
{
    TSection& section = AddSection("ab ");
    TUrlTarget link;
    link.UrlText = "page.htm";
    link.TargetName = "main";
    section.ChangeFontAndLink(Document, BaseFont, 0, 0, &link);
    section.AppendText("cd");
    auto picture = std::make_unique<TFakePicture>(20, 12);
    picture->IsMap = true;
    section.AddImage(std::move(picture), &Document);
    section.ChangeFontAndLink(Document, BaseFont, 0, 0, nullptr);
    section.AppendText(" ef");
    LayoutDocument(300);
    PaintDocument();
    const struct {
        const char* Name;
        int32_t X;
        bool Hit;
        const char* Url;
    } cases[] = {
        {"plain text", 4, false, ""},
        {"linked text", 3 * CharWidth + 2, true, "page.htm"},
        {"picture in the link", 5 * CharWidth + 10, true, "page.htm?10,5"},
        {"text after the link", 5 * CharWidth + 20 + CharWidth + 2, false, ""},
    };
    for (const auto& c : cases) {
        TUrlTarget target;
        TFormControlObj* control = nullptr;
        EXPECT_EQ(Document.LinkAt(Canvas, c.X, 5, target, control), c.Hit) << c.Name;
        EXPECT_EQ(target.UrlText, c.Url) << c.Name;
        EXPECT_EQ(target.TargetName, c.Hit ? "main" : "") << c.Name;
    }
    TImageObj* image = nullptr;
    int32_t imageX = 0;
    int32_t imageY = 0;
    EXPECT_TRUE(Document.ImageAt(5 * CharWidth + 3, 4, image, imageX, imageY));
    EXPECT_EQ(imageX, 3);
    EXPECT_EQ(imageY, 4);
}

TEST_F(SectionQueryTest, FindText)
{
    AddSection("un \xC9" "clair");
    TSection& second = AddSection("un \xE9" "clair et un \xC9" "CLAIR");
    LayoutDocument(1000);
    const int32_t base = second.FirstIndex;
    const struct {
        const char* Name;
        const char* Text;
        int32_t From;
        bool MatchCase;
        int32_t Found;
    } cases[] = {
        {"accented capital finds lower case", "\xC9" "clair", 0, false, 3},
        {"and all capitals", "\xC9" "clair", base + 4, false, base + 16},
        {"lower case finds the capital", "\xE9" "CLAIR", 0, false, 3},
        {"exact case", "\xC9" "CLAIR", 0, true, base + 16},
        {"exact case misses other cases", "\xC9" "clAir", 0, true, -1},
        {"past the document", "un", base + second.Length, false, -1},
        {"the empty text is found nowhere", "", 0, false, -1},
        {"the empty text with exact case", "", 0, true, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Document.FindText(c.From, c.Text, c.MatchCase), c.Found) << c.Name;
}

TEST_F(SectionQueryTest, LongSearchTextsCompareTheirFirst255Characters)
{
    AddSection(std::string(255, 'x') + "yy");
    LayoutDocument(100000);
    EXPECT_EQ(Document.FindText(0, std::string(255, 'X') + "zz", false), 0);
    EXPECT_EQ(Document.FindText(0, std::string(255, 'x') + "zz", true), -1);
    EXPECT_EQ(Document.FindText(0, std::string(257, 'x'), false), 0);
}

TEST_F(SectionQueryTest, CharAtCoversTheSectionsCharacters)
{
    AddSection("ab");
    TSection& second = AddSection("cd");
    LayoutDocument(100);
    unsigned char ch = 0;
    TSectionBase* found = nullptr;
    ASSERT_TRUE(Document.CharAt(3, ch, found));
    EXPECT_EQ(ch, 'd');
    EXPECT_EQ(found, &second);
    EXPECT_FALSE(Document.CharAt(4, ch, found));
}

TEST_F(SectionQueryTest, CopiedTextEndsEveryLineAndSkipsMarkers)
{
    TSection& first = AddSection("aa bb cc ");
    first.AddImage(std::make_unique<TFakePicture>(8, 8), &Document);
    TFakeControl control(8, 8);
    first.AddControl(control);
    first.AppendText("d");
    AddSection("ee", TSection::AlignLeft, 2);
    LayoutDocument(72);
    ASSERT_EQ(LineTexts(first), (std::vector<std::string>{"aa bb cc ", "##d"}));
    const struct {
        const char* Name;
        int32_t From, To;
        const char* Text;
    } cases[] = {
        {"whole paragraph", 0, 12, "aa bb cc \r\nd\r\n"},
        {"mid-line start", 1, 5, "a bb"},
        {"a line that ends where the selection starts", 9, 12, "\r\nd\r\n"},
        {"list line at 70 pixels", 12, 14, "      ee\r\n"},
        {"list line started in mid-line", 13, 14, "e\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Selected(c.From, c.To), c.Text) << c.Name;
    Document.SelStart = 0;
    Document.SelEnd = 12;
    EXPECT_EQ(SelectedLength(Document), 14); // markers do not count
}

TEST_F(SectionQueryTest, SelectedTextIsCutToTheBuffer)
{
    AddSection(std::string(20, 'a'));
    LayoutDocument(1000);
    EXPECT_EQ(Selected(0, 20, 10), std::string(9, 'a'));

    char untouched = 'u';
    EXPECT_EQ(GetSelectedText(Document, &untouched, 0), 0);
    EXPECT_EQ(untouched, 'u');

    char buffer[4] = "xyz";
    Document.SelEnd = 0;
    EXPECT_EQ(GetSelectedText(Document, buffer, 4), 1);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(SelectedLength(Document), 0);
}

TEST_F(SectionQueryTest, CopyTakesAtMost32499Characters)
{
    AddSection(std::string(20000, 'a'));
    AddSection(std::string(20000, 'b'));
    LayoutDocument(1000);
    Document.SelStart = 0;
    Document.SelEnd = 40000;
    CopySelection(Document);
    const QString copied = QGuiApplication::clipboard()->text();
    EXPECT_EQ(copied.size(), ClipBuffer::BufferSize - 1);
    EXPECT_EQ(copied.left(2), "aa");
    EXPECT_EQ(copied.right(2), "bb");
    EXPECT_EQ(DocumentVisitor(Document), nullptr); // the walk is over
}

TEST_F(SectionQueryTest, AParagraphOf200KilobytesIsLaidOutPaintedAndCopiedWhole)
{
    std::string words;
    for (int i = 0; words.size() < 200 * 1024; ++i)
        words += "mot" + std::to_string(i) + (i % 9 == 8 ? ", " : " ");
    const std::string text = words + "fin";
    TAnchorList anchors;
    TParsedHead head;
    ParseHtmlBuffer(Document, anchors, "<p>" + text + "</p>", head);
    const int32_t height = LayoutDocument(400);

    const TSection* paragraph = nullptr;
    for (int i = 0; i < Document.Count() && !paragraph; ++i)
        if (const auto* section = dynamic_cast<const TSection*>(Document[i]); section && section->Length > 1)
            paragraph = section;
    ASSERT_NE(paragraph, nullptr);
    EXPECT_EQ(paragraph->Text, text);
    int64_t laidOut = 0;
    for (const LineRec& line : paragraph->Lines)
        laidOut += line.Count;
    EXPECT_EQ(laidOut, paragraph->Length);
    EXPECT_GT(paragraph->Lines.size(), 1000u);
    EXPECT_TRUE(LineTexts(*paragraph).back().ends_with(" fin"));

    Canvas.Ops.clear();
    Document.Paint(Canvas, {0, 0, 400, height}, 400, 0, 0);
    std::string painted;
    for (const TDrawOp& op : TextOps())
        painted += op.Text;
    EXPECT_EQ(painted, text);

    std::string copied = Selected(paragraph->FirstIndex, paragraph->FirstIndex + paragraph->Length,
                                  static_cast<int32_t>(2 * text.size()));
    std::string joined;
    for (size_t from = 0; from < copied.size();) {
        const size_t end = std::min(copied.find("\r\n", from), copied.size());
        joined += copied.substr(from, end - from);
        from = end + 2;
    }
    EXPECT_EQ(joined, text);
}
