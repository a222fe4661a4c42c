// Any bytes given to the game's quick path for theme pictures decode to a picture or to none,
// never to a crash, and the same whether read from memory or a row at a time; a picture it
// takes is the one Qt's reader gives.
#include "game/TrueColorBmp.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const QImage fromMemory = game::DecodeTrueColorBmp(bytes);
    QByteArray content(bytes.data(), static_cast<qsizetype>(size));
    QBuffer file(&content);
    file.open(QIODevice::ReadOnly);
    const QImage fromFile = game::ReadTrueColorBmp(file);
    if (fromMemory != fromFile)
        std::abort();
    if (!fromMemory.isNull() && fromMemory != QImage::fromData(content, "BMP").convertToFormat(QImage::Format_RGB32))
        std::abort();
    return 0;
}
