#include "htmlview/SectionList.h"
#include "tests/support/TestCanvas.h"

#include <gtest/gtest.h>

using namespace htmlview;
using namespace platform;

namespace {

// A block of Length characters and a fixed height that records what the passes ask of it.
class TBlock : public TSectionBase {
public:
    TBlock(int32_t height, std::string text = "", int32_t width = 0) : Text(std::move(text)), Width(width)
    {
        Height = height;
        Length = static_cast<int32_t>(Text.size());
    }

    std::string Text;
    int32_t Width;
    int32_t FloatHeight = 0; // a left float of this height placed at the block's top
    bool Fails = false;
    int32_t LaidOutAt = -1;
    int32_t PaintedAt = -1;
    int DefaultsApplied = 0;
    std::vector<int32_t> AskedAt; // relative Y of every point question
    std::vector<std::string>* SelectionLog = nullptr;
    TAnimatedPicture* Picture = nullptr; // drawn by Paint

    int32_t Layout(TCanvas& canvas, int32_t y, IndentManager& indentMgr, int32_t& maxWidth,
                   int32_t& charIndex) override
    {
        if (Fails)
            throw EProcessError("Table has too many Columns");
        TSectionBase::Layout(canvas, y, indentMgr, maxWidth, charIndex);
        if (FloatHeight > 0) {
            indentMgr.AddBlock(y, 20, 1, FloatHeight);
            PaintHeight = std::max(Height, FloatHeight);
        }
        LaidOutAt = y;
        maxWidth = Width;
        charIndex += Length;
        return Height;
    }
    int32_t Paint(TCanvas& canvas, const TRect& clipRect, IndentManager& indentMgr, int32_t x, int32_t y) override
    {
        PaintedAt = y;
        if (Picture)
            Picture->ShowIt = true;
        return TSectionBase::Paint(canvas, clipRect, indentMgr, x, y);
    }
    bool LinkAt(TCanvas&, int32_t, int32_t y, TUrlTarget& target, TFormControlObj*&) override
    {
        AskedAt.push_back(y);
        target.UrlText = Text;
        return !Text.empty();
    }
    int32_t IndexAtPoint(TCanvas&, int32_t, int32_t y, int32_t&, int32_t& lineTop, int32_t& lineHeight, TCell*&,
                         bool&) override
    {
        AskedAt.push_back(y);
        lineTop = 2;
        lineHeight = 5;
        return Text.empty() ? -1 : FirstIndex;
    }
    int32_t FindText(int32_t fromIndex, const std::string& text, bool) override
    {
        const size_t from = static_cast<size_t>(std::max(0, fromIndex - FirstIndex));
        const size_t found = Text.find(text, from);
        return found == std::string::npos ? -1 : FirstIndex + static_cast<int32_t>(found);
    }
    bool CharAt(int32_t index, unsigned char& ch, TSectionBase*& section) override
    {
        if (index < FirstIndex || index >= FirstIndex + Length)
            return false;
        ch = static_cast<unsigned char>(Text[static_cast<size_t>(index - FirstIndex)]);
        section = this;
        return true;
    }
    void AddSelectedText() override { SelectionLog->push_back(Text); }
    void ApplyDocumentDefaults() override { ++DefaultsApplied; }
    void MeasureWidths(TCanvas&, int32_t& minWidth, int32_t& maxWidth) override
    {
        minWidth = Width / 2;
        maxWidth = Width;
    }
};

class TFakeAnimation : public TAnimatedPicture {
public:
    std::vector<std::string> Calls;
    void SetCurrentFrame(int32_t frame) override { Calls.push_back("frame " + std::to_string(frame)); }
    void SetAnimate(bool animate) override { Calls.push_back(animate ? "animate" : "stop"); }
    void CheckTime(TPaintPanel*) override { Calls.push_back("check"); }
};

class SectionListTest : public ::testing::Test {
protected:
    SectionListTest()
    {
        Document.SetDefaults("Arial", "Courier New", 12, clBlack, clBlue, clWhite);
        Document.ShowErrorBox = [this](const std::string& message) { Errors.push_back(message); };
    }

    TBlock* Append(int32_t height, std::string text = "", int32_t width = 0)
    {
        auto block = std::make_unique<TBlock>(height, std::move(text), width);
        TBlock* added = block.get();
        Document.AppendSection(std::move(block));
        return added;
    }
    int32_t LayOut(int32_t y = 0, int32_t width = 300)
    {
        CharIndex = 0;
        return Document.Layout(Canvas, y, width, MaxWidth, CharIndex);
    }
    TBlock* Block(int i) const { return static_cast<TBlock*>(Document[i]); }

    TTestCanvas Canvas;
    TSectionList Document{nullptr, nullptr, Canvas};
    std::vector<std::string> Errors;
    int32_t MaxWidth = -1;
    int32_t CharIndex = 0;
};

} // namespace

TEST_F(SectionListTest, EmptyDocumentHasNoHeightAndPaintsNothing)
{
    EXPECT_EQ(LayOut(10), 0);
    EXPECT_EQ(MaxWidth, 0);
    EXPECT_EQ(Document.CharCount, 0);
    EXPECT_EQ(Document.Paint(Canvas, {0, 0, 300, 300}, 2000, 0, 10), 10);
    EXPECT_TRUE(Canvas.Ops.empty());
    EXPECT_FALSE(Document.AnimationTimer.isActive());
}

TEST_F(SectionListTest, LayoutStacksSectionsAndCountsCharacters)
{
    Append(10, "abc", 120);
    Append(5); // spacing: no characters
    Append(20, "defgh", 80);
    CharIndex = 7;
    EXPECT_EQ(Document.Layout(Canvas, 100, 300, MaxWidth, CharIndex), 35);
    EXPECT_EQ(MaxWidth, 120);
    EXPECT_EQ(CharIndex, 15);
    EXPECT_EQ(Document.FirstIndex, 7);
    EXPECT_EQ(Document.CharCount, 8);
    EXPECT_EQ(Document.Top, 100);
    const int32_t tops[] = {100, 110, 115};
    const int32_t firstIndexes[] = {7, 10, 10};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(Block(i)->LaidOutAt, tops[i]);
        EXPECT_EQ(Block(i)->Top, tops[i]);
        EXPECT_EQ(Block(i)->FirstIndex, firstIndexes[i]);
    }
    EXPECT_EQ(Document.IndentMgr.Width, 300);
}

TEST_F(SectionListTest, SectionWithALayoutErrorIsDroppedAfterOneMessage)
{
    Append(10, "a");
    Append(50, "table")->Fails = true;
    Append(20, "b");
    EXPECT_EQ(LayOut(), 30);
    EXPECT_EQ(Errors, (std::vector<std::string>{"Table has too many Columns"}));
    ASSERT_EQ(Document.Count(), 2);
    EXPECT_EQ(Block(1)->Text, "b");
    EXPECT_EQ(Block(1)->LaidOutAt, 10);

    EXPECT_EQ(LayOut(), 30);
    EXPECT_EQ(Errors.size(), 1u);
}

TEST_F(SectionListTest, ColumnHeightCoversAFloatReachingBelowItsLastSection)
{
    TCell cell(&Document);
    auto block = std::make_unique<TBlock>(10, "x");
    TBlock* floating = block.get();
    block->FloatHeight = 45;
    cell.AppendSection(std::move(block));
    EXPECT_EQ(cell.Layout(Canvas, 200, 100, MaxWidth, CharIndex), 45);
    EXPECT_EQ(cell.Document, &Document);
    // A new layout starts without the floats of the last one.
    floating->FloatHeight = 0;
    EXPECT_EQ(cell.Layout(Canvas, 200, 100, MaxWidth, CharIndex), 10);
}

TEST_F(SectionListTest, PaintRunsDownTheColumnAtItsScreenX)
{
    Append(10);
    Append(25);
    LayOut(0, 250);
    EXPECT_EQ(Document.Paint(Canvas, {0, 0, 300, 300}, 2000, 12, 5), 40);
    EXPECT_EQ(Block(0)->PaintedAt, 5);
    EXPECT_EQ(Block(1)->PaintedAt, 15);
    EXPECT_EQ(Document.IndentMgr.LeftX, 12);
    EXPECT_EQ(Document.IndentMgr.RightX, 262);
    EXPECT_EQ(Document.IndentMgr.PaintClipWidth, 2000);
}

TEST_F(SectionListTest, PointQuestionsGoToTheSectionUnderY)
{
    Append(10, "first");
    TBlock* tall = Append(20, "second");
    Append(30, "");
    LayOut();
    tall->PaintHeight = 35; // a float paints into the next section

    const struct {
        int32_t Y;
        int Position;    // -1: none
        int32_t RelativeY;
    } cases[] = {{-3, 0, -3}, {0, 0, 0}, {9, 0, 9}, {10, 1, 0}, {29, 1, 19}, {30, 2, 0}, {59, 2, 29}, {60, -1, 0}};
    for (const auto& c : cases) {
        int32_t top = -1;
        int position = -1;
        const TSectionBase* found = Document.SectionAtY(c.Y, top, position);
        if (c.Position < 0) {
            EXPECT_EQ(found, nullptr) << c.Y;
            continue;
        }
        EXPECT_EQ(found, Document[c.Position]) << c.Y;
        EXPECT_EQ(position, c.Position);
        EXPECT_EQ(c.Y - top, c.RelativeY);
    }

    // Links: the tall section answers for Y inside its paint height, before the section below.
    TUrlTarget target;
    TFormControlObj* control = nullptr;
    EXPECT_TRUE(Document.LinkAt(Canvas, 3, 40, target, control));
    EXPECT_EQ(target.UrlText, "second");
    EXPECT_EQ(tall->AskedAt, (std::vector<int32_t>{30}));
    target.UrlText = "stale";
    EXPECT_FALSE(Document.LinkAt(Canvas, 3, 50, target, control));
    EXPECT_EQ(target.UrlText, "");
    EXPECT_FALSE(Document.LinkAt(Canvas, 3, -1, target, control));

    // Index at a point: the line top comes back relative to the column.
    int32_t caretX = 0, lineTop = 0, lineHeight = 0;
    TCell* cell = nullptr;
    bool inLine = false;
    EXPECT_EQ(Document.IndexAtPoint(Canvas, 0, 15, caretX, lineTop, lineHeight, cell, inLine), 5);
    EXPECT_EQ(lineTop, 12);
    EXPECT_EQ(cell, &Document);
    cell = nullptr;
    EXPECT_EQ(Document.IndexAtPoint(Canvas, 0, 45, caretX, lineTop, lineHeight, cell, inLine), -1);
    EXPECT_EQ(cell, nullptr);
    EXPECT_EQ(Document.IndexAtPoint(Canvas, 0, 500, caretX, lineTop, lineHeight, cell, inLine), -1);
}

TEST_F(SectionListTest, TextQuestionsWalkTheSectionsInOrder)
{
    Append(10, "hello");
    Append(10, "world");
    LayOut();
    EXPECT_EQ(Document.FindText(0, "o", false), 4);
    EXPECT_EQ(Document.FindText(5, "o", false), 6);
    EXPECT_EQ(Document.FindText(0, "xyz", false), -1);

    unsigned char ch = 0;
    TSectionBase* section = nullptr;
    EXPECT_TRUE(Document.CharAt(7, ch, section));
    EXPECT_EQ(ch, 'r');
    EXPECT_EQ(section, Document[1]);
    EXPECT_FALSE(Document.CharAt(10, ch, section)); // the end is in range but no section has it
    EXPECT_FALSE(Document.CharAt(-1, ch, section));

    int32_t minWidth = -1, maxWidth = -1;
    Block(0)->Width = 90;
    Block(1)->Width = 40;
    Document.MeasureWidths(Canvas, minWidth, maxWidth);
    EXPECT_EQ(minWidth, 45);
    EXPECT_EQ(maxWidth, 90);
}

TEST_F(SectionListTest, SelectionVisitsOnlyTheSectionsItTouches)
{
    std::vector<std::string> log;
    for (const char* text : {"aaa", "bbb", "", "ccc", "ddd"})
        Append(10, text)->SelectionLog = &log;
    LayOut(); // indexes: a 0-2, b 3-5, c 6-8, d 9-11, and a spacing section at 6 inside the
              // selection gets its turn (it adds its line end)
    const struct {
        int32_t Start, End;
        std::vector<std::string> Visited;
    } cases[] = {
        {4, 7, {"bbb", "", "ccc"}},
        {3, 6, {"bbb"}},
        {0, 12, {"aaa", "bbb", "", "ccc", "ddd"}},
        {8, 8, {}},
        {9, 2, {}},
    };
    for (const auto& c : cases) {
        log.clear();
        Document.SelStart = c.Start;
        Document.SelEnd = c.End;
        Document.AddSelectedText();
        EXPECT_EQ(log, c.Visited) << c.Start << ".." << c.End;
    }
}

TEST_F(SectionListTest, DefaultsReachEverySection)
{
    TBlock* block = Append(10);
    EXPECT_EQ(block->DefaultsApplied, 1);
    EXPECT_EQ(block->Document, &Document);

    int backgroundChanges = 0;
    Document.BackgroundChanged = [&](TSectionList& document) {
        EXPECT_EQ(&document, &Document);
        ++backgroundChanges;
    };
    const std::string longName(40, 'x');
    Document.SetDefaults(longName, "Courier", 14, clRed, clNavy, clSilver);
    EXPECT_EQ(Document.FontName, std::string(33, 'x'));
    EXPECT_EQ(Document.PreFontName, "Courier");
    EXPECT_EQ(Document.FontSize, 14);
    EXPECT_EQ(Document.FontColor, clRed);
    EXPECT_EQ(Document.LinkColor, clNavy);
    EXPECT_EQ(Document.BackgroundColor, clSilver);
    EXPECT_EQ(backgroundChanges, 1);
    EXPECT_EQ(block->DefaultsApplied, 2);
}

TEST_F(SectionListTest, ClearForgetsThePage)
{
    Append(10, "abc");
    Document.SelStart = 1;
    Document.SelEnd = 2;
    Document.SetBackgroundImageName("back.gif");
    Document.BackgroundFetched = true;
    TFakeAnimation animation;
    Document.AnimatedImages.push_back(&animation);
    Document.PendingImages.push_back({"PIC.GIF", nullptr});
    Document.Clear();
    EXPECT_EQ(Document.Count(), 0);
    EXPECT_EQ(Document.SelStart, 0);
    EXPECT_EQ(Document.SelEnd, 0);
    EXPECT_EQ(Document.BackgroundImageName, "");
    EXPECT_FALSE(Document.BackgroundFetched);
    EXPECT_TRUE(Document.AnimatedImages.empty());
    EXPECT_TRUE(Document.PendingImages.empty());
}

TEST_F(SectionListTest, SectionTopSumsTheHeightsAbove)
{
    Append(10);
    Append(20);
    Append(40);
    const struct {
        int N;
        int32_t Top;
    } cases[] = {{-1, 0}, {0, 0}, {1, 10}, {2, 30}, {3, 30}, {9, 30}};
    for (const auto& c : cases)
        EXPECT_EQ(Document.SectionTop(c.N), c.Top) << c.N;
}

TEST_F(SectionListTest, ScrollChangeIsNotedOnlyWhenTheTopMoves)
{
    Document.SetScrollTop(0);
    EXPECT_FALSE(Document.ScrollChanged);
    Document.SetScrollTop(40);
    EXPECT_TRUE(Document.ScrollChanged);
    EXPECT_EQ(Document.ScrollTop, 40);
}

TEST_F(SectionListTest, AnimatedPicturesRunTheTimerAfterEachPass)
{
    TFakeAnimation shown;
    TFakeAnimation hidden;
    Append(10)->Picture = &shown;
    Document.AnimatedImages = {&shown, &hidden};
    hidden.ShowIt = true; // left over from an earlier paint

    LayOut();
    EXPECT_TRUE(Document.AnimationTimer.isActive());
    EXPECT_EQ(Document.AnimationTimer.interval(), 50);
    EXPECT_EQ(shown.Calls, (std::vector<std::string>{"frame 1", "stop", "animate"}));

    Document.Paint(Canvas, {0, 0, 300, 300}, 2000, 0, 0);
    EXPECT_TRUE(Document.AnimationTimer.isActive());
    EXPECT_TRUE(shown.ShowIt);
    EXPECT_FALSE(hidden.ShowIt);

    shown.Calls.clear();
    hidden.Calls.clear();
    Document.AnimationTick();
    EXPECT_EQ(shown.Calls, (std::vector<std::string>{"check"}));
    EXPECT_TRUE(hidden.Calls.empty());

    Document.Clear();
    LayOut();
    EXPECT_FALSE(Document.AnimationTimer.isActive());
}
