#include "HtmlGifTest.h"

#include "htmlview/HtmlGif.h"
#include "htmlview/HtmlGifClock.h"
#include "platform/QtCanvas.h"

#include <gtest/gtest.h>

using namespace htmlview;
using namespace giftest;
using platform::TColor;
using platform::clBlack;
using platform::clBlue;
using platform::clRed;
using platform::clWhite;

namespace {

constexpr TColor clLime = 0x00FF00;

class HtmlGifAnimation : public testing::Test {
protected:
    // The clock starts just before it wraps, so every test also steps across the wrap.
    void SetUp() override
    {
        SetTimeSource([this] { return Now; });
    }
    void TearDown() override { SetTimeSource({}); }

    std::unique_ptr<TGIFImage> Load(const std::string& data)
    {
        auto gif = std::make_unique<TGIFImage>();
        if (!gif->LoadFromStream(data))
            return nullptr;
        Restart(*gif);
        return gif;
    }
    // What the document does at each layout.
    static void Restart(TGIFImage& gif)
    {
        gif.SetCurrentFrame(1);
        gif.SetAnimate(false);
        gif.SetAnimate(true);
    }
    void Step(TGIFImage& gif, uint32_t ms)
    {
        Now += ms;
        gif.CheckTime(nullptr);
    }
    // The frames shown after each of Steps steps of Ms.
    std::vector<int> Play(TGIFImage& gif, int steps, uint32_t ms)
    {
        std::vector<int> shown;
        for (int i = 0; i < steps && gif.Animate(); ++i) {
            Step(gif, ms);
            shown.push_back(gif.CurrentFrame());
        }
        return shown;
    }

    uint32_t Now = 0xFFFFFF00u;
};

// Frames of one colour each (indexes 1, 2, 3: red, lime, blue) over a 2 x 2 picture.
std::string ThreeFrames(int loops, int delay)
{
    TGifWriter writer;
    writer.Header(2, 2);
    if (loops >= 0)
        writer.Loop(loops);
    for (uint8_t i = 1; i <= 3; ++i)
        writer.Control(1, delay).Image(Solid(0, 0, 2, 2, i));
    return writer.Trailer().Data();
}

} // namespace

TEST_F(HtmlGifAnimation, FrameShowsForItsDelayThenTheLastOneStays)
{
    TGifWriter writer;
    writer.Header(1, 1).Control(0, 10).Image(Solid(0, 0, 1, 1, 1)).Control(0, 10).Image(Solid(0, 0, 1, 1, 2));
    auto gif = Load(writer.Trailer().Data());
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->CurrentDelay(), 100);
    Step(*gif, 99);
    EXPECT_EQ(gif->CurrentFrame(), 1);
    EXPECT_EQ(gif->Composite().Pixel(0, 0), clRed);
    Step(*gif, 1);
    EXPECT_EQ(gif->CurrentFrame(), 2);
    EXPECT_EQ(gif->Composite().Pixel(0, 0), clLime);
    Step(*gif, 100);
    EXPECT_FALSE(gif->Animate());
    Step(*gif, 1000);
    EXPECT_EQ(gif->CurrentFrame(), 2);
    EXPECT_EQ(gif->Composite().Pixel(0, 0), clLime);
}

TEST_F(HtmlGifAnimation, LoopCountSetsThePasses)
{
    struct TCase {
        int Loops; // -1: no loop block
        std::vector<int> Shown;
    };
    const TCase cases[] = {
        {-1, {2, 3}},
        {1, {2, 3}},
        {2, {2, 3, 1, 2, 3}},
        {0, {2, 3, 1, 2, 3, 1, 2, 3, 1, 2}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Loops);
        auto gif = Load(ThreeFrames(c.Loops, 5));
        ASSERT_TRUE(gif);
        EXPECT_EQ(Play(*gif, static_cast<int>(c.Shown.size()), 50), c.Shown);
        // A finite animation ends on its last frame; an endless one goes on.
        Step(*gif, 50);
        EXPECT_EQ(gif->Animate(), c.Loops == 0);
        if (c.Loops != 0) {
            EXPECT_EQ(gif->Composite().Pixel(1, 1), clBlue);
        }
    }
}

TEST_F(HtmlGifAnimation, ZeroDelayStepsAtEveryCheck)
{
    auto gif = Load(ThreeFrames(0, 0));
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->CurrentDelay(), 1);
    EXPECT_EQ(Play(*gif, 3, 1), (std::vector<int>{2, 3, 1}));
}

TEST_F(HtmlGifAnimation, DisposalDecidesWhatTheNextFrameIsDrawnOver)
{
    // A 4 x 2 picture: red everywhere (frame 1), lime over (1,0)-(2,0) (frame 2, with the
    // disposal under test), blue at (3,1) (frame 3). Row 0 after frame 3, and the mask there.
    struct TCase {
        int Disposal;
        bool Transparency; // frame 1 has a transparent pixel at (0, 1)
        TColor Shown;
        TColor Mask;
    };
    const TCase cases[] = {
        {0, false, clLime, clBlack}, {1, false, clLime, clBlack}, {2, false, clBlack, clBlack},
        {3, false, clRed, clBlack},  {1, true, clLime, clBlack},  {2, true, clBlack, clWhite},
        {3, true, clRed, clBlack},   {5, true, clBlack, clWhite},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "disposal " << c.Disposal << " transparency " << c.Transparency);
        TImage first = Solid(0, 0, 4, 2, 1);
        first.Pixels[4] = 0;
        TGifWriter writer;
        writer.Header(4, 2).Control(1, 1, c.Transparency ? 0 : -1).Image(first);
        writer.Control(c.Disposal, 1).Image(Solid(1, 0, 2, 1, 2));
        writer.Control(1, 1).Image(Solid(3, 1, 1, 1, 3));
        auto gif = Load(writer.Trailer().Data());
        ASSERT_TRUE(gif);
        Play(*gif, 2, 10);
        ASSERT_EQ(gif->CurrentFrame(), 3);
        const platform::TBitmap& composite = gif->Composite();
        EXPECT_EQ(composite.Pixel(0, 0), clRed);
        EXPECT_EQ(composite.Pixel(1, 0), c.Shown);
        EXPECT_EQ(composite.Pixel(2, 0), c.Shown);
        EXPECT_EQ(composite.Pixel(3, 1), clBlue);
        EXPECT_EQ(composite.Pixel(0, 1), clBlack); // colour 0, transparent or not
        if (c.Transparency) {
            EXPECT_EQ(gif->MaskSurface().Pixel(1, 0), c.Mask);
            EXPECT_EQ(gif->MaskSurface().Pixel(0, 1), clWhite);
            EXPECT_EQ(gif->MaskSurface().Pixel(3, 1), clBlack);
        }
    }
}

TEST_F(HtmlGifAnimation, TransparentFrameShowsWhatLiesUnder)
{
    TImage second = Solid(0, 0, 2, 1, 2);
    second.Pixels[0] = 3;
    TGifWriter writer;
    writer.Header(2, 1).Control(1, 1).Image(Solid(0, 0, 2, 1, 1)).Control(1, 1, 3).Image(second);
    auto gif = Load(writer.Trailer().Data());
    ASSERT_TRUE(gif);
    Step(*gif, 10);
    EXPECT_EQ(gif->Composite().Pixel(0, 0), clRed);
    EXPECT_EQ(gif->Composite().Pixel(1, 0), clLime);
    // Opaque everywhere: frame 1 covered the picture.
    EXPECT_EQ(gif->MaskSurface().Pixel(0, 0), clBlack);
}

TEST_F(HtmlGifAnimation, EachPassStartsOnAClearPicture)
{
    // Frame 1 is transparent on the left, frame 2 (left in place) paints it; back on frame 1
    // the left pixel is transparent again.
    TImage first = Solid(0, 0, 2, 1, 1);
    first.Pixels[0] = 0;
    TGifWriter writer;
    writer.Header(2, 1).Loop(0).Control(1, 1, 0).Image(first).Control(1, 1).Image(Solid(0, 0, 1, 1, 2));
    auto gif = Load(writer.Trailer().Data());
    ASSERT_TRUE(gif);
    Step(*gif, 10);
    EXPECT_EQ(gif->MaskSurface().Pixel(0, 0), clBlack);
    Step(*gif, 10);
    ASSERT_EQ(gif->CurrentFrame(), 1);
    EXPECT_EQ(gif->MaskSurface().Pixel(0, 0), clWhite);
    EXPECT_EQ(gif->Composite().Pixel(0, 0), clBlack);
}

TEST_F(HtmlGifAnimation, SettingTheFrameWrapsAround)
{
    auto gif = Load(ThreeFrames(0, 5));
    ASSERT_TRUE(gif);
    gif->SetCurrentFrame(0);
    EXPECT_EQ(gif->CurrentFrame(), 3);
    EXPECT_EQ(gif->Composite().Pixel(0, 0), clBlue);
    gif->SetCurrentFrame(4);
    EXPECT_EQ(gif->CurrentFrame(), 1);
    EXPECT_EQ(gif->Composite().Pixel(0, 0), clRed);
    gif->SetCurrentFrame(2);
    EXPECT_EQ(gif->Composite().Pixel(0, 0), clLime);
}

TEST_F(HtmlGifAnimation, CopyAnimatesOnItsOwn)
{
    auto gif = Load(ThreeFrames(0, 5));
    ASSERT_TRUE(gif);
    Step(*gif, 50);
    ASSERT_EQ(gif->CurrentFrame(), 2);

    auto copy = TGIFImage::CreateCopy(*gif);
    EXPECT_TRUE(copy->IsCopy());
    EXPECT_FALSE(gif->IsCopy());
    EXPECT_EQ(copy->CurrentFrame(), 1);
    EXPECT_FALSE(copy->Animate());
    EXPECT_EQ(copy->FrameCount(), 3);
    EXPECT_EQ(copy->LoopCount(), 0);
    EXPECT_EQ(copy->Composite().Pixel(0, 0), clRed);
    Restart(*copy);
    Step(*copy, 50);
    Step(*copy, 50);
    EXPECT_EQ(copy->CurrentFrame(), 3);
    EXPECT_EQ(copy->Composite().Pixel(0, 0), clBlue);
    EXPECT_EQ(gif->CurrentFrame(), 2);
    EXPECT_EQ(gif->Composite().Pixel(0, 0), clLime);
}

TEST_F(HtmlGifAnimation, DrawLeavesTransparentPartsAlone)
{
    // Left pixel transparent, right one lime; drawn twice as large at (1, 1) on red.
    TImage image = Solid(0, 0, 2, 1, 2);
    image.Pixels[0] = 0;
    auto gif = Load(TGifWriter().Header(2, 1).Control(0, 0, 0).Image(image).Trailer().Data());
    ASSERT_TRUE(gif);
    QImage target(6, 4, QImage::Format_RGB32);
    target.fill(Qt::red);
    {
        platform::TQtCanvas canvas(target);
        gif->Draw(canvas, 1, 1, 4, 2);
    }
    EXPECT_EQ(gif->DrawRect(), (platform::TRect{1, 1, 5, 3}));
    const platform::TBitmap drawn(target);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(drawn.Pixel(x, y), x >= 3 && x < 5 && y >= 1 && y < 3 ? clLime : clRed) << x << "," << y;

    // Hidden: nothing drawn, the place still remembered.
    gif->SetVisible(false);
    target.fill(Qt::red);
    {
        platform::TQtCanvas canvas(target);
        gif->Draw(canvas, 0, 0, 6, 4);
    }
    EXPECT_EQ(platform::TBitmap(target).Pixel(5, 3), clRed);
    EXPECT_EQ(gif->DrawRect(), (platform::TRect{0, 0, 6, 4}));
}
