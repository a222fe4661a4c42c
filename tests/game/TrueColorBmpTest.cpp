// The quick BMP path, from memory or read a row at a time, gives exactly what Qt's reader gives,
// and leaves every other kind of file to it.
#include "game/TrueColorBmp.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QColor>
#include <QImage>

#include <cstdint>
#include <string>

namespace {

using game::DecodeTrueColorBmp;

QImage ReadAsFile(const std::string& bytes)
{
    QByteArray content = QByteArray::fromStdString(bytes);
    QBuffer file(&content);
    file.open(QIODevice::ReadOnly);
    return game::ReadTrueColorBmp(file);
}

// A picture whose every pixel differs, so a row or channel out of place shows.
QImage Pattern(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 37 + y) & 0xFF, (y * 53 + x * 3) & 0xFF, (x * y + 91) & 0xFF));
    return image.convertToFormat(format);
}

std::string BmpOf(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes.toStdString();
}

QImage QtReads(const std::string& bytes)
{
    return QImage::fromData(QByteArray::fromStdString(bytes), "BMP");
}

// The same rows stored first to last, as a negative height says.
std::string TopDown(const std::string& bottomUp, int height)
{
    const auto offset = static_cast<size_t>(static_cast<unsigned char>(bottomUp[10]) |
                                            static_cast<unsigned char>(bottomUp[11]) << 8);
    const size_t rowBytes = (bottomUp.size() - offset) / size_t(height);
    std::string result = bottomUp.substr(0, offset);
    for (int y = height - 1; y >= 0; --y)
        result += bottomUp.substr(offset + rowBytes * size_t(y), rowBytes);
    const int32_t negative = -height;
    for (int i = 0; i < 4; ++i)
        result[22 + i] = static_cast<char>((static_cast<uint32_t>(negative) >> (8 * i)) & 0xFF);
    return result;
}

TEST(TrueColorBmpTest, GivesWhatQtsReaderGivesWhateverTheRowPadding)
{
    const struct {
        int width;
        int height;
    } sizes[] = {{1, 1}, {2, 3}, {3, 2}, {4, 2}, {41, 25}, {800, 6}, {300, 400}};
    for (const auto& size : sizes) {
        const std::string bytes = BmpOf(Pattern(size.width, size.height));
        ASSERT_EQ(static_cast<unsigned char>(bytes[28]), 24u) << size.width; // the kind it is for
        const QImage expected = QtReads(bytes);
        const QImage decoded = DecodeTrueColorBmp(bytes);
        EXPECT_EQ(decoded.format(), expected.format()) << size.width << "x" << size.height;
        EXPECT_EQ(decoded, expected) << size.width << "x" << size.height;
        EXPECT_EQ(DecodeTrueColorBmp(TopDown(bytes, size.height)), expected) << size.width << "x" << size.height;
        EXPECT_EQ(ReadAsFile(bytes), expected) << size.width << "x" << size.height;
        EXPECT_EQ(ReadAsFile(TopDown(bytes, size.height)), expected) << size.width << "x" << size.height;
    }
}

// A copy of Bytes with the 32-bit field at Offset set to Value.
std::string WithField(std::string bytes, size_t offset, uint32_t value)
{
    for (size_t i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

TEST(TrueColorBmpTest, ARowsOffsetInsideTheHeadersCountsRowsFromTheirEnd)
{
    const std::string good = BmpOf(Pattern(5, 4));
    const std::string insideHeader = WithField(good, 10, 20);
    const QImage expected = QtReads(insideHeader);
    ASSERT_EQ(expected, QtReads(good));
    EXPECT_EQ(DecodeTrueColorBmp(insideHeader), expected);
    EXPECT_EQ(ReadAsFile(insideHeader), expected);
    // Counted from the offset the rows would all be there; from the end of the headers one is
    // missing.
    const std::string rowShort = insideHeader.substr(0, insideHeader.size() - 16);
    EXPECT_TRUE(DecodeTrueColorBmp(rowShort).isNull());
    EXPECT_TRUE(ReadAsFile(rowShort).isNull());
}

TEST(TrueColorBmpTest, LeavesOtherKindsAndIncompleteFilesToTheGeneralReader)
{
    const std::string good = BmpOf(Pattern(5, 4));
    std::string compressed = good;
    compressed[30] = 1;
    std::string zeroWidth = good;
    for (int i = 18; i < 22; ++i)
        zeroWidth[i] = 0;
    // A header of a size no Windows header has, which Qt's reader refuses.
    const std::string oddHeader = WithField(WithField(good.substr(0, 54) + std::string(58, '\0') + good.substr(54), 14, 98),
                                            10, 54 + 58);
    ASSERT_TRUE(QtReads(oddHeader).isNull());
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {{"empty", ""},
                 {"header only", good.substr(0, 54)},
                 {"a row short", good.substr(0, good.size() - 4)},
                 {"no BMP", "PK" + good.substr(2)},
                 {"compressed", compressed},
                 {"zero width", zeroWidth},
                 {"2^31 rows top first", WithField(good, 22, 0x80000000u)},
                 {"header of an odd size", oddHeader},
                 {"a row offset past the end", WithField(good, 10, 0xFFFFFFF0u)},
                 {"8 bits a pixel", BmpOf(Pattern(5, 4, QImage::Format_Indexed8))}};
    for (const auto& c : cases) {
        EXPECT_TRUE(DecodeTrueColorBmp(c.bytes).isNull()) << c.what;
        EXPECT_TRUE(ReadAsFile(c.bytes).isNull()) << c.what;
    }
}

} // namespace
