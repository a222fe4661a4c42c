#include "game/TrueColorBmp.h"

#include "platform/BmpHeader.h"

#include <QIODevice>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

namespace game {

namespace {

// The file header and the part of the info header the plain kind needs.
constexpr size_t HeadersSize = 14 + 40;
// The info headers Windows writes; files of other header sizes are left to the general reader.
bool KnownInfoHeader(uint32_t size) { return size == 40 || size == 108 || size == 124; }

// Larger pictures than this are left to the general reader, which has its own limits.
constexpr int32_t LargestSide = 16384;

struct TRowLayout {
    int32_t width = 0;
    int32_t height = 0;
    bool bottomUp = true;
    uint64_t pixelsOffset = 0;
    size_t rowBytes = 0;
};

// The rows the headers describe, when the file of FileSize bytes is of the plain kind and holds
// them all.
std::optional<TRowLayout> PlainRows(std::string_view headers, uint64_t fileSize)
{
    const std::optional<platform::TBmpHeader> header = platform::ReadBmpHeader(headers);
    if (!header || !KnownInfoHeader(header->HeaderSize) || header->Planes != 1 || header->Bits != 24 ||
        header->Compression != platform::BmpRgb)
        return std::nullopt;
    if (header->Width <= 0 || header->Width > LargestSide || header->Height == 0 || header->Height > LargestSide ||
        !platform::BmpRowsPresent(*header, fileSize))
        return std::nullopt;
    TRowLayout rows;
    rows.width = static_cast<int32_t>(header->Width);
    rows.height = static_cast<int32_t>(header->Height);
    rows.bottomUp = !header->TopDown;
    rows.pixelsOffset = header->RowsStart;
    rows.rowBytes = static_cast<size_t>(header->RowBytes());
    return rows;
}

// Converts one row of Width blue-green-red pixels to the drawn form.
void ConvertRow(const unsigned char* source, QRgb* target, int32_t width)
{
    if constexpr (std::endian::native == std::endian::little) {
        // Four bytes at a time are blue, green, red and the next pixel's blue: the alpha byte
        // masks the last. The row's last pixel is read alone, as it may end the buffer.
        int32_t x = 0;
        for (; x + 1 < width; ++x, source += 3) {
            uint32_t pixel;
            std::memcpy(&pixel, source, sizeof pixel);
            target[x] = pixel | 0xFF000000u;
        }
        if (x < width)
            target[x] = qRgb(source[2], source[1], source[0]);
    } else {
        for (int32_t x = 0; x < width; ++x, source += 3)
            target[x] = qRgb(source[2], source[1], source[0]);
    }
}

// Fills Image from the rows in file order, each given by NextRow; null when one is missing.
template <typename TNextRow>
QImage FillRows(const TRowLayout& rows, TNextRow nextRow)
{
    QImage image(rows.width, rows.height, QImage::Format_RGB32);
    if (image.isNull())
        return {};
    for (int32_t i = 0; i < rows.height; ++i) {
        const unsigned char* source = nextRow();
        if (source == nullptr)
            return {};
        ConvertRow(source, reinterpret_cast<QRgb*>(image.scanLine(rows.bottomUp ? rows.height - 1 - i : i)), rows.width);
    }
    return image;
}

// The buffer the rows are read into, kept from one picture to the next: its pages are touched
// once for all the pictures of a start.
std::vector<char>& RowsBuffer()
{
    thread_local std::vector<char> buffer;
    return buffer;
}

// How many bytes of rows one read takes at most, so that a large file is never held whole.
constexpr size_t ReadChunkBytes = 256 * 1024;

} // namespace

QImage DecodeTrueColorBmp(std::string_view data)
{
    const std::optional<TRowLayout> rows = PlainRows(data, data.size());
    if (!rows)
        return {};
    const auto* next = reinterpret_cast<const unsigned char*>(data.data() + rows->pixelsOffset);
    return FillRows(*rows, [&] {
        const unsigned char* row = next;
        next += rows->rowBytes;
        return row;
    });
}

QImage ReadTrueColorBmp(QIODevice& device)
{
    const QByteArray headers = device.read(HeadersSize);
    const auto fileSize = static_cast<uint64_t>(device.size());
    const std::optional<TRowLayout> rows = PlainRows({headers.constData(), size_t(headers.size())}, fileSize);
    if (!rows || !device.seek(static_cast<qint64>(rows->pixelsOffset)))
        return {};
    // Many rows a read: a read a row costs more than converting it.
    const size_t rowsPerRead = std::max<size_t>(1, ReadChunkBytes / rows->rowBytes);
    std::vector<char>& buffer = RowsBuffer();
    buffer.resize(std::max(buffer.size(), rowsPerRead * rows->rowBytes));
    size_t rowsLeft = 0;
    size_t rowsToRead = static_cast<size_t>(rows->height);
    const char* next = nullptr;
    return FillRows(*rows, [&]() -> const unsigned char* {
        if (rowsLeft == 0) {
            rowsLeft = std::min(rowsPerRead, rowsToRead);
            rowsToRead -= rowsLeft;
            const auto bytes = static_cast<qint64>(rowsLeft * rows->rowBytes);
            if (device.read(buffer.data(), bytes) != bytes)
                return nullptr;
            next = buffer.data();
        }
        --rowsLeft;
        const char* row = next;
        next += rows->rowBytes;
        return reinterpret_cast<const unsigned char*>(row);
    });
}

} // namespace game
