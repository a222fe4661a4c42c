#include "htmlview/HtmlImageLoad.h"

#include "htmlview/HtmlJpeg.h"
#include "platform/FileContent.h"
#include "platform/FileSystem.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <cstdlib>
#include <fstream>
#include <optional>

namespace htmlview {

using platform::TBitmap;

namespace {

constexpr size_t KindBytes = 11;
constexpr size_t MinStreamSize = 20;

uint32_t LittleEndian(std::string_view data, size_t at, size_t bytes)
{
    uint32_t value = 0;
    for (size_t i = 0; i < bytes; ++i)
        value |= uint32_t{static_cast<unsigned char>(data[at + i])} << (8 * i);
    return value;
}

// What a BMP header says about its rows.
struct TBmpLayout {
    int64_t Width = 0;
    uint64_t Height = 0; // rows, whichever way they are stored
    bool TopDown = false;
    uint32_t Bits = 0;
    uint32_t Compression = 0;
    uint32_t RowsStart = 0;
};

constexpr uint32_t CoreHeaderSize = 12; // OS/2: 16-bit sizes, no compression
constexpr uint32_t InfoHeaderSize = 40;
constexpr uint32_t BiRgb = 0;
constexpr uint32_t BiRle8 = 1;
constexpr uint32_t BiRle4 = 2;
constexpr uint32_t BiBitfields = 3;

// The layout of the core or info header (later headers begin as the info header does); none when
// Data is too short for it or the header is neither.
std::optional<TBmpLayout> ReadBmpLayout(std::string_view data)
{
    constexpr size_t CoreHeaderEnd = 26;
    constexpr size_t InfoHeaderEnd = 34; // up to the compression
    if (data.size() < CoreHeaderEnd)
        return std::nullopt;
    TBmpLayout layout;
    layout.RowsStart = LittleEndian(data, 10, 4);
    const uint32_t headerSize = LittleEndian(data, 14, 4);
    if (headerSize == CoreHeaderSize) {
        layout.Width = LittleEndian(data, 18, 2);
        layout.Height = LittleEndian(data, 20, 2);
        layout.Bits = LittleEndian(data, 24, 2);
        return layout;
    }
    if (headerSize < InfoHeaderSize || data.size() < InfoHeaderEnd)
        return std::nullopt;
    layout.Width = static_cast<int32_t>(LittleEndian(data, 18, 4));
    // A negative height stores the rows top first; the most negative value has a magnitude too.
    const int64_t height = static_cast<int32_t>(LittleEndian(data, 22, 4));
    layout.TopDown = height < 0;
    layout.Height = static_cast<uint64_t>(height < 0 ? -height : height);
    layout.Bits = LittleEndian(data, 28, 2);
    layout.Compression = LittleEndian(data, 30, 4);
    return layout;
}

// Qt's reader answers a picture for a file cut short, with rows it never read: an uncompressed
// BMP must hold all its rows. Compressed ones are left to the reader. Layout is one that
// BmpSizeAcceptable took: its width is positive.
bool BmpRowsComplete(std::string_view data, const TBmpLayout& layout)
{
    if (layout.Compression != BiRgb && layout.Compression != BiBitfields)
        return true;
    const uint64_t width = static_cast<uint64_t>(layout.Width);
    const uint64_t stride = (uint64_t{layout.Bits} * width + 31) / 32 * 4; // below 2^47: no overflow
    if (data.size() < layout.RowsStart)
        return false;
    // Rows that fit after the start, counted by division: stride times height may pass 2^64.
    return stride == 0 || (data.size() - layout.RowsStart) / stride >= layout.Height;
}

// A picture with pixels, within the pixel cap. Run-length data runs bottom-up by definition: a
// top-down file of it is no BMP.
bool BmpSizeAcceptable(const TBmpLayout& layout)
{
    if (layout.TopDown && (layout.Compression == BiRle8 || layout.Compression == BiRle4))
        return false;
    return layout.Width > 0 && layout.Height > 0 &&
           layout.Height <= static_cast<uint64_t>(MaxPicturePixels / layout.Width);
}

std::unique_ptr<TBitmap> DecodeBmp(std::string_view data)
{
    const std::optional<TBmpLayout> layout = ReadBmpLayout(data);
    if (!layout || !BmpSizeAcceptable(*layout) || !BmpRowsComplete(data, *layout))
        return nullptr;
    // The bytes are only read: the array does not copy them.
    const QByteArray bytes = QByteArray::fromRawData(data.data(), static_cast<qsizetype>(data.size()));
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return nullptr;
    QImageReader reader(&buffer, "bmp");
    // The reader must see the size checked above before it takes any pixel memory (it gives a
    // top-down picture a negative height).
    const QSize size = reader.size();
    if (size.width() != layout->Width || static_cast<uint64_t>(std::abs(int64_t{size.height()})) != layout->Height)
        return nullptr;
    const QImage image = reader.read();
    if (image.isNull())
        return nullptr;
    return std::make_unique<TBitmap>(image);
}

std::unique_ptr<TBitmap> DecodeJpegBitmap(std::string_view data)
{
    const QImage image = DecodeJpeg(reinterpret_cast<const unsigned char*>(data.data()), data.size());
    if (image.isNull())
        return nullptr;
    return std::make_unique<TBitmap>(image);
}

// Mask made for TRANSP; without one there is no picture.
std::unique_ptr<TBitmap> WithLowerLeftMask(std::unique_ptr<TBitmap> bitmap, std::unique_ptr<TBitmap>& mask)
{
    if (!bitmap)
        return nullptr;
    mask = MakeMask(*bitmap, false, 0);
    if (!mask)
        return nullptr;
    return bitmap;
}

} // namespace

TPictureKind PictureKind(std::string_view bytes)
{
    const auto byte = [&](size_t i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0; };
    if (bytes.substr(0, 4) == "GIF8")
        return byte(4) == '9' ? pkGif89a : pkGif87a;
    if (bytes.substr(0, 2) == "BM")
        return pkBmp;
    if (byte(0) == 137 && bytes.substr(1, 3) == "PNG")
        return pkPng;
    if (byte(0) == 255 && byte(1) == 216)
        return pkJpeg;
    return pkUnknown;
}

TPictureKind FilePictureKind(const std::string& fileName)
{
    std::ifstream file(platform::NativePath(platform::ResolvePathCase(fileName)), std::ios::binary);
    char head[KindBytes] = {};
    file.read(head, KindBytes);
    return PictureKind(std::string_view(head, static_cast<size_t>(file.gcount())));
}

bool ReadPictureFile(const std::string& fileName, std::string& data)
{
    data.clear();
    if (fileName.empty())
        return false;
    const std::string path = platform::ResolvePathCase(fileName);
    if (!platform::FileExists(path))
        return false;
    std::optional<std::string> content = platform::ReadFileUpTo(path, MaxPictureFileSize);
    if (!content)
        return false;
    data = std::move(*content);
    return true;
}

std::unique_ptr<TBitmap> DecodePicture(std::string_view data)
{
    switch (PictureKind(data)) {
    case pkBmp: return DecodeBmp(data);
    case pkJpeg: return DecodeJpegBitmap(data);
    default: return nullptr;
    }
}

std::unique_ptr<TBitmap> LoadPictureFile(const std::string& fileName)
{
    std::string data;
    if (!ReadPictureFile(fileName, data))
        return nullptr;
    return DecodePicture(data);
}

std::unique_ptr<TBitmap> LoadPictureFileMasked(const std::string& fileName, uint8_t& transparency,
                                               std::unique_ptr<TBitmap>& mask)
{
    mask.reset();
    std::unique_ptr<TBitmap> bitmap = LoadPictureFile(fileName);
    if (transparency == NoTransparency)
        return bitmap;
    return WithLowerLeftMask(std::move(bitmap), mask);
}

std::unique_ptr<TBitmap> LoadPictureStream(const std::string* stream, uint8_t& transparency,
                                           std::unique_ptr<TBitmap>& mask)
{
    mask.reset();
    if (stream == nullptr || stream->size() < MinStreamSize)
        return nullptr;
    const TPictureKind kind = PictureKind(*stream);
    if (kind == pkJpeg)
        transparency = NoTransparency;
    else if (kind != pkBmp)
        return nullptr;
    std::unique_ptr<TBitmap> bitmap = DecodePicture(*stream);
    if (transparency != LowerLeftTransparent)
        return bitmap;
    return WithLowerLeftMask(std::move(bitmap), mask);
}

std::unique_ptr<TBitmap> MakeMask(const TBitmap& bitmap, bool useColor, platform::TColor color)
{
    if (bitmap.Empty())
        return nullptr;
    color = useColor ? platform::ColorToRGB(color) : bitmap.Pixel(0, bitmap.Height() - 1);
    const QRgb key = qRgb(platform::GetRValue(color), platform::GetGValue(color), platform::GetBValue(color));
    const QImage& picture = bitmap.Image();
    QImage mask(picture.size(), QImage::Format_RGB32);
    if (mask.isNull())
        return nullptr;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        auto* to = reinterpret_cast<QRgb*>(mask.scanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            to[x] = (from[x] & 0xFFFFFF) == (key & 0xFFFFFF) ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
    }
    return std::make_unique<TBitmap>(mask);
}

} // namespace htmlview
