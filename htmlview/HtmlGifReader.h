#pragma once
// Bounded reading of a GIF file held in memory: little-endian values and data sub-blocks.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace htmlview {

// The data ended inside a block: parsing stops there, as at the trailer.
struct TGifDataEnd {};

class TGifReader {
public:
    explicit TGifReader(std::string_view data) : Data_(data) {}

    // These raise TGifDataEnd when the data ends first.
    uint8_t Byte();
    uint16_t Word();
    void Bytes(uint8_t* dest, size_t count);
    void Skip(size_t count);

    // The next data sub-block: empty at the zero-length terminator. Never raises: at the end
    // of the data it answers what is left (nothing once everything is read).
    std::string_view SubBlock();
    // Passes sub-blocks up to and including the terminator.
    void SkipSubBlocks();
    // Passes zero bytes (padding some writers leave after image data).
    void SkipZeros();

    bool AtEnd() const { return Pos_ >= Data_.size(); }

private:
    std::string_view Data_;
    size_t Pos_ = 0;
};

} // namespace htmlview
