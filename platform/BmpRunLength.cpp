#include "platform/BmpRunLength.h"

#include <array>
#include <climits>
#include <cstdint>

namespace platform {

namespace {

using TColours = std::array<QRgb, 256>;

// The palette; an index beyond it shows black. False when it is not all in Data or the header
// counts more colours than the pixels can name.
bool ReadPalette(std::string_view data, const TBmpHeader& header, TColours& colours)
{
    colours.fill(qRgb(0, 0, 0));
    if (header.ColoursUsed > (uint32_t{1} << header.Bits))
        return false;
    const uint64_t end = header.PaletteStart + uint64_t{header.PaletteEntries} * header.PaletteEntryBytes;
    if (end > data.size())
        return false;
    for (uint32_t i = 0; i < header.PaletteEntries; ++i) {
        const auto* entry = reinterpret_cast<const unsigned char*>(data.data() + header.PaletteStart +
                                                                    uint64_t{i} * header.PaletteEntryBytes);
        colours[i] = qRgb(entry[2], entry[1], entry[0]);
    }
    return true;
}

// Where the next pixel goes: rows counted from the bottom, as the data stores them. Pixels past
// the right edge or the top are dropped.
class TPixelCursor {
public:
    TPixelCursor(QImage& image, const TColours& colours) : image_(image), colours_(colours) {}

    void Put(unsigned index)
    {
        if (x_ < image_.width() && !PastTop())
            reinterpret_cast<QRgb*>(image_.scanLine(image_.height() - 1 - static_cast<int>(row_)))[x_] =
                colours_[index];
        ++x_;
    }
    void NextRow()
    {
        x_ = 0;
        ++row_;
    }
    void Move(unsigned right, unsigned up)
    {
        x_ += right;
        row_ += up;
    }
    bool PastTop() const { return row_ >= image_.height(); }
    // Every pixel passed over: the data may end here.
    bool AtEnd() const { return PastTop() || (row_ == image_.height() - 1 && x_ >= image_.width()); }

private:
    QImage& image_;
    const TColours& colours_;
    int64_t x_ = 0; // grows by at most 255 a command: no overflow
    int64_t row_ = 0;
};

constexpr unsigned EndOfRow = 0;
constexpr unsigned EndOfPicture = 1;
constexpr unsigned MoveEscape = 2;

} // namespace

QImage DecodeBmpRunLength(std::string_view data, const TBmpHeader& header)
{
    const bool fourBits = header.Compression == BmpRle4 && header.Bits == 4;
    if (!fourBits && !(header.Compression == BmpRle8 && header.Bits == 8))
        return {};
    if (header.TopDown || header.Width <= 0 || header.Width > INT_MAX || header.Height == 0 ||
        header.Height > INT_MAX)
        return {};
    TColours colours;
    if (!ReadPalette(data, header, colours))
        return {};
    QImage image(static_cast<int>(header.Width), static_cast<int>(header.Height), QImage::Format_RGB32);
    if (image.isNull())
        return {};
    image.fill(qRgb(0, 0, 0));
    TPixelCursor cursor(image, colours);
    const auto byte = [&](uint64_t at) { return static_cast<unsigned char>(data[at]); };
    // Four-bit pixels come two to a byte, the high half first.
    const auto pixel = [&](unsigned value, unsigned i) { return fourBits ? (i % 2 == 0 ? value >> 4 : value & 15) : value; };
    // Data that ends before every pixel was passed over was cut short.
    const auto endOfData = [&] { return cursor.AtEnd() ? image : QImage(); };
    uint64_t at = header.RowsStart;
    while (!cursor.PastTop()) {
        if (at + 2 > data.size())
            return endOfData();
        const unsigned count = byte(at);
        const unsigned code = byte(at + 1);
        at += 2;
        if (count > 0) {
            for (unsigned i = 0; i < count; ++i)
                cursor.Put(pixel(code, i));
        } else if (code == EndOfRow) {
            cursor.NextRow();
        } else if (code == EndOfPicture) {
            return image;
        } else if (code == MoveEscape) {
            if (at + 2 > data.size())
                return endOfData();
            cursor.Move(byte(at), byte(at + 1));
            at += 2;
        } else {
            // Code pixels given one by one, padded to an even number of bytes.
            const uint64_t bytes = fourBits ? (code + 1) / 2 : code;
            if (at + bytes > data.size())
                return endOfData();
            for (unsigned i = 0; i < code; ++i)
                cursor.Put(pixel(byte(at + (fourBits ? i / 2 : i)), i));
            at += (bytes + 1) / 2 * 2;
        }
    }
    return image;
}

} // namespace platform
