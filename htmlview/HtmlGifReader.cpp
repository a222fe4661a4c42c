#include "htmlview/HtmlGifReader.h"

#include <algorithm>
#include <cstring>

namespace htmlview {

uint8_t TGifReader::Byte()
{
    if (AtEnd())
        throw TGifDataEnd();
    return static_cast<uint8_t>(Data_[Pos_++]);
}

uint16_t TGifReader::Word()
{
    const uint8_t low = Byte();
    return static_cast<uint16_t>(low | (Byte() << 8));
}

void TGifReader::Bytes(uint8_t* dest, size_t count)
{
    if (Data_.size() - Pos_ < count)
        throw TGifDataEnd();
    std::memcpy(dest, Data_.data() + Pos_, count);
    Pos_ += count;
}

void TGifReader::Skip(size_t count)
{
    if (Data_.size() - Pos_ < count)
        throw TGifDataEnd();
    Pos_ += count;
}

std::string_view TGifReader::SubBlock()
{
    if (AtEnd())
        return {};
    const size_t declared = static_cast<uint8_t>(Data_[Pos_++]);
    const size_t length = std::min(declared, Data_.size() - Pos_);
    const std::string_view block = Data_.substr(Pos_, length);
    Pos_ += length;
    return block;
}

void TGifReader::SkipSubBlocks()
{
    while (!SubBlock().empty()) {
    }
}

void TGifReader::SkipZeros()
{
    while (!AtEnd() && Data_[Pos_] == 0)
        ++Pos_;
}

} // namespace htmlview
