#include "htmlview/HtmlImageLoad.h"

#include "htmlview/HtmlJpeg.h"
#include "platform/BmpHeader.h"
#include "platform/BmpRunLength.h"
#include "platform/FileContent.h"
#include "platform/FileSystem.h"
#include "platform/PlainFile.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace htmlview {

using platform::TBitmap;

namespace {

constexpr size_t KindBytes = 11;
constexpr size_t MinStreamSize = 20;

using platform::TBmpHeader;

// A picture with pixels, within the pixel cap, of a kind Qt's reader or ours decodes. Run-length
// data runs bottom-up by definition: a top-down file of it is no BMP.
bool BmpAcceptable(const TBmpHeader& header)
{
    if (header.Compression > platform::BmpBitfields)
        return false;
    const bool runLength = header.Compression == platform::BmpRle8 || header.Compression == platform::BmpRle4;
    if (header.TopDown && runLength)
        return false;
    return header.Width > 0 && header.Height > 0 &&
           header.Height <= static_cast<uint64_t>(MaxPicturePixels / header.Width);
}

// An uncompressed picture through Qt's reader, which answers a picture for a file cut short,
// with rows it never read: the file must hold all its rows.
QImage DecodeUncompressedBmp(std::string_view data, const TBmpHeader& header)
{
    if (!platform::BmpRowsPresent(header, data.size()))
        return {};
    // The bytes are only read: the array does not copy them.
    const QByteArray bytes = QByteArray::fromRawData(data.data(), static_cast<qsizetype>(data.size()));
    QBuffer buffer;
    buffer.setData(bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return {};
    QImageReader reader(&buffer, "bmp");
    // The reader must see the size checked above before it takes any pixel memory (it gives a
    // top-down picture a negative height).
    const QSize size = reader.size();
    if (size.width() != header.Width || static_cast<uint64_t>(std::abs(int64_t{size.height()})) != header.Height)
        return {};
    return reader.read();
}

std::unique_ptr<TBitmap> DecodeBmp(std::string_view data)
{
    const QImage image = DecodeBmpImage(data);
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
    // A FIFO in a picture's place is refused at once instead of waited on.
    const int file = platform::OpenPlainFile(platform::NativePath(platform::ResolvePathCase(fileName)), O_RDONLY);
    if (file < 0)
        return pkUnknown;
    char head[KindBytes] = {};
    ssize_t count = 0;
    do
        count = ::read(file, head, KindBytes);
    while (count < 0 && errno == EINTR);
    ::close(file);
    return count > 0 ? PictureKind(std::string_view(head, static_cast<size_t>(count))) : pkUnknown;
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

QImage DecodeBmpImage(std::string_view data)
{
    const std::optional<TBmpHeader> header = platform::ReadBmpHeader(data);
    if (!header || !BmpAcceptable(*header))
        return {};
    const bool uncompressed = header->Compression == platform::BmpRgb || header->Compression == platform::BmpBitfields;
    return uncompressed ? DecodeUncompressedBmp(data, *header) : platform::DecodeBmpRunLength(data, *header);
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
