#include "htmlview/HtmlImageLoad.h"

#include "htmlview/HtmlJpeg.h"
#include "platform/FileContent.h"
#include "platform/FileSystem.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <fstream>

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

// The magnitude of a signed 32-bit header field; the most negative value has one too.
uint64_t AbsoluteValue(uint32_t field)
{
    const int64_t value = static_cast<int32_t>(field);
    return static_cast<uint64_t>(value < 0 ? -value : value);
}

// Qt's reader answers a picture for a file cut short, with rows it never read: an uncompressed
// BMP must hold all its rows. Compressed ones are left to the reader.
bool BmpRowsComplete(std::string_view data)
{
    constexpr size_t InfoHeaderEnd = 34;
    constexpr uint32_t InfoHeaderSize = 40;
    if (data.size() < InfoHeaderEnd)
        return false;
    if (LittleEndian(data, 14, 4) < InfoHeaderSize)
        return true;
    const uint32_t compression = LittleEndian(data, 30, 4);
    if (compression != 0 && compression != 3)
        return true;
    const uint64_t width = AbsoluteValue(LittleEndian(data, 18, 4));
    const uint64_t height = AbsoluteValue(LittleEndian(data, 22, 4));
    const uint64_t bits = LittleEndian(data, 28, 2);
    const uint64_t stride = (bits * width + 31) / 32 * 4; // below 2^47: no overflow
    const uint64_t rowsStart = LittleEndian(data, 10, 4);
    if (data.size() < rowsStart)
        return false;
    // Rows that fit after the start, counted by division: stride times height may pass 2^64.
    return stride == 0 || (data.size() - rowsStart) / stride >= height;
}

std::unique_ptr<TBitmap> DecodeBmp(std::string_view data)
{
    if (!BmpRowsComplete(data))
        return nullptr;
    // The bytes are only read: the array does not copy them.
    const QByteArray bytes = QByteArray::fromRawData(data.data(), static_cast<qsizetype>(data.size()));
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return nullptr;
    QImageReader reader(&buffer, "bmp");
    // The size from the header is checked before any pixel memory is taken.
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || int64_t{size.width()} * size.height() > MaxPicturePixels)
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
