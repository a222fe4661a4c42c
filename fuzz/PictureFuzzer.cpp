// Any bytes decode to a picture (BMP, JPEG or GIF) or to none, never to a crash.
#include "htmlview/HtmlImageLoad.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    htmlview::DecodePicture(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
