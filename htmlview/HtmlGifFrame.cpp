#include "htmlview/HtmlGifFrame.h"

#include "htmlview/HtmlGifLzw.h"

#include <new>

namespace htmlview {

namespace {

constexpr uint8_t LocalTableFlag = 0x80;
constexpr uint8_t InterlacedFlag = 0x40;
constexpr uint8_t TransparentFlag = 0x01;

// The order rows arrive in: top-down, or the four interlace passes (every 8th row from 0,
// every 8th from 4, every 4th from 2, every 2nd from 1).
std::vector<int32_t> RowOrder(int32_t height, bool interlaced)
{
    std::vector<int32_t> rows;
    rows.reserve(static_cast<size_t>(height));
    if (!interlaced) {
        for (int32_t row = 0; row < height; ++row)
            rows.push_back(row);
        return rows;
    }
    constexpr int32_t passes[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    for (const auto& pass : passes)
        for (int32_t row = pass[0]; row < height; row += pass[1])
            rows.push_back(row);
    return rows;
}

// A blank bitmap, or std::bad_alloc when there is no memory for it.
platform::TBitmap NewBitmap(int32_t width, int32_t height)
{
    platform::TBitmap bitmap(width, height);
    if (bitmap.Empty())
        throw std::bad_alloc();
    return bitmap;
}

} // namespace

uint8_t DisposalOf(uint8_t controlFlags)
{
    const uint8_t disposal = (controlFlags >> 2) & 7;
    return disposal == 0 || disposal == 1 || disposal == 3 ? disposal : 2;
}

TFrameHeader TFrameHeader::Read(TGifReader& reader)
{
    TFrameHeader header;
    header.Left = reader.Word();
    header.Top = reader.Word();
    header.Width = reader.Word();
    header.Height = reader.Word();
    header.Flags = reader.Byte();
    return header;
}

void TFrame::ReadImage(TGifReader& reader, const TFrameHeader& header, const TColorTable& global,
                       const TGraphicControl& control, bool infoOnly)
{
    Left = header.Left;
    Top = header.Top;
    Width = header.Width;
    Height = header.Height;
    if (header.Flags & LocalTableFlag) {
        LocalBits = (header.Flags & 7) + 1;
        reader.Bytes(LocalColorTable.data(), size_t{3} << LocalBits);
    }
    Interlaced = header.Flags & InterlacedFlag;
    Disposal = DisposalOf(control.Flags);
    Delay = control.Delay * 10;
    Transparent = control.Flags & TransparentFlag;
    TransparentIndex = control.TransparentIndex;

    if (infoOnly) {
        reader.Byte(); // minimum code size
        reader.SkipSubBlocks();
    } else {
        const std::vector<uint8_t> pixels = DecodeImage(reader);
        MakeBitmaps(pixels, LocalBits > 0 ? LocalColorTable : global);
    }
    reader.SkipZeros();
}

std::vector<uint8_t> TFrame::DecodeImage(TGifReader& reader) const
{
    std::vector<uint8_t> pixels(static_cast<size_t>(Width) * static_cast<size_t>(Height), 0);
    TLzwDecoder lzw(reader, reader.Byte());
    for (const int32_t row : RowOrder(Height, Interlaced)) {
        uint8_t* out = pixels.data() + static_cast<size_t>(row) * static_cast<size_t>(Width);
        for (int32_t x = 0; x < Width; ++x) {
            const int value = lzw.NextValue();
            if (value < 0) {
                lzw.Finish();
                return pixels;
            }
            out[x] = static_cast<uint8_t>(value);
        }
    }
    lzw.Finish();
    return pixels;
}

void TFrame::MakeBitmaps(const std::vector<uint8_t>& pixels, const TColorTable& table)
{
    if (Width == 0 || Height == 0)
        return;
    Image = NewBitmap(Width, Height);
    if (Transparent)
        Mask = NewBitmap(Width, Height);
    const QRgb white = qRgb(255, 255, 255);
    const QRgb black = qRgb(0, 0, 0);
    for (int32_t y = 0; y < Height; ++y) {
        const uint8_t* in = pixels.data() + static_cast<size_t>(y) * static_cast<size_t>(Width);
        auto* imageRow = reinterpret_cast<QRgb*>(Image.Image().scanLine(y));
        auto* maskRow = Transparent ? reinterpret_cast<QRgb*>(Mask.Image().scanLine(y)) : nullptr;
        for (int32_t x = 0; x < Width; ++x) {
            const bool clear = maskRow && in[x] == TransparentIndex;
            const uint8_t* rgb = table.data() + 3 * in[x];
            imageRow[x] = clear ? black : qRgb(rgb[0], rgb[1], rgb[2]);
            if (maskRow)
                maskRow[x] = clear ? white : black;
        }
    }
}

} // namespace htmlview
