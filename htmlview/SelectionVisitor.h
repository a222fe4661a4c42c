#pragma once
// The walk over the selected text of a document: the sections feed their part of the selection
// to the visitor of the walk under way, which counts it, copies it into a caller's buffer or puts
// it on the clipboard. Object markers never reach the result.
#include <cstdint>
#include <string_view>
#include <vector>

namespace htmlview {

class TSectionList;

class SelTextCount {
public:
    SelTextCount() = default;
    SelTextCount(const SelTextCount&) = delete;
    SelTextCount& operator=(const SelTextCount&) = delete;
    virtual ~SelTextCount() = default;

    int32_t Count = 0;

    virtual void Add(std::string_view chars);
    virtual int32_t Finish();
};

// Copies into Buffer (not owned) while there is room, keeping the last byte for the end mark.
class SelTextBuf : public SelTextCount {
public:
    SelTextBuf(char* buffer, int32_t size);

    void Add(std::string_view chars) override;
    // Stores the end mark; returns the characters copied + 1 (0 for a buffer of no bytes).
    int32_t Finish() override;

protected:
    char* Buffer;
    int32_t Size;
};

// Takes at most 32499 characters and puts them on the clipboard at the end.
class ClipBuffer : public SelTextBuf {
public:
    static constexpr int32_t BufferSize = 32500;

    ClipBuffer();
    int32_t Finish() override;

private:
    std::vector<char> Owned_;
};

// The visitor of the walk under way over Document, or none outside a walk. Sections that hold
// no text but end a line in copied text (spacing, rules) add "\r\n" to it.
SelTextCount* DocumentVisitor(const TSectionList& document);

// The document's selection walks; an empty selection walks nothing.
int32_t SelectedLength(TSectionList& document);
void CopySelection(TSectionList& document);
// A zero-terminated copy into Buffer of Size bytes; returns the characters copied + 1, or 0 when
// Buffer has no room even for the end mark.
int32_t GetSelectedText(TSectionList& document, char* buffer, int32_t size);

} // namespace htmlview
