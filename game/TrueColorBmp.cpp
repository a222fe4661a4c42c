#include "game/TrueColorBmp.h"

#include <QIODevice>

#include <cstdint>
#include <optional>
#include <vector>

namespace game {

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr size_t InfoHeaderSize = 40;
constexpr size_t HeadersSize = FileHeaderSize + InfoHeaderSize;
// Larger pictures than this are left to the general reader, which has its own limits.
constexpr int32_t LargestSide = 16384;

uint32_t Little(std::string_view data, size_t offset, size_t bytes)
{
    uint32_t value = 0;
    for (size_t i = 0; i < bytes; ++i)
        value |= uint32_t(static_cast<unsigned char>(data[offset + i])) << (8 * i);
    return value;
}

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
    if (headers.size() < HeadersSize || headers.substr(0, 2) != "BM")
        return std::nullopt;
    TRowLayout rows;
    rows.pixelsOffset = Little(headers, 10, 4);
    const uint32_t headerSize = Little(headers, 14, 4);
    rows.width = static_cast<int32_t>(Little(headers, 18, 4));
    const auto signedHeight = static_cast<int32_t>(Little(headers, 22, 4));
    const uint32_t planes = Little(headers, 26, 2);
    const uint32_t bitsPerPixel = Little(headers, 28, 2);
    const uint32_t compression = Little(headers, 30, 4);
    if (headerSize < InfoHeaderSize || planes != 1 || bitsPerPixel != 24 || compression != 0)
        return std::nullopt;
    rows.bottomUp = signedHeight > 0;
    rows.height = signedHeight < 0 ? -signedHeight : signedHeight;
    if (rows.width <= 0 || rows.width > LargestSide || rows.height <= 0 || rows.height > LargestSide)
        return std::nullopt;
    rows.rowBytes = (size_t(rows.width) * 3 + 3) / 4 * 4;
    if (rows.pixelsOffset < FileHeaderSize + headerSize || rows.pixelsOffset > fileSize ||
        (fileSize - rows.pixelsOffset) / rows.rowBytes < uint64_t(rows.height))
        return std::nullopt;
    return rows;
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
        auto* target = reinterpret_cast<QRgb*>(image.scanLine(rows.bottomUp ? rows.height - 1 - i : i));
        for (int32_t x = 0; x < rows.width; ++x, source += 3)
            target[x] = qRgb(source[2], source[1], source[0]);
    }
    return image;
}

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
    std::vector<char> row(rows->rowBytes);
    return FillRows(*rows, [&]() -> const unsigned char* {
        if (device.read(row.data(), static_cast<qint64>(row.size())) != static_cast<qint64>(row.size()))
            return nullptr;
        return reinterpret_cast<const unsigned char*>(row.data());
    });
}

} // namespace game
