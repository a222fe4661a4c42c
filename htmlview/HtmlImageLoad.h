#pragma once
// Reading still pictures from files and from the streams an image request handler hands over.
// The kind comes from the first bytes, whatever the name says: uncompressed BMP through Qt's
// reader, run-length BMP through our own, JPEG through libjpeg. GIF goes to the viewer's GIF reader; PNG and anything else are refused. No
// loader ever raises for bad input: it answers no picture.
#include "platform/Bitmap.h"

#include <QImage>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace htmlview {

enum TPictureKind : uint8_t {
    pkUnknown = 0,
    pkBmp = 1,
    pkGif87a = 2,
    pkGif89a = 3,
    pkPng = 4,
    pkJpeg = 5,
};

// Transparency of a picture: none, the colour of its lower-left pixel (TRANSP), a GIF's own.
constexpr uint8_t NoTransparency = 0;
constexpr uint8_t LowerLeftTransparent = 1;
constexpr uint8_t GifTransparent = 2;

// Picture files larger than this are not read. A GIF holds at most about 12 bits of data per
// pixel, so a file this large cannot be a picture the pixel caps let through.
constexpr int64_t MaxPictureFileSize = int64_t{256} << 20;

TPictureKind PictureKind(std::string_view bytes);
// The kind of a file's first bytes; pkUnknown when it cannot be read.
TPictureKind FilePictureKind(const std::string& fileName);
// The whole file (its name resolved case-insensitively); false when it is missing, unreadable or
// larger than MaxPictureFileSize.
bool ReadPictureFile(const std::string& fileName, std::string& data);

// The BMP picture held in Data in the form its rows give (a 32-bit file's alpha kept); null for
// bad data, a cut file or one beyond the pixel cap.
QImage DecodeBmpImage(std::string_view data);
// A BMP or JPEG picture held in Data; none for any other kind or bad data.
std::unique_ptr<platform::TBitmap> DecodePicture(std::string_view data);
std::unique_ptr<platform::TBitmap> LoadPictureFile(const std::string& fileName);
// With Transparency LowerLeftTransparent, Mask gets the mask of the lower-left pixel's colour.
std::unique_ptr<platform::TBitmap> LoadPictureFileMasked(const std::string& fileName, uint8_t& transparency,
                                                         std::unique_ptr<platform::TBitmap>& mask);
// The same from handed-over data; none for less than 20 bytes. A JPEG handed over this way takes
// no TRANSP (Transparency becomes NoTransparency).
std::unique_ptr<platform::TBitmap> LoadPictureStream(const std::string* stream, uint8_t& transparency,
                                                     std::unique_ptr<platform::TBitmap>& mask);

// A mask of Bitmap's size, white where the picture has Color (the lower-left pixel's colour
// unless UseColor), black elsewhere; none for an empty picture.
std::unique_ptr<platform::TBitmap> MakeMask(const platform::TBitmap& bitmap, bool useColor, platform::TColor color);

} // namespace htmlview
