// Theme and language files as the game's start reads them: a FIFO or a folder in a file's place
// counts as a missing file instead of stopping the start, and a damaged run-length picture never
// shows what memory held before.
#include "game/ThemeLoader.h"
#include "platform/TestFolder.h"
#include "tests/support/Deadline.h"

#include <QBuffer>
#include <QImage>
#include <QPixmap>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sys/stat.h>
#include <vector>

using namespace game;

namespace {

void PutLittleEndian(std::string& to, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        to.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

constexpr int RleSide = 32;

// A RleSide-square 8-bit run-length BMP of two colours holding Rows.
std::string RunLengthBmp(const std::string& rows)
{
    std::string file = "BM";
    const uint32_t rowsStart = 14 + 40 + 2 * 4;
    PutLittleEndian(file, rowsStart + static_cast<uint32_t>(rows.size()), 4);
    PutLittleEndian(file, 0, 4);
    PutLittleEndian(file, rowsStart, 4);
    for (const auto& [value, bytes] : std::initializer_list<std::pair<uint32_t, int>>{
             {40, 4}, {RleSide, 4}, {RleSide, 4}, {1, 2}, {8, 2}, {1, 4}, {uint32_t(rows.size()), 4},
             {2835, 4}, {2835, 4}, {2, 4}, {0, 4}, {0x00FF0000, 4}, {0x000000FF, 4}})
        PutLittleEndian(file, value, bytes);
    return file + rows;
}

// Rows of runs: colour (row % 2) across each row, each row ended.
std::string RunLengthRows(int count)
{
    std::string rows;
    for (int y = 0; y < count; ++y)
        rows += std::string{char(RleSide), char(y % 2), 0, 0};
    return rows;
}

// Leaves Pattern in freed blocks of the sizes a picture of this size takes while decoded.
void LeaveInFreedMemory(unsigned char pattern)
{
    std::vector<std::unique_ptr<unsigned char[]>> blocks;
    for (size_t size = 256; size <= 64 * RleSide * RleSide; size += size / 8) {
        blocks.push_back(std::make_unique<unsigned char[]>(size));
        std::fill_n(blocks.back().get(), size, pattern);
    }
}

QImage ReadAfter(unsigned char pattern, const std::string& path)
{
    LeaveInFreedMemory(pattern);
    return ReadPicture(path).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(ThemePictureRead, FifoOrFolderInAFilesPlaceCountsAsMissing)
{
    TTestFolder folder;
    const std::string theme = folder.Path("theme");
    ASSERT_EQ(::mkdir(theme.c_str(), 0755), 0);
    const struct {
        const char* Reader;
        const char* Name;
        std::function<bool()> Missing;
    } readers[] = {
        {"theme picture", "btnOpen.bmp", [&] { return TThemeFiles(theme, theme).ThemePicture("btnOpen.bmp").isNull(); }},
        {"language picture", "flag.bmp", [&] { return TThemeFiles(theme, theme).LanguagePicture("flag.bmp").isNull(); }},
        {"language file", "language.ini", [&] { return TThemeFiles(theme, theme).Text("Main", "Start", "d") == "d"; }},
        {"theme file", "theme.ini", [&] { return TThemeFiles(theme, theme).Color("Main", "Word", 0x123456) == QColor(0x56, 0x34, 0x12); }},
    };
    for (const auto& reader : readers) {
        const std::string path = theme + "/" + reader.Name;
        for (const char* kind : {"fifo", "folder"}) {
            SCOPED_TRACE(std::string(reader.Reader) + " as a " + kind);
            ASSERT_EQ(kind[1] == 'i' ? ::mkfifo(path.c_str(), 0644) : ::mkdir(path.c_str(), 0755), 0);
            const int result = RunWithDeadline(10, [&] { return reader.Missing() ? 0 : 1; });
            EXPECT_EQ(result, 0) << (result == PassedTheDeadline ? "blocked" : "not taken as missing");
            ASSERT_EQ(::remove(path.c_str()), 0);
        }
    }
}

TEST(ThemePictureRead, RunLengthPicturesShowOnlyWhatTheirDataHolds)
{
    TTestFolder folder;
    const struct {
        const char* Name;
        std::string Bytes;
        bool Shows;
    } cases[] = {
        {"whole", RunLengthBmp(RunLengthRows(RleSide) + std::string("\0\1", 2)), true},
        {"cut after three rows", RunLengthBmp(RunLengthRows(3)), false},
        {"cut inside a row", RunLengthBmp(RunLengthRows(3) + std::string{4, 1}), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        folder.WriteRaw("picture.bmp", c.Bytes);
        const QImage first = ReadAfter(0x5A, folder.Path("picture.bmp"));
        const QImage second = ReadAfter(0xC3, folder.Path("picture.bmp"));
        EXPECT_EQ(first, second);
        EXPECT_EQ(!first.isNull(), c.Shows);
        if (c.Shows) {
            const QImage qt = QImage::fromData(QByteArray::fromStdString(c.Bytes), "BMP");
            EXPECT_EQ(first, qt.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_ARGB32));
        }
    }
}

// A 32-bit BMP of a 108-byte header whose masks take alpha from the top byte, holding Picture.
std::string AlphaBmp(const QImage& picture)
{
    std::string file = "BM";
    const uint32_t rowsStart = 14 + 108;
    const auto rowsSize = static_cast<uint32_t>(4 * picture.width() * picture.height());
    PutLittleEndian(file, rowsStart + rowsSize, 4);
    PutLittleEndian(file, 0, 4);
    PutLittleEndian(file, rowsStart, 4);
    for (const auto& [value, bytes] : std::initializer_list<std::pair<uint32_t, int>>{
             {108, 4}, {uint32_t(picture.width()), 4}, {uint32_t(picture.height()), 4}, {1, 2}, {32, 2}, {3, 4},
             {rowsSize, 4}, {2835, 4}, {2835, 4}, {0, 4}, {0, 4},
             {0x00FF0000, 4}, {0x0000FF00, 4}, {0x000000FF, 4}, {0xFF000000, 4}})
        PutLittleEndian(file, value, bytes);
    file.resize(rowsStart, '\0');
    for (int y = picture.height() - 1; y >= 0; --y)
        for (int x = 0; x < picture.width(); ++x)
            PutLittleEndian(file, picture.pixel(x, y), 4);
    return file;
}

// Pictures of other kinds than the quick path's come out as Qt's readers give them, alpha kept.
TEST(ThemePictureRead, OtherKindsGiveWhatQtsReadersGive)
{
    TTestFolder folder;
    QImage picture(9, 7, QImage::Format_ARGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgba(x * 28, y * 36, 200, x == y ? 0 : 255));
    QByteArray png;
    QBuffer buffer(&png);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
    ASSERT_TRUE(picture.save(&buffer, "PNG"));
    for (const auto& [format, bytes] : {std::pair{"PNG", png.toStdString()}, std::pair{"BMP", AlphaBmp(picture)}}) {
        SCOPED_TRACE(format);
        folder.WriteRaw("picture", bytes);
        const QImage expected = QPixmap::fromImage(QImage::fromData(QByteArray::fromStdString(bytes))).toImage();
        ASSERT_TRUE(expected.hasAlphaChannel());
        EXPECT_EQ(ReadPicture(folder.Path("picture")).toImage(), expected);
    }
}
