#pragma once
// One frame of a GIF picture: its place in the picture, its timing and disposal, and its
// decoded bitmap with the mask of its transparent colour.
#include "htmlview/HtmlGifReader.h"
#include "platform/Bitmap.h"

#include <array>
#include <cstdint>
#include <vector>

namespace htmlview {

// 256 R, G, B triples; entries past a file's table stay black.
using TColorTable = std::array<uint8_t, 256 * 3>;

// The graphic control extension that applies to the next image (all zero without one).
struct TGraphicControl {
    uint8_t Flags = 0;
    uint16_t Delay = 0; // hundredths of a second
    uint8_t TransparentIndex = 0;
};

// The image descriptor after its separator.
struct TFrameHeader {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    uint8_t Flags = 0;

    static TFrameHeader Read(TGifReader& reader);
};

class TFrame {
public:
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;
    int32_t LocalBits = 0; // 0 without a local colour table
    int32_t Delay = 0;     // milliseconds
    uint8_t Disposal = 0;  // 0 none, 1 leave in place, 2 restore to background, 3 restore previous
    bool Interlaced = false;
    bool Transparent = false;
    uint8_t TransparentIndex = 0;
    TColorTable LocalColorTable{};
    // Transparent pixels are black in Image; Mask is white exactly there (transparent frames).
    platform::TBitmap Image;
    platform::TBitmap Mask;
    // What lay under a frame of disposal 3 before it was drawn.
    platform::TBitmap SavedImage;
    platform::TBitmap SavedMask;

    platform::TRect Rect() const { return {Left, Top, Left + Width, Top + Height}; }

    // Reads the rest of the image block whose descriptor is Header (local colour table and
    // image data) and, unless InfoOnly, decodes it with the local table or else Global.
    // Raises TGifDataEnd when the data ends before the image data starts; image data cut short
    // leaves the remaining pixels at colour 0.
    void ReadImage(TGifReader& reader, const TFrameHeader& header, const TColorTable& global,
                   const TGraphicControl& control, bool infoOnly);

private:
    // The colour index of every pixel, rows top-down.
    std::vector<uint8_t> DecodeImage(TGifReader& reader) const;
    void MakeBitmaps(const std::vector<uint8_t>& pixels, const TColorTable& table);
};

// Disposal of a graphic control extension's packed flags: 0, 1 and 3 as they are, any other
// value restores the background.
uint8_t DisposalOf(uint8_t controlFlags);

} // namespace htmlview
