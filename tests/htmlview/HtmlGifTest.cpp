#include "common/BundledData.h"
#include "HtmlGifTest.h"

#include "htmlview/HtmlGif.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace htmlview;
using namespace std::string_literals;
using namespace giftest;
using platform::TBitmap;
using platform::TColor;

namespace {

TColor ColorOf(uint32_t rrggbb)
{
    return platform::RGB(static_cast<int>(rrggbb >> 16 & 0xFF), static_cast<int>(rrggbb >> 8 & 0xFF),
                         static_cast<int>(rrggbb & 0xFF));
}

// Every pixel of Bitmap is the palette colour of the matching index.
void ExpectPixels(const TBitmap& bitmap, const TImage& image, const TPalette& palette)
{
    ASSERT_EQ(bitmap.Width(), image.Width);
    ASSERT_EQ(bitmap.Height(), image.Height);
    for (int y = 0; y < image.Height; ++y)
        for (int x = 0; x < image.Width; ++x)
            ASSERT_EQ(bitmap.Pixel(x, y), ColorOf(palette[image.Pixels[static_cast<size_t>(y * image.Width + x)]]))
                << "at " << x << "," << y;
}

TImage Pattern(int width, int height, int colors, unsigned seed)
{
    TImage image;
    image.Width = width;
    image.Height = height;
    std::mt19937 random(seed);
    for (int i = 0; i < width * height; ++i)
        image.Pixels.push_back(static_cast<uint8_t>(random() % static_cast<unsigned>(colors)));
    return image;
}

std::unique_ptr<TGIFImage> Load(const std::string& data)
{
    auto image = std::make_unique<TGIFImage>();
    if (!image->LoadFromStream(data))
        return nullptr;
    return image;
}

} // namespace

TEST(HtmlGifReader, StillGif87aIsItsImage)
{
    const TImage image = Pattern(5, 3, 4, 1);
    const std::string data = TGifWriter().Header(5, 3, FourColors(), "87a").Image(image).Trailer().Data();

    bool still = false;
    auto gif = CreateGIFFromStream(data, still);
    ASSERT_TRUE(gif);
    EXPECT_TRUE(still);
    EXPECT_FALSE(gif->Animated());
    EXPECT_EQ(gif->FrameCount(), 1);
    EXPECT_EQ(gif->LoopCount(), 1);
    EXPECT_EQ(gif->BitsPerPixel(), 2);
    EXPECT_FALSE(gif->HasTransparency());
    ASSERT_TRUE(gif->Bitmap());
    ExpectPixels(*gif->Bitmap(), image, FourColors());
    ExpectPixels(gif->Frame(1).Image, image, FourColors());
    EXPECT_EQ(gif->Mask(), nullptr);
}

TEST(HtmlGifReader, TransparentColourIsBlackInImageAndWhiteInMask)
{
    // 3 pixels wide, so each mask row is narrower than a byte.
    TImage image = Pattern(3, 4, 4, 2);
    image.Pixels[0] = 2;
    const std::string data = TGifWriter().Header(3, 4).Control(0, 0, 2).Image(image).Trailer().Data();

    bool still = false;
    auto gif = CreateGIFFromStream(data, still);
    ASSERT_TRUE(gif);
    EXPECT_TRUE(gif->HasTransparency());
    const TFrame& frame = gif->Frame(1);
    EXPECT_TRUE(frame.Transparent);
    EXPECT_EQ(frame.TransparentIndex, 2);
    ASSERT_TRUE(gif->Bitmap() && gif->Mask());
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x) {
            const uint8_t index = image.Pixels[static_cast<size_t>(y * 3 + x)];
            const bool clear = index == 2;
            EXPECT_EQ(frame.Image.Pixel(x, y), clear ? platform::clBlack : ColorOf(FourColors()[index]));
            EXPECT_EQ(frame.Mask.Pixel(x, y), clear ? platform::clWhite : platform::clBlack);
            EXPECT_EQ(gif->Mask()->Pixel(x, y), frame.Mask.Pixel(x, y));
            EXPECT_EQ(gif->Bitmap()->Pixel(x, y), frame.Image.Pixel(x, y));
        }
}

TEST(HtmlGifReader, InterlacedImageDecodesLikeItsTwin)
{
    for (const int height : {1, 2, 3, 4, 5, 8, 9, 17}) {
        SCOPED_TRACE(height);
        TImage image = Pattern(6, height, 4, static_cast<unsigned>(height));
        image.Interlaced = true;
        auto gif = Load(TGifWriter().Header(6, height).Image(image).Trailer().Data());
        ASSERT_TRUE(gif);
        EXPECT_TRUE(gif->Frame(1).Interlaced);
        ExpectPixels(gif->Frame(1).Image, image, FourColors());
    }
}

TEST(HtmlGifReader, CompressedDataDecodesLikeUncompressed)
{
    // Random 256-colour data fills the 4096-entry table several times (code size up to 12,
    // then a clear); long runs exercise codes defined by the code itself.
    TPalette palette;
    for (uint32_t i = 0; i < 256; ++i)
        palette.push_back(i * 0x010203 & 0xFFFFFF);
    TImage noise = Pattern(160, 120, 256, 3);
    noise.MinCodeSize = 8;
    TImage runs = Pattern(160, 120, 2, 4);
    for (size_t i = 0; i < 5000; ++i)
        runs.Pixels[i] = 1;
    TImage twoColors = Pattern(7, 7, 2, 5);
    TImage oneBitSet = twoColors;
    oneBitSet.MinCodeSize = 1;
    for (TImage image : {noise, runs, twoColors, oneBitSet}) {
        for (const bool compress : {false, true}) {
            if (compress && image.MinCodeSize < 2)
                continue;
            for (const size_t blockSize : {size_t{255}, size_t{1}, size_t{7}}) {
                SCOPED_TRACE(testing::Message() << image.Width << " compress " << compress << " block " << blockSize);
                image.Compress = compress;
                image.BlockSize = blockSize;
                auto gif = Load(TGifWriter().Header(image.Width, image.Height, palette).Image(image).Trailer().Data());
                ASSERT_TRUE(gif);
                ExpectPixels(gif->Frame(1).Image, image, palette);
            }
        }
    }
}

TEST(HtmlGifReader, LocalTableAndMissingTables)
{
    const TPalette local = {0x102030, 0x405060};
    TImage image = Pattern(4, 2, 2, 6);
    image.LocalColors = local;
    auto gif = Load(TGifWriter().Header(4, 2).Image(image).Trailer().Data());
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->Frame(1).LocalBits, 1);
    ExpectPixels(gif->Frame(1).Image, image, local);

    // Without any colour table every pixel is black; an index past a small table too.
    TImage bare = Pattern(4, 2, 4, 7);
    bare.MinCodeSize = 2;
    gif = Load(TGifWriter().Header(4, 2, {}).Image(bare).Trailer().Data());
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->BitsPerPixel(), 0);
    ExpectPixels(gif->Frame(1).Image, bare, {0, 0, 0, 0});
    gif = Load(TGifWriter().Header(4, 2, {0xFFFFFF, 0xFFFFFF}).Image(bare).Trailer().Data());
    ASSERT_TRUE(gif);
    ExpectPixels(gif->Frame(1).Image, bare, {0xFFFFFF, 0xFFFFFF, 0, 0});
}

TEST(HtmlGifReader, ControlExtensionGivesDisposalDelayAndTransparency)
{
    const uint8_t expected[8] = {0, 1, 2, 3, 2, 2, 2, 2};
    for (int disposal = 0; disposal < 8; ++disposal) {
        SCOPED_TRACE(disposal);
        TGifWriter writer;
        writer.Header(2, 2).Control(disposal, 7, 1).Image(Solid(0, 0, 2, 2, 0));
        writer.Image(Solid(0, 0, 2, 2, 1)).Trailer();
        auto gif = Load(writer.Data());
        ASSERT_TRUE(gif);
        EXPECT_EQ(gif->Frame(1).Disposal, expected[disposal]);
        EXPECT_EQ(gif->Frame(1).Delay, 70);
        EXPECT_TRUE(gif->Frame(1).Transparent);
        // The control data applies to the next image only.
        EXPECT_EQ(gif->Frame(2).Disposal, 0);
        EXPECT_EQ(gif->Frame(2).Delay, 0);
        EXPECT_FALSE(gif->Frame(2).Transparent);
    }
}

TEST(HtmlGifReader, AnimationBlocksAndFrameCount)
{
    TGifWriter writer;
    writer.Header(3, 3).Comment("made by a test").Loop(0);
    for (uint8_t i = 0; i < 3; ++i)
        writer.Control(1, 10).Image(Solid(0, 0, 3, 3, i));
    bool still = true;
    auto gif = CreateGIFFromStream(writer.Trailer().Data(), still);
    ASSERT_TRUE(gif);
    EXPECT_FALSE(still);
    EXPECT_TRUE(gif->Animated());
    EXPECT_EQ(gif->FrameCount(), 3);
    EXPECT_EQ(gif->LoopCount(), 0);
    EXPECT_FALSE(gif->Visible());
    EXPECT_FALSE(gif->Animate());

    TGifWriter many;
    many.Header(1, 1);
    for (int i = 0; i < 300; ++i)
        many.Image(Solid(0, 0, 1, 1, 1));
    gif = Load(many.Trailer().Data());
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->FrameCount(), TGIFImage::MaxFrames);
}

TEST(HtmlGifReader, PictureCoversFramesOutsideTheScreen)
{
    TGifWriter writer;
    writer.Header(4, 4).Image(Solid(0, 0, 4, 4, 1)).Image(Solid(3, 5, 6, 2, 2)).Trailer();
    auto gif = Load(writer.Data());
    ASSERT_TRUE(gif);
    EXPECT_EQ(gif->Width(), 9);
    EXPECT_EQ(gif->Height(), 7);
    EXPECT_EQ(gif->Composite().Width(), 9);
    // The still picture is picture-sized with frame 1 in place.
    ASSERT_TRUE(gif->Bitmap());
    EXPECT_EQ(gif->Bitmap()->Width(), 9);
    EXPECT_EQ(gif->Bitmap()->Pixel(3, 3), platform::clRed);
    EXPECT_EQ(gif->Bitmap()->Pixel(8, 6), platform::clBlack);
}

TEST(HtmlGifReader, StillFrameAwayFromTheCornerKeepsItsPlace)
{
    const std::string data = TGifWriter().Header(6, 5).Control(0, 0, 3).Image(Solid(2, 1, 3, 2, 1)).Trailer().Data();
    bool still = false;
    auto gif = CreateGIFFromStream(data, still);
    ASSERT_TRUE(gif && gif->Bitmap() && gif->Mask());
    EXPECT_TRUE(still);
    EXPECT_EQ(gif->Bitmap()->Width(), 6);
    EXPECT_EQ(gif->Bitmap()->Height(), 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 6; ++x) {
            const bool inFrame = x >= 2 && x < 5 && y >= 1 && y < 3;
            EXPECT_EQ(gif->Bitmap()->Pixel(x, y), inFrame ? platform::clRed : platform::clBlack);
            EXPECT_EQ(gif->Mask()->Pixel(x, y), inFrame ? platform::clBlack : platform::clWhite);
        }
}

TEST(HtmlGifReader, InformationLoadReadsNoPixels)
{
    TGifWriter writer;
    writer.Header(2, 2).Loop(3).Control(2, 5).Image(Solid(0, 0, 2, 2, 1)).Image(Solid(0, 0, 2, 2, 2));
    TGIFImage gif;
    ASSERT_TRUE(gif.LoadInfoFromStream(writer.Trailer().Data()));
    EXPECT_TRUE(gif.InfoOnly());
    EXPECT_EQ(gif.FrameCount(), 2);
    EXPECT_EQ(gif.LoopCount(), 3);
    EXPECT_EQ(gif.Frame(1).Delay, 50);
    EXPECT_TRUE(gif.Frame(1).Image.Empty());
    EXPECT_EQ(gif.Bitmap(), nullptr);

    // Without any image only the information load succeeds.
    const std::string noImage = TGifWriter().Header(2, 2).Trailer().Data();
    EXPECT_TRUE(gif.LoadInfoFromStream(noImage));
    EXPECT_EQ(gif.FrameCount(), 0);
    EXPECT_FALSE(gif.LoadFromStream(noImage));
    EXPECT_TRUE(gif.Empty());
}

namespace {

// A 4 x 4 image block whose data is the codes given (3 bits each) at minimum code size 2,
// or at MinCodeSize with no codes at all.
std::string ImageWithCodes(const std::vector<int>& codes, int minCodeSize = 2)
{
    TBitWriter bits;
    for (const int code : codes)
        bits.Put(code, 3);
    return ",\0\0\0\0\x04\0\x04\0\0"s + static_cast<char>(minCodeSize) + SubBlocks(bits.Finish());
}

} // namespace

TEST(HtmlGifReader, DamagedDataKeepsWhatWasRead)
{
    const TImage image = Pattern(4, 4, 4, 8);
    const std::string header = TGifWriter().Header(4, 4).Data();
    const std::string good = TGifWriter().Image(image).Data();
    // The codes start after the descriptor, the code size and the first count byte; two bytes
    // of uncompressed codes hold three pixels (a clear code every two).
    const std::string cutCodes = good.substr(0, 10 + 1 + 1 + 2);
    const std::string second = TGifWriter().Image(Solid(0, 0, 4, 4, 3)).Data();
    const std::vector<uint8_t> all = image.Pixels;
    const std::vector<uint8_t> firstThree(all.begin(), all.begin() + 3);

    struct TCase {
        const char* Name;
        std::string Data;
        int Frames;
        std::vector<uint8_t> Decoded; // the rest stays colour 0
    };
    const TCase cases[] = {
        {"image data cut short", header + cutCodes, 1, firstThree},
        {"code past the table", header + ImageWithCodes({4, 1, 7, 1, 1}) + second, 2, {1}},
        {"code defined by itself", header + ImageWithCodes({4, 1, 6, 5}) + second, 2, {1, 1, 1}},
        {"first code no colour", header + ImageWithCodes({4, 6, 1, 5}) + second, 2, {}},
        {"end code at once", header + ImageWithCodes({4, 5, 1, 1}) + second, 2, {}},
        {"minimum code size 12", header + ImageWithCodes({}, 12) + second, 2, {}},
        {"minimum code size 0", header + ImageWithCodes({}, 0) + second, 2, {}},
        {"unknown extension ends the file", header + good + "\x21\x77" + second, 1, all},
        {"unknown block ends the file", header + good + "\x01" + second, 1, all},
        {"no trailer", header + good + second, 2, all},
        {"second image cut in its descriptor", header + good + second.substr(0, 6), 1, all},
        {"padding after image data", header + good + std::string(3, '\0') + second, 2, all},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        auto gif = Load(c.Data);
        ASSERT_TRUE(gif);
        EXPECT_EQ(gif->FrameCount(), c.Frames);
        const TBitmap& decoded = gif->Frame(1).Image;
        for (size_t i = 0; i < 16; ++i) {
            const uint8_t index = i < c.Decoded.size() ? c.Decoded[i] : 0;
            ASSERT_EQ(decoded.Pixel(static_cast<int>(i % 4), static_cast<int>(i / 4)), ColorOf(FourColors()[index]))
                << "pixel " << i;
        }
        if (c.Frames == 2) {
            EXPECT_EQ(gif->Frame(2).Image.Pixel(3, 3), platform::clBlue);
        }
    }
}

TEST(HtmlGifReader, MalformedInputGivesNoPicture)
{
    const std::string frame = TGifWriter().Image(Solid(0, 0, 2, 2, 1)).Data();
    const std::string header = TGifWriter().Header(2, 2).Data();
    std::string hugeFrame = TGifWriter().Image(Solid(0, 0, 1, 1, 1)).Data();
    hugeFrame.replace(5, 4, "\xFF\xFF\xFF\xFF"s); // 65535 x 65535
    std::string farFrame = TGifWriter().Image(Solid(0, 0, 1, 1, 1)).Data();
    farFrame.replace(1, 4, "\xFF\xFF\xFF\xFF"); // at (65535, 65535)

    const std::pair<const char*, std::string> cases[] = {
        {"empty", ""},
        {"not a GIF", "PNG\x0D\x0A\x1A\x0A" + frame},
        {"signature only", "GIF"},
        {"screen descriptor cut", "GIF89a\x02\x00\x02"s},
        {"global table cut", header.substr(0, 15)},
        {"no image", header + ";"},
        {"image descriptor cut", header + frame.substr(0, 7)},
        {"local table cut", header + ",\0\0\0\0\x02\0\x02\0\x87\x01\x02"s},
        {"frame of 4 Gi pixels", header + hugeFrame},
        {"frame far outside the screen", header + farFrame},
        {"screen of 4 Gi pixels", "GIF89a\xFF\xFF\xFF\xFF\x00\x00\x00"s + frame},
        {"zero-sized picture", "GIF89a\x00\x00\x00\x00\x00\x00\x00"s + TGifWriter().Image(Solid(0, 0, 0, 0, 0)).Data()},
    };
    for (const auto& [name, data] : cases) {
        SCOPED_TRACE(name);
        bool still = false;
        EXPECT_EQ(CreateGIFFromStream(data, still), nullptr);
        TGIFImage gif;
        EXPECT_FALSE(gif.LoadFromStream(data));
        EXPECT_TRUE(gif.Empty());
    }
}

TEST(HtmlGifReader, FullLoadFailureIsReported)
{
    int failures = 0;
    bool still = false;
    EXPECT_EQ(CreateGIFFromStream(TGifWriter().Header(2, 2).Trailer().Data(), still, [&] { ++failures; }), nullptr);
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(CreateGIFFromStream("no picture", still, [&] { ++failures; }), nullptr);
    EXPECT_EQ(failures, 1);
}

TEST(HtmlGifReader, TotalPixelsAreCapped)
{
    // 3 frames of 4096 x 4096 (16 Mi pixels each) take more than the total allows: the third
    // ends the file.
    TGifWriter writer;
    writer.Header(4096, 4096);
    for (int i = 0; i < 3; ++i)
        writer.Raw(",\0\0\0\0\0\x10\0\x10\0\x02\x02\x01\x05\0"s);
    TGIFImage gif;
    ASSERT_TRUE(gif.LoadInfoFromStream(writer.Trailer().Data()));
    EXPECT_EQ(gif.FrameCount(), 2);
}

TEST(HtmlGifReader, ProjectPictures)
{
    // The generator's pictures: stills with a transparent background, animations looping
    // without end.
    const std::filesystem::path data =
        BundledDataFolder();
    struct TCase {
        std::filesystem::path Path;
        int Width, Height, Frames, LoopCount, Delay;
    };
    const TCase cases[] = {
        {data / "Aide" / "info.gif", 32, 32, 1, 1, 0},
        {data / "Dictionnaires" / "img" / "drapeau.gif", 72, 56, 1, 1, 0},
        {data / "Dictionnaires" / "img" / "triangle.gif", 100, 84, 1, 1, 0},
        {data / "Dictionnaires" / "img" / "horloge.gif", 84, 84, 12, 0, 400},
        {data / "Dictionnaires" / "img" / "papillon.gif", 96, 76, 8, 0, 90},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Path.string());
        bool still = false;
        auto gif = CreateGIFFromFile(c.Path.string(), still);
        ASSERT_TRUE(gif);
        EXPECT_EQ(gif->Width(), c.Width);
        EXPECT_EQ(gif->Height(), c.Height);
        EXPECT_EQ(gif->FrameCount(), c.Frames);
        EXPECT_EQ(gif->LoopCount(), c.LoopCount);
        EXPECT_EQ(still, c.Frames == 1);
        for (int n = 1; n <= gif->FrameCount(); ++n)
            EXPECT_EQ(gif->Frame(n).Delay, c.Delay) << "frame " << n;
        ASSERT_TRUE(gif->Bitmap());
        EXPECT_EQ(gif->Bitmap()->Width(), c.Width);
        if (c.Frames == 1) {
            ASSERT_TRUE(gif->Mask());
            EXPECT_TRUE(gif->Mask()->IsTransparentAt(0, 0)) << "corner shows the page";
            EXPECT_FALSE(gif->Mask()->IsTransparentAt(c.Width / 2, c.Height / 2));
        }
    }
    bool still = false;
    EXPECT_EQ(CreateGIFFromFile((data / "no such picture.gif").string(), still), nullptr);
}

TEST(HtmlGifReader, LoadsAFileWholeOrItsInfoOnly)
{
    const std::filesystem::path pictures = BundledDataFolder() / "Dictionnaires" / "img";
    const std::string animation = (pictures / "horloge.gif").string();
    TGIFImage whole;
    ASSERT_TRUE(whole.LoadFromFile(animation));
    EXPECT_EQ(whole.Width(), 84);
    EXPECT_EQ(whole.Height(), 84);
    EXPECT_EQ(whole.FrameCount(), 12);
    ASSERT_TRUE(whole.Bitmap());

    TGIFImage info;
    ASSERT_TRUE(info.LoadInfoFromFile(animation));
    EXPECT_EQ(info.Width(), 84);
    EXPECT_EQ(info.Height(), 84);

    const std::string missing = (pictures / "no such picture.gif").string();
    EXPECT_FALSE(whole.LoadFromFile(missing));
    EXPECT_FALSE(info.LoadInfoFromFile(missing));
    EXPECT_EQ(whole.FrameCount(), 0) << "a failed load leaves no frames behind";
}
