#include "platform/BmpHeader.h"

#include <algorithm>

namespace platform {

namespace {

constexpr size_t FileHeaderSize = 14;
constexpr uint32_t CoreHeaderSize = 12;
constexpr uint32_t InfoHeaderSize = 40;
// The info header has no room for the three colour masks: they follow it.
constexpr uint64_t MasksAfterInfoHeader = 12;

uint32_t LittleEndian(std::string_view data, size_t at, size_t bytes)
{
    uint32_t value = 0;
    for (size_t i = 0; i < bytes; ++i)
        value |= uint32_t{static_cast<unsigned char>(data[at + i])} << (8 * i);
    return value;
}

void ReadCoreHeader(std::string_view data, TBmpHeader& header)
{
    header.Width = LittleEndian(data, 18, 2);
    header.Height = LittleEndian(data, 20, 2);
    header.Planes = LittleEndian(data, 22, 2);
    header.Bits = LittleEndian(data, 24, 2);
    header.PaletteEntryBytes = 3;
    // A core header has no colour count: its table has every entry.
    if (header.Bits <= 8)
        header.PaletteEntries = uint32_t{1} << header.Bits;
}

void ReadInfoHeader(std::string_view data, TBmpHeader& header)
{
    header.Width = static_cast<int32_t>(LittleEndian(data, 18, 4));
    // A negative height stores the rows top first; the most negative value has a magnitude too.
    const int64_t height = static_cast<int32_t>(LittleEndian(data, 22, 4));
    header.TopDown = height < 0;
    header.Height = static_cast<uint64_t>(height < 0 ? -height : height);
    header.Planes = LittleEndian(data, 26, 2);
    header.Bits = LittleEndian(data, 28, 2);
    header.Compression = LittleEndian(data, 30, 4);
    header.ColoursUsed = LittleEndian(data, 46, 4);
    if (header.Bits <= 8) {
        const uint32_t all = uint32_t{1} << header.Bits;
        header.PaletteEntries = header.ColoursUsed == 0 ? all : std::min(header.ColoursUsed, all);
    }
}

} // namespace

uint64_t TBmpHeader::RowBytes() const
{
    // Bits is below 2^16 and a width below 2^31: the product stays below 2^47.
    return (uint64_t{Bits} * static_cast<uint64_t>(std::max<int64_t>(Width, 0)) + 31) / 32 * 4;
}

std::optional<TBmpHeader> ReadBmpHeader(std::string_view data)
{
    if (data.size() < FileHeaderSize + 4 || data.substr(0, 2) != "BM")
        return std::nullopt;
    TBmpHeader header;
    header.HeaderSize = LittleEndian(data, 14, 4);
    if (header.HeaderSize == CoreHeaderSize && data.size() >= FileHeaderSize + CoreHeaderSize)
        ReadCoreHeader(data, header);
    else if (header.HeaderSize >= InfoHeaderSize && data.size() >= FileHeaderSize + InfoHeaderSize)
        ReadInfoHeader(data, header);
    else
        return std::nullopt;
    header.PaletteStart = FileHeaderSize + uint64_t{header.HeaderSize};
    if (header.HeaderSize == InfoHeaderSize && header.Compression == BmpBitfields)
        header.PaletteStart += MasksAfterInfoHeader;
    const uint64_t headersEnd = header.PaletteStart + uint64_t{header.PaletteEntries} * header.PaletteEntryBytes;
    header.RowsStart = std::max<uint64_t>(LittleEndian(data, 10, 4), headersEnd);
    return header;
}

bool BmpRowsPresent(const TBmpHeader& header, uint64_t fileSize)
{
    if (fileSize < header.RowsStart)
        return false;
    const uint64_t rowBytes = header.RowBytes();
    // Counted by division: the row size times the height may pass 2^64.
    return rowBytes == 0 || (fileSize - header.RowsStart) / rowBytes >= header.Height;
}

} // namespace platform
