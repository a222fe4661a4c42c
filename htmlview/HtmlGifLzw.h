#pragma once
// The LZW decoder of GIF image data: variable-size codes (at most 12 bits) packed least
// significant bit first into data sub-blocks. A code stream that breaks the rules (a code past
// the table, a minimum code size the table cannot hold) ends the data there.
#include "htmlview/HtmlGifReader.h"

#include <array>
#include <cstdint>
#include <string_view>

namespace htmlview {

class TLzwDecoder {
public:
    static constexpr int TableSize = 4096;
    static constexpr int EndOfData = -1;
    static constexpr int EndCode = -2;

    // Reads sub-blocks from Reader, which stands just after the minimum code size byte.
    TLzwDecoder(TGifReader& reader, int minCodeSize);

    // The next colour index, or EndOfData / EndCode once the data is over.
    int NextValue();
    // Passes what is left of the data, up to and including its terminator.
    void Finish();

private:
    int GetCode();
    void ResetTable();
    int Stop(int result);

    TGifReader& Reader_;
    std::string_view Block_;
    size_t BlockPos_ = 0;
    uint32_t Bits_ = 0;
    int BitCount_ = 0;
    bool TerminatorRead_ = false;
    bool Stopped_ = false;

    int MinCodeSize_;
    int CodeSize_ = 0;
    int ClearCode_ = 0;
    int EndCode_ = 0;
    int NextFree_ = 0;
    int CodeLimit_ = 0;
    int FirstCode_ = 0;
    int OldCode_ = -1; // none right after a clear code

    std::array<uint16_t, TableSize> Prefix_{};
    std::array<uint8_t, TableSize> Suffix_{};
    std::array<uint8_t, TableSize> Stack_{};
    int StackSize_ = 0;
};

} // namespace htmlview
