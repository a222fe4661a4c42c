#include "htmlview/FontRuns.h"
#include "htmlview/SectionList.h"
#include "tests/support/TestCanvas.h"

#include <gtest/gtest.h>

using namespace htmlview;
using namespace platform;

namespace {

class FontRunsTest : public ::testing::Test {
protected:
    FontRunsTest() { Document.SetDefaults("Times New Roman", "Courier New", 12, clBlack, clBlue, clWhite); }

    std::unique_ptr<TFontObj> Run(int32_t start, int32_t relativeSize = 12)
    {
        auto font = std::make_unique<TMyFont>();
        font->RelativeSize = relativeSize;
        font->ApplyDefaults(Document, Document.FontColor);
        return std::make_unique<TFontObj>(std::move(font), start, Screen);
    }

    TTestCanvas Screen;
    TSectionList Document{nullptr, nullptr, Screen};
};

} // namespace

TEST_F(FontRunsTest, SizesAreTwelfthsOfTheDocumentSize)
{
    const struct {
        int32_t DocumentSize, Relative, Points;
    } cases[] = {
        {12, 9, 9},   // subscript of a normal run
        {12, 12, 12},
        {10, 18, 15},
        {14, 9, 11},  // 10.5 rounds up
        {12, 0, 0},
    };
    for (const auto& c : cases) {
        Document.FontSize = c.DocumentSize;
        TMyFont font;
        font.SetRelativeSize(Document, c.Relative);
        EXPECT_EQ(font.Size(), c.Points) << c.DocumentSize << " x " << c.Relative << "/12";
        EXPECT_EQ(font.RelativeSize, c.Relative);
    }
}

TEST_F(FontRunsTest, DefaultsComeFromTheDocument)
{
    Document.Charset = 238;
    TMyFont font;
    font.RelativeSize = 24;
    font.Preformatted = true;
    font.SetStyle(fsItalic);
    font.ApplyDefaults(Document, clRed);
    EXPECT_EQ(font.Name(), "Courier New");
    EXPECT_EQ(font.Size(), 24);
    EXPECT_EQ(font.Charset(), 238);
    EXPECT_EQ(font.Color(), clRed | PaletteRelative);
    EXPECT_EQ(font.Style(), fsItalic); // the style is the run's own

    font.Preformatted = false;
    font.ApplyDefaults(Document, clRed);
    EXPECT_EQ(font.Name(), "Times New Roman");
}

TEST_F(FontRunsTest, AssignTakesRelativeSizeOnlyFromAnotherRunFont)
{
    TMyFont source;
    source.RelativeSize = 9;
    source.Preformatted = true;
    source.SetSize(7);
    TMyFont copy;
    copy.Assign(source);
    EXPECT_EQ(copy.RelativeSize, 9);
    EXPECT_TRUE(copy.Preformatted);
    EXPECT_EQ(copy.Size(), 7);

    TFont plain(TFontData{"Arial", 20});
    copy.Assign(plain);
    EXPECT_EQ(copy.RelativeSize, 9);
    EXPECT_EQ(copy.Size(), 20);
}

TEST_F(FontRunsTest, LinkRunsTakeTheLinkColour)
{
    auto run = Run(0);
    run->Target.UrlText = "page.htm";
    run->ApplyDefaults(Document);
    EXPECT_EQ(run->Font->Color(), clBlue | PaletteRelative);
    run->Target.ClearLink();
    run->ApplyDefaults(Document);
    EXPECT_EQ(run->Font->Color(), clBlack | PaletteRelative);
}

TEST_F(FontRunsTest, MetricsFollowEveryFontChange)
{
    auto run = Run(0);
    EXPECT_EQ(run->Height, 16);
    EXPECT_EQ(run->TextHeight, 16);
    EXPECT_EQ(run->Descent, 4);
    EXPECT_EQ(run->Overhang, 0);

    Screen.Font().Size = 99;
    run->Font->SetSize(24);
    EXPECT_EQ(run->TextHeight, 32);
    EXPECT_EQ(run->Descent, 8);
    EXPECT_EQ(Screen.Font().Size, 99); // the screen keeps its own font

    // A new default size reaches the run's metrics too.
    Document.SetDefaults("Arial", "Courier New", 6, clBlack, clBlue, clWhite);
    run->ApplyDefaults(Document);
    EXPECT_EQ(run->TextHeight, FontPixelSize(6));
}

TEST_F(FontRunsTest, RunsAreFoundByCharacterIndex)
{
    TFontList runs;
    int position = -1;
    EXPECT_EQ(runs.RunAt(3, position), nullptr);
    EXPECT_EQ(runs.RunCharsLeft(3, 10), 7);

    runs.Add(Run(0));
    runs.Add(Run(5, 24));
    runs.Add(Run(12));
    const int32_t length = 20;
    const struct {
        int32_t Index;
        int Position;
        int32_t CharsLeft;
    } cases[] = {
        {0, 0, 5}, {4, 0, 1}, {5, 1, 7}, {11, 1, 1}, {12, 2, 8}, {19, 2, 1},
    };
    for (const auto& c : cases) {
        const TFontObj* run = runs.RunAt(c.Index, position);
        EXPECT_EQ(position, c.Position) << c.Index;
        EXPECT_EQ(run, runs[c.Position]) << c.Index;
        EXPECT_EQ(runs.RunCharsLeft(c.Index, length), c.CharsLeft) << c.Index;
    }
    int32_t overhang = -1;
    EXPECT_EQ(runs.FontAt(7, overhang), runs[1]->Font.get());
    EXPECT_EQ(overhang, 0);

    runs.ApplyDefaults(Document);
    EXPECT_EQ(runs[1]->Font->Size(), 24);
}
