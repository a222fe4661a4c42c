// Picture loading: BMP and JPEG written here by Qt, and BMP files of every common kind written
// field by field, decode to the right size and pixels; bad, cut, huge and unknown data give no
// picture and never crash.
#include "common/BundledData.h"
#include "htmlview/HtmlGif.h"
#include "htmlview/HtmlImageLoad.h"
#include "htmlview/HtmlJpeg.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

using namespace htmlview;
using platform::TBitmap;

namespace {

// 40 x 30: the left half red, the right half blue, the lower-left 4 x 4 corner green.
QImage TestPicture()
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    for (int y = 0; y < 30; ++y)
        for (int x = 20; x < 40; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    for (int y = 26; y < 30; ++y)
        for (int x = 0; x < 4; ++x)
            image.setPixel(x, y, qRgb(0, 255, 0));
    return image;
}

std::string Encode(const QImage& image, const char* format, int quality = 95)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format, quality));
    return bytes.toStdString();
}

bool Near(platform::TColor color, int r, int g, int b)
{
    return std::abs(platform::GetRValue(color) - r) < 24 && std::abs(platform::GetGValue(color) - g) < 24 &&
           std::abs(platform::GetBValue(color) - b) < 24;
}

// A copy of a JPEG whose frame header claims Width x Height.
std::string WithJpegSize(std::string jpeg, int width, int height)
{
    for (size_t i = 2; i + 9 < jpeg.size(); ++i) {
        const auto marker = static_cast<unsigned char>(jpeg[i + 1]);
        if (static_cast<unsigned char>(jpeg[i]) == 0xFF && (marker == 0xC0 || marker == 0xC2)) {
            jpeg[i + 5] = static_cast<char>(height >> 8);
            jpeg[i + 6] = static_cast<char>(height & 0xFF);
            jpeg[i + 7] = static_cast<char>(width >> 8);
            jpeg[i + 8] = static_cast<char>(width & 0xFF);
            return jpeg;
        }
    }
    ADD_FAILURE() << "no frame header";
    return jpeg;
}

// A copy of a BMP whose header claims Width x Height.
std::string WithBmpSize(std::string bmp, int32_t width, int32_t height)
{
    for (int i = 0; i < 4; ++i) {
        bmp[18 + i] = static_cast<char>((width >> (8 * i)) & 0xFF);
        bmp[22 + i] = static_cast<char>((height >> (8 * i)) & 0xFF);
    }
    return bmp;
}

// A copy of a BMP whose second header claims Size bytes.
std::string WithHeaderSize(std::string bmp, uint8_t size)
{
    bmp[14] = static_cast<char>(size);
    return bmp;
}

// A 54-byte BMP: a 40-byte header claiming 32768 bits per pixel and 2^30 x -2^31 pixels, so
// that its rows need 2^73 bytes (exactly 0 when multiplied in 64 bits), and no rows.
std::string BmpRowSizeOverflow()
{
    return std::string("BM\x36\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0"
                       "\0\0\0\x40\0\0\0\x80\x01\0\0\x80\0\0\0\0",
                       34) +
           std::string(20, '\0');
}

void PutLittleEndian(std::string& to, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        to.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// The BMP kinds tools write, each holding the same 6 x 4 picture of four colours.
enum class TBmpKind { BottomUp24, TopDown24, Rle8, Rle4, Os2Core8, Bitfields565 };

constexpr int BmpWidth = 6;
constexpr int BmpHeight = 4;
constexpr QRgb BmpColours[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF};

// Pairs of equal pixels, shifted one colour each row, so a flip or a shift shows.
int BmpColourIndex(int x, int y) { return (x / 2 + y) % 4; }

struct TBmpShape {
    uint32_t HeaderSize = 40;
    uint16_t Bits = 24;
    uint32_t Compression = 0;
    bool TopDown = false;
    uint32_t RowsOffset = 0; // 0: the rows follow the headers
};

TBmpShape ShapeOf(TBmpKind kind)
{
    switch (kind) {
    case TBmpKind::BottomUp24: return {};
    case TBmpKind::TopDown24: return {40, 24, 0, true};
    case TBmpKind::Rle8: return {40, 8, 1, false};
    case TBmpKind::Rle4: return {40, 4, 2, false};
    case TBmpKind::Os2Core8: return {12, 8, 0, false};
    case TBmpKind::Bitfields565: return {40, 16, 3, false};
    }
    return {};
}

// One row of run-length data: even rows as runs of two pixels, odd rows in absolute mode, both
// ended by an end of line.
std::string RleRow(const TBmpShape& shape, int y)
{
    const bool fourBits = shape.Compression == 2;
    std::string row;
    if (y % 2 == 0) {
        for (int x = 0; x < BmpWidth; x += 2) {
            const int index = BmpColourIndex(x, y);
            row.push_back(2);
            row.push_back(static_cast<char>(fourBits ? index * 0x11 : index));
        }
    } else {
        row.push_back(0);
        row.push_back(static_cast<char>(BmpWidth));
        std::string pixels;
        for (int x = 0; x < BmpWidth; x += fourBits ? 2 : 1)
            pixels.push_back(static_cast<char>(fourBits ? BmpColourIndex(x, y) << 4 | BmpColourIndex(x + 1, y)
                                                        : BmpColourIndex(x, y)));
        if (pixels.size() % 2 != 0)
            pixels.push_back(0);
        row += pixels;
    }
    row += std::string("\0\0", 2);
    return row;
}

// One uncompressed row, padded to four bytes.
std::string PlainRow(const TBmpShape& shape, int y)
{
    std::string row;
    for (int x = 0; x < BmpWidth; ++x) {
        const QRgb colour = BmpColours[BmpColourIndex(x, y)];
        if (shape.Bits == 24)
            PutLittleEndian(row, colour, 3);
        else if (shape.Bits == 16)
            PutLittleEndian(row, (qRed(colour) >> 3) << 11 | (qGreen(colour) >> 2) << 5 | qBlue(colour) >> 3, 2);
        else
            row.push_back(static_cast<char>(BmpColourIndex(x, y)));
    }
    row.resize((row.size() + 3) / 4 * 4, '\0');
    return row;
}

std::string BmpRows(const TBmpShape& shape)
{
    const bool rle = shape.Compression == 1 || shape.Compression == 2;
    std::string rows;
    for (int i = 0; i < BmpHeight; ++i) {
        const int y = shape.TopDown ? i : BmpHeight - 1 - i;
        rows += rle ? RleRow(shape, y) : PlainRow(shape, y);
    }
    if (rle)
        rows += std::string("\0\1", 2); // end of picture
    return rows;
}

// A whole BMP file written field by field, holding Rows.
std::string BmpFile(const TBmpShape& shape, const std::string& rows)
{
    const bool core = shape.HeaderSize == 12;
    std::string header;
    PutLittleEndian(header, shape.HeaderSize, 4);
    PutLittleEndian(header, BmpWidth, core ? 2 : 4);
    PutLittleEndian(header, static_cast<uint32_t>(shape.TopDown ? -BmpHeight : BmpHeight), core ? 2 : 4);
    PutLittleEndian(header, 1, 2); // planes
    PutLittleEndian(header, shape.Bits, 2);
    const bool palette = shape.Bits <= 8;
    if (!core) {
        PutLittleEndian(header, shape.Compression, 4);
        PutLittleEndian(header, static_cast<uint32_t>(rows.size()), 4);
        PutLittleEndian(header, 2835, 4); // 72 dots per inch
        PutLittleEndian(header, 2835, 4);
        PutLittleEndian(header, palette ? 4 : 0, 4); // colours used
        PutLittleEndian(header, 0, 4);
        if (shape.Compression == 3)
            for (const uint32_t mask : {0xF800u, 0x07E0u, 0x001Fu})
                PutLittleEndian(header, mask, 4);
    }
    if (palette) {
        // A core header has no colour count: its table has every entry, of three bytes.
        const int entries = core ? 1 << shape.Bits : 4;
        for (int i = 0; i < entries; ++i)
            PutLittleEndian(header, i < 4 ? BmpColours[i] : 0, core ? 3 : 4);
    }
    std::string file = "BM";
    const auto rowsStart = static_cast<uint32_t>(14 + header.size());
    PutLittleEndian(file, rowsStart + static_cast<uint32_t>(rows.size()), 4);
    PutLittleEndian(file, 0, 4);
    PutLittleEndian(file, shape.RowsOffset != 0 ? shape.RowsOffset : rowsStart, 4);
    return file + header + rows;
}

std::string BmpFile(const TBmpShape& shape) { return BmpFile(shape, BmpRows(shape)); }

class PictureLoadTest : public ::testing::Test {
protected:
    QTemporaryDir Folder;

    std::string Write(const std::string& name, const std::string& bytes)
    {
        const QString path = QDir(Folder.path()).filePath(QString::fromStdString(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path.toStdString();
    }
};

} // namespace

TEST(PictureKindTest, ComesFromTheFirstBytes)
{
    const struct {
        std::string Bytes;
        TPictureKind Kind;
    } cases[] = {
        {"GIF89a....", pkGif89a},   {"GIF87a....", pkGif87a}, {"GIF8", pkGif87a},
        {"BM\x36\x00", pkBmp},      {"\x89PNG\r\n", pkPng},    {"\xFF\xD8\xFF\xE0", pkJpeg},
        {"\xFF\xD9", pkUnknown},    {"", pkUnknown},           {"<html>", pkUnknown},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PictureKind(c.Bytes), c.Kind) << c.Bytes;
}

TEST_F(PictureLoadTest, BmpAndJpegDecodeWithTheirSizeAndPixels)
{
    for (const char* format : {"BMP", "JPG"}) {
        SCOPED_TRACE(format);
        // The kind comes from the content: the extension says nothing.
        const std::unique_ptr<TBitmap> bitmap = LoadPictureFile(Write(std::string("picture.dat.") + format,
                                                                      Encode(TestPicture(), format)));
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(bitmap->Width(), 40);
        EXPECT_EQ(bitmap->Height(), 30);
        EXPECT_TRUE(Near(bitmap->Pixel(8, 8), 255, 0, 0));
        EXPECT_TRUE(Near(bitmap->Pixel(32, 8), 0, 0, 255));
        EXPECT_TRUE(Near(bitmap->Pixel(0, 29), 0, 255, 0));
    }
}

TEST_F(PictureLoadTest, EveryCommonBmpKindShowsItsPixelsTheRightWayUp)
{
    const struct {
        const char* Name;
        TBmpKind Kind;
    } cases[] = {
        {"bottom-up", TBmpKind::BottomUp24}, {"top-down", TBmpKind::TopDown24},
        {"RLE8", TBmpKind::Rle8},            {"RLE4", TBmpKind::Rle4},
        {"OS/2", TBmpKind::Os2Core8},        {"BITFIELDS", TBmpKind::Bitfields565},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::unique_ptr<TBitmap> bitmap = LoadPictureFile(Write("kind.bmp", BmpFile(ShapeOf(c.Kind))));
        ASSERT_TRUE(bitmap);
        ASSERT_EQ(bitmap->Width(), BmpWidth);
        ASSERT_EQ(bitmap->Height(), BmpHeight);
        for (int y = 0; y < BmpHeight; ++y)
            for (int x = 0; x < BmpWidth; ++x) {
                const QRgb colour = BmpColours[BmpColourIndex(x, y)];
                EXPECT_TRUE(Near(bitmap->Pixel(x, y), qRed(colour), qGreen(colour), qBlue(colour)))
                    << "pixel " << x << "," << y;
            }
    }
}

TEST_F(PictureLoadTest, GreyJpegComesOutInColourChannels)
{
    QImage grey(16, 8, QImage::Format_Grayscale8);
    grey.fill(200);
    const std::string jpeg = Encode(grey, "JPG");
    const QImage decoded = DecodeJpeg(reinterpret_cast<const unsigned char*>(jpeg.data()), jpeg.size());
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.format(), QImage::Format_RGB888);
    EXPECT_NEAR(qGreen(decoded.pixel(3, 3)), 200, 4);
}

TEST_F(PictureLoadTest, BadDataGivesNoPicture)
{
    const std::string jpeg = Encode(TestPicture(), "JPG");
    const std::string bmp = Encode(TestPicture(), "BMP");
    const std::string topDown = BmpFile(ShapeOf(TBmpKind::TopDown24));
    const std::string os2 = BmpFile(ShapeOf(TBmpKind::Os2Core8));
    std::string corruptJpeg = jpeg;
    for (size_t i = corruptJpeg.size() / 3; i < corruptJpeg.size() - 2; ++i)
        corruptJpeg[i] = static_cast<char>(0xFF);
    const struct {
        const char* Name;
        std::string Bytes;
    } cases[] = {
        {"jpeg cut after its header", jpeg.substr(0, jpeg.size() / 2)},
        {"jpeg of markers only", corruptJpeg},
        {"jpeg claiming 60000 x 60000", WithJpegSize(jpeg, 60000, 60000)},
        {"jpeg claiming 0 rows", WithJpegSize(jpeg, 40, 0)},
        {"jpeg start only", std::string("\xFF\xD8", 2)},
        {"bmp cut in its header", bmp.substr(0, 30)},
        {"bmp cut in its rows", bmp.substr(0, bmp.size() - 1)},
        {"bmp claiming 100000 x 100000", WithBmpSize(bmp, 100000, 100000)},
        {"bmp claiming 0 columns", WithBmpSize(bmp, 0, 30)},
        {"bmp whose rows need more than 2^64 bytes", BmpRowSizeOverflow()},
        {"top-down bmp cut in its rows", topDown.substr(0, topDown.size() - 1)},
        {"top-down bmp claiming 2^31 rows", WithBmpSize(topDown, 6, INT32_MIN)},
        {"top-down RLE8 bmp", BmpFile({40, 8, 1, true})},
        {"top-down RLE4 bmp", BmpFile({40, 4, 2, true})},
        {"OS/2 bmp cut in its rows", os2.substr(0, os2.size() - 1)},
        {"bmp of a header size no bmp has", WithHeaderSize(bmp, 20)},
        {"png", Encode(TestPicture(), "PNG")},
        {"text", "just some words, no picture at all"},
        {"empty", ""},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(DecodePicture(c.Bytes)) << c.Name;
        EXPECT_FALSE(LoadPictureFile(Write("bad.jpg", c.Bytes))) << c.Name;
        uint8_t transparency = LowerLeftTransparent;
        std::unique_ptr<TBitmap> mask;
        EXPECT_FALSE(LoadPictureStream(&c.Bytes, transparency, mask)) << c.Name;
        EXPECT_FALSE(mask) << c.Name;
    }
    EXPECT_FALSE(LoadPictureFile(Folder.path().toStdString() + "/missing/none.bmp"));
}

TEST_F(PictureLoadTest, StreamsBelowTwentyBytesGiveNoPicture)
{
    const std::string bmp = Encode(QImage(1, 1, QImage::Format_RGB32), "BMP");
    ASSERT_GE(bmp.size(), 20u);
    uint8_t transparency = NoTransparency;
    std::unique_ptr<TBitmap> mask;
    EXPECT_TRUE(LoadPictureStream(&bmp, transparency, mask));
    const std::string short19 = bmp.substr(0, 19);
    EXPECT_FALSE(LoadPictureStream(&short19, transparency, mask));
    EXPECT_FALSE(LoadPictureStream(nullptr, transparency, mask));
}

TEST_F(PictureLoadTest, TranspMasksTheLowerLeftColour)
{
    const std::string bmp = Encode(TestPicture(), "BMP");
    const std::string path = Write("corner.bmp", bmp);
    uint8_t transparency = LowerLeftTransparent;
    std::unique_ptr<TBitmap> mask;
    ASSERT_TRUE(LoadPictureFileMasked(path, transparency, mask));
    ASSERT_TRUE(mask);
    EXPECT_TRUE(mask->IsTransparentAt(0, 29));
    EXPECT_TRUE(mask->IsTransparentAt(3, 26));
    EXPECT_FALSE(mask->IsTransparentAt(4, 26));
    EXPECT_FALSE(mask->IsTransparentAt(30, 5));

    // From a stream a BMP takes TRANSP, a JPEG does not.
    mask.reset();
    EXPECT_TRUE(LoadPictureStream(&bmp, transparency, mask));
    EXPECT_TRUE(mask);
    const std::string jpeg = Encode(TestPicture(), "JPG");
    EXPECT_TRUE(LoadPictureStream(&jpeg, transparency, mask));
    EXPECT_FALSE(mask);
    EXPECT_EQ(transparency, NoTransparency);

    transparency = NoTransparency;
    EXPECT_TRUE(LoadPictureFileMasked(path, transparency, mask));
    EXPECT_FALSE(mask);
}

TEST(BundledPicturesTest, AllLoad)
{
    const QDir folder(QString::fromStdString(
        (BundledDataFolder() / "Dictionnaires/img").string()));
    const QStringList names = folder.entryList(QDir::Files);
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        const std::string path = folder.filePath(name).toStdString();
        SCOPED_TRACE(path);
        if (name.endsWith(".gif", Qt::CaseInsensitive)) {
            bool still = false;
            const std::unique_ptr<TGIFImage> gif = CreateGIFFromFile(path, still);
            ASSERT_TRUE(gif);
            EXPECT_GT(gif->Width(), 0);
            EXPECT_GT(gif->Height(), 0);
        } else {
            const std::unique_ptr<TBitmap> bitmap = LoadPictureFile(path);
            ASSERT_TRUE(bitmap);
            EXPECT_GT(bitmap->Width(), 0);
            EXPECT_GT(bitmap->Height(), 0);
        }
    }
}

TEST(PictureMutationTest, DamagedFilesDecodeSafely)
{
    // Run under the sanitizers this finds reads past the data and overflowing sizes.
    std::mt19937 random(20261210);
    std::vector<std::pair<std::string, std::string>> samples = {{"BMP", Encode(TestPicture(), "BMP")},
                                                                {"JPG", Encode(TestPicture(), "JPG")}};
    for (const TBmpKind kind : {TBmpKind::TopDown24, TBmpKind::Rle8, TBmpKind::Rle4, TBmpKind::Os2Core8,
                                TBmpKind::Bitfields565})
        samples.emplace_back("BMP kind " + std::to_string(static_cast<int>(kind)), BmpFile(ShapeOf(kind)));
    for (const auto& [format, sample] : samples) {
        for (int round = 0; round < 1500; ++round) {
            std::string data = sample;
            const int flips = 1 + static_cast<int>(random() % 4);
            for (int i = 0; i < flips; ++i)
                data[random() % data.size()] ^= static_cast<char>(1 << (random() % 8));
            if (round % 3 == 0)
                data.resize(random() % data.size());
            const std::unique_ptr<TBitmap> bitmap = DecodePicture(data);
            if (!bitmap)
                continue;
            ASSERT_GT(bitmap->Width(), 0) << format << " " << round;
            ASSERT_GT(bitmap->Height(), 0) << format << " " << round;
            ASSERT_LE(int64_t{bitmap->Width()} * bitmap->Height(), MaxPicturePixels) << format << " " << round;
        }
    }
}

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (const int value : values)
        bytes.push_back(static_cast<char>(value));
    return bytes;
}

const std::string EndOfRow = Bytes({0, 0});
const std::string EndOfPicture = Bytes({0, 1});

// The rows of Shape's picture from the bottom up to (not including) row Y from the top.
std::string RowsUpTo(const TBmpShape& shape, int y)
{
    std::string rows;
    for (int row = BmpHeight - 1; row > y; --row)
        rows += shape.Compression == 0 ? PlainRow(shape, row) : RleRow(shape, row);
    return rows;
}

TBmpShape WithRowsOffset(TBmpShape shape, uint32_t offset)
{
    shape.RowsOffset = offset;
    return shape;
}

// Leaves Pattern in freed memory of every size a small picture takes, as a picture shown before
// leaves its pixels.
void LeaveInFreedMemory(unsigned char pattern)
{
    std::vector<std::unique_ptr<unsigned char[]>> blocks;
    for (size_t size = 8; size <= (size_t{1} << 17); size += size < 2048 ? 8 : size / 8) {
        blocks.push_back(std::make_unique<unsigned char[]>(size));
        std::fill_n(blocks.back().get(), size, pattern);
    }
    for (const QImage::Format format : {QImage::Format_Indexed8, QImage::Format_RGB32, QImage::Format_RGB888}) {
        QImage previous(BmpWidth, BmpHeight, format);
        previous.fill(pattern);
    }
}

QImage DecodedAfter(unsigned char pattern, const std::string& bytes)
{
    LeaveInFreedMemory(pattern);
    const std::unique_ptr<TBitmap> bitmap = DecodePicture(bytes);
    return bitmap ? bitmap->Image() : QImage();
}

} // namespace

TEST(PictureMemoryTest, EachFileGivesTheSamePixelsWhateverMemoryHeldBefore)
{
    const TBmpShape rle8 = ShapeOf(TBmpKind::Rle8);
    const TBmpShape rle4 = ShapeOf(TBmpKind::Rle4);
    const TBmpShape plain = ShapeOf(TBmpKind::BottomUp24);
    const TBmpShape os2 = ShapeOf(TBmpKind::Os2Core8);
    const TBmpShape bitfields = ShapeOf(TBmpKind::Bitfields565);
    const std::string allRle8 = BmpRows(rle8);
    const struct {
        const char* Name;
        std::string Bytes;
        bool Shows;
    } cases[] = {
        {"RLE8 cut after its first row", BmpFile(rle8, RowsUpTo(rle8, 2)), false},
        {"RLE8 cut inside a row", BmpFile(rle8, RowsUpTo(rle8, 2) + Bytes({2, 1})), false},
        {"RLE4 cut in the middle of pixels given one by one", BmpFile(rle4, RowsUpTo(rle4, 3) + Bytes({0, 6, 0x12})),
         false},
        {"RLE8 cut inside a move", BmpFile(rle8, RowsUpTo(rle8, 1) + Bytes({0, 2, 1})), false},
        {"RLE8 ended early", BmpFile(rle8, RowsUpTo(rle8, 2) + EndOfPicture), true},
        {"RLE8 moving over pixels", BmpFile(rle8, Bytes({2, 1, 0, 2, 3, 1, 1, 2}) + EndOfRow + EndOfPicture), true},
        {"RLE4 rows ended early", BmpFile(rle4, Bytes({3, 0x12}) + EndOfRow + Bytes({1, 0x30}) + EndOfPicture), true},
        {"RLE8 runs longer than a row", BmpFile(rle8, Bytes({9, 1, 0, 8, 1, 2, 3, 0, 1, 2, 3, 0}) + EndOfRow + EndOfPicture), true},
        {"RLE8 without its end of picture", BmpFile(rle8, allRle8.substr(0, allRle8.size() - 2)), true},
        {"RLE8 rows offset inside its palette", BmpFile(WithRowsOffset(rle8, 60), allRle8), true},
        {"rows offset inside the header, a row short", BmpFile(WithRowsOffset(plain, 20), RowsUpTo(plain, 0)), false},
        {"rows offset inside the header", BmpFile(WithRowsOffset(plain, 20), BmpRows(plain)), true},
        {"OS/2 rows offset inside the palette, a row short", BmpFile(WithRowsOffset(os2, 100), RowsUpTo(os2, 0)),
         false},
        {"BITFIELDS rows offset on its masks, a row short",
         BmpFile(WithRowsOffset(bitfields, 54), RowsUpTo(bitfields, 0)), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const QImage first = DecodedAfter(0x5A, c.Bytes);
        const QImage second = DecodedAfter(0xC3, c.Bytes);
        EXPECT_EQ(!first.isNull(), c.Shows);
        EXPECT_EQ(first, second);
    }
}

TEST(PictureMemoryTest, RunLengthPixelsTheDataPassesOverAreBlack)
{
    // Bottom row: two pixels of colour 1, a move of three to the right and one row up, to the
    // last column, one pixel of colour 2; then the row ends and the picture ends two rows below the top.
    const std::string bytes = BmpFile(ShapeOf(TBmpKind::Rle8), Bytes({2, 1, 0, 2, 3, 1, 1, 2}) + EndOfRow +
                                                                   Bytes({6, 3}) + EndOfRow + EndOfPicture);
    const std::unique_ptr<TBitmap> bitmap = DecodePicture(bytes);
    ASSERT_TRUE(bitmap);
    const auto colour = [](int index) {
        const QRgb rgb = BmpColours[index];
        return platform::RGB(qRed(rgb), qGreen(rgb), qBlue(rgb));
    };
    const struct {
        int X, Y;
        platform::TColor Colour;
    } pixels[] = {
        {0, 3, colour(1)}, {1, 3, colour(1)}, {2, 3, platform::clBlack}, {5, 3, platform::clBlack},
        {5, 2, colour(2)}, {0, 2, platform::clBlack}, {4, 2, platform::clBlack}, {0, 1, colour(3)},
        {5, 1, colour(3)}, {0, 0, platform::clBlack}, {5, 0, platform::clBlack},
    };
    for (const auto& p : pixels)
        EXPECT_EQ(bitmap->Pixel(p.X, p.Y), p.Colour) << p.X << "," << p.Y;
}

TEST(PictureMemoryTest, RunLengthFilesThatCoverEveryPixelGiveWhatQtsReaderGives)
{
    const TBmpShape rle8 = ShapeOf(TBmpKind::Rle8);
    const TBmpShape rle4 = ShapeOf(TBmpKind::Rle4);
    std::string oddRle4;
    for (int y = 0; y < BmpHeight; ++y)
        oddRle4 += Bytes({0, 3, 0x12, 0x30, 3, 0x21}) + EndOfRow;
    const struct {
        const char* Name;
        std::string Bytes;
    } cases[] = {
        {"RLE8", BmpFile(rle8)},
        {"RLE4", BmpFile(rle4)},
        {"RLE4 of odd counts", BmpFile(rle4, oddRle4 + EndOfPicture)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const QImage qt = QImage::fromData(QByteArray::fromStdString(c.Bytes), "BMP");
        ASSERT_FALSE(qt.isNull());
        const std::unique_ptr<TBitmap> bitmap = DecodePicture(c.Bytes);
        ASSERT_TRUE(bitmap);
        const QImage expected = TBitmap(qt).Image();
        for (int y = 0; y < BmpHeight; ++y)
            for (int x = 0; x < BmpWidth; ++x)
                EXPECT_EQ(bitmap->Image().pixel(x, y), expected.pixel(x, y)) << x << "," << y;
    }
}
