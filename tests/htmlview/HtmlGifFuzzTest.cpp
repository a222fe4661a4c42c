#include "HtmlGifTest.h"

#include "htmlview/HtmlGif.h"

#include <gtest/gtest.h>

#include <random>

using namespace htmlview;
using namespace giftest;

namespace {

// An animation that uses every kind of block: loop, comment, local tables, transparency,
// interlace, compressed data, each disposal.
std::string Sample()
{
    TGifWriter writer;
    writer.Header(8, 6).Loop(0).Comment("sample");
    for (int i = 0; i < 4; ++i) {
        TImage image;
        image.Left = i;
        image.Top = i / 2;
        image.Width = 8 - i;
        image.Height = 6 - i;
        for (int p = 0; p < image.Width * image.Height; ++p)
            image.Pixels.push_back(static_cast<uint8_t>((p / 3 + i) % 4));
        image.Interlaced = i == 1;
        image.Compress = i % 2 == 0;
        if (i == 2)
            image.LocalColors = {0x112233, 0x445566, 0x778899, 0xAABBCC};
        writer.Control(i, 3, i == 3 ? -1 : i).Image(image);
    }
    return writer.Trailer().Data();
}

// A decoded picture, if any, is consistent with itself.
void Check(const std::string& data)
{
    bool still = false;
    auto gif = CreateGIFFromStream(data, still);
    if (!gif)
        return;
    ASSERT_GE(gif->FrameCount(), 1);
    ASSERT_LE(gif->FrameCount(), TGIFImage::MaxFrames);
    ASSERT_EQ(still, gif->FrameCount() == 1);
    ASSERT_LE(int64_t{gif->Width()} * gif->Height(), TGIFImage::MaxPicturePixels);
    const platform::TBitmap* bitmap = gif->Bitmap();
    ASSERT_TRUE(bitmap);
    ASSERT_EQ(bitmap->Width(), gif->Width());
    ASSERT_EQ(bitmap->Height(), gif->Height());
    for (int n = 1; n <= gif->FrameCount(); ++n) {
        const TFrame& frame = gif->Frame(n);
        ASSERT_EQ(frame.Image.Width(), frame.Image.Empty() ? 0 : frame.Width);
        ASSERT_LE(frame.Left + frame.Width, gif->Width());
    }
    // Every frame composes and disposes inside the picture.
    for (int n = 0; n <= gif->FrameCount() + 1; ++n)
        gif->SetCurrentFrame(n);
}

} // namespace

TEST(HtmlGifFuzz, EveryPrefixDecodesSafely)
{
    const std::string sample = Sample();
    bool still = true;
    ASSERT_TRUE(CreateGIFFromStream(sample, still));
    EXPECT_FALSE(still);
    for (size_t length = 0; length <= sample.size(); ++length) {
        SCOPED_TRACE(length);
        Check(sample.substr(0, length));
        if (HasFatalFailure())
            return;
    }
}

TEST(HtmlGifFuzz, FlippedBytesDecodeSafely)
{
    const std::string sample = Sample();
    std::mt19937 random(20261210);
    for (int round = 0; round < 3000; ++round) {
        std::string data = sample;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i)
            data[random() % data.size()] ^= static_cast<char>(1 << (random() % 8));
        SCOPED_TRACE(round);
        Check(data);
        if (HasFatalFailure())
            return;
    }
}
