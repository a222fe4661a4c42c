#include "htmlview/HtmlGifLzw.h"

namespace htmlview {

TLzwDecoder::TLzwDecoder(TGifReader& reader, int minCodeSize) : Reader_(reader), MinCodeSize_(minCodeSize)
{
    // Colour indexes are bytes, so a set of more than 8 bits has no meaning (and one past 11
    // would not even fit the 12-bit table); some writers use 1 for two-colour pictures.
    if (minCodeSize < 1 || minCodeSize > 8) {
        Stopped_ = true;
        return;
    }
    ClearCode_ = 1 << minCodeSize;
    EndCode_ = ClearCode_ + 1;
    for (int i = 0; i < ClearCode_; ++i)
        Suffix_[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
    ResetTable();
}

void TLzwDecoder::ResetTable()
{
    CodeSize_ = MinCodeSize_ + 1;
    CodeLimit_ = 2 * ClearCode_;
    NextFree_ = ClearCode_ + 2;
    OldCode_ = -1;
    StackSize_ = 0;
}

int TLzwDecoder::GetCode()
{
    while (BitCount_ < CodeSize_) {
        if (BlockPos_ == Block_.size()) {
            if (TerminatorRead_)
                return EndOfData;
            Block_ = Reader_.SubBlock();
            BlockPos_ = 0;
            if (Block_.empty()) {
                TerminatorRead_ = true;
                return EndOfData;
            }
        }
        Bits_ |= static_cast<uint32_t>(static_cast<uint8_t>(Block_[BlockPos_++])) << BitCount_;
        BitCount_ += 8;
    }
    const int code = static_cast<int>(Bits_ & ((1u << CodeSize_) - 1));
    Bits_ >>= CodeSize_;
    BitCount_ -= CodeSize_;
    return code;
}

int TLzwDecoder::Stop(int result)
{
    Stopped_ = true;
    return result;
}

int TLzwDecoder::NextValue()
{
    if (StackSize_ > 0)
        return Stack_[static_cast<size_t>(--StackSize_)];
    if (Stopped_)
        return EndOfData;

    int code = GetCode();
    while (code == ClearCode_) {
        ResetTable();
        code = GetCode();
    }
    if (code < 0)
        return Stop(EndOfData);
    if (code == EndCode_)
        return Stop(EndCode);

    if (OldCode_ < 0) {
        // The first code after a clear must be a root.
        if (code > ClearCode_)
            return Stop(EndOfData);
        FirstCode_ = OldCode_ = code;
        return code;
    }
    if (code > NextFree_)
        return Stop(EndOfData);

    const int inCode = code;
    if (code == NextFree_) {
        // The code being defined: the previous string and its own first value.
        Stack_[static_cast<size_t>(StackSize_++)] = static_cast<uint8_t>(FirstCode_);
        code = OldCode_;
    }
    while (code >= ClearCode_) {
        // Entries only point at older ones, so a chain is never longer than the table; the
        // bound keeps a damaged table from running over the stack all the same.
        if (StackSize_ >= TableSize - 1)
            return Stop(EndOfData);
        Stack_[static_cast<size_t>(StackSize_++)] = Suffix_[static_cast<size_t>(code)];
        code = Prefix_[static_cast<size_t>(code)];
    }
    FirstCode_ = code;
    Stack_[static_cast<size_t>(StackSize_++)] = static_cast<uint8_t>(code);

    if (NextFree_ < TableSize) {
        Prefix_[static_cast<size_t>(NextFree_)] = static_cast<uint16_t>(OldCode_);
        Suffix_[static_cast<size_t>(NextFree_)] = static_cast<uint8_t>(FirstCode_);
        ++NextFree_;
        if (NextFree_ >= CodeLimit_ && CodeLimit_ < TableSize) {
            CodeLimit_ *= 2;
            ++CodeSize_;
        }
    }
    OldCode_ = inCode;
    return Stack_[static_cast<size_t>(--StackSize_)];
}

void TLzwDecoder::Finish()
{
    Stopped_ = true;
    StackSize_ = 0;
    if (!TerminatorRead_) {
        Reader_.SkipSubBlocks();
        TerminatorRead_ = true;
    }
}

} // namespace htmlview
