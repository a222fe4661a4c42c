#pragma once
// What the headers of a BMP file say about its pixels, read by one reader for every user: the
// viewer checks a file with it before it decodes it, the game's quick path for theme pictures
// decides with it whether a file is of the plain kind it decodes itself.
#include <cstdint>
#include <optional>
#include <string_view>

namespace platform {

constexpr uint32_t BmpRgb = 0;
constexpr uint32_t BmpRle8 = 1;
constexpr uint32_t BmpRle4 = 2;
constexpr uint32_t BmpBitfields = 3;

struct TBmpHeader {
    uint32_t HeaderSize = 0; // 12 for the OS/2 core header, 40 or more for the info headers
    int64_t Width = 0;
    uint64_t Height = 0; // rows, whichever way they are stored
    bool TopDown = false;
    uint32_t Planes = 0;
    uint32_t Bits = 0;
    uint32_t Compression = BmpRgb;
    uint32_t ColoursUsed = 0; // as the header says; 0 means all 2^Bits
    uint64_t PaletteStart = 0;
    uint32_t PaletteEntries = 0; // never more than 2^Bits, none above 8 bits a pixel
    uint32_t PaletteEntryBytes = 4;
    // Where the rows begin: the later of the offset the file gives and the end of its headers,
    // colour masks and palette, so that no header byte is ever counted as a row.
    uint64_t RowsStart = 0;

    // Bytes of one uncompressed row, padded to four; no overflow for any header.
    uint64_t RowBytes() const;
};

// The header of the BMP file whose first bytes are Data; none when they are no BMP or too short
// for the header they begin.
std::optional<TBmpHeader> ReadBmpHeader(std::string_view data);

// Whether a file of FileSize bytes holds all the uncompressed rows Header describes after its
// rows start.
bool BmpRowsPresent(const TBmpHeader& header, uint64_t fileSize);

} // namespace platform
