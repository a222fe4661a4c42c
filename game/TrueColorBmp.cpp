#include "game/TrueColorBmp.h"

#include "platform/BmpHeader.h"

#include <QIODevice>

#include <cstdint>
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
