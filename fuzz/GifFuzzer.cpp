// Any bytes give a GIF picture or none, and an animated one steps through its frames.
#include "htmlview/HtmlGif.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    bool still = false;
    auto picture = htmlview::CreateGIFFromStream(std::string_view(reinterpret_cast<const char*>(data), size), still);
    if (picture && !still)
        for (int32_t frame = 1; frame <= picture->FrameCount(); ++frame)
            picture->SetCurrentFrame(frame);
    return 0;
}
