#include "htmlview/SelectionVisitor.h"

#include "htmlview/Section.h"
#include "htmlview/SectionList.h"
#include "platform/Windows1252.h"

#include <QClipboard>
#include <QGuiApplication>

#include <algorithm>
#include <string>

namespace htmlview {

namespace {

bool IsMarker(char c)
{
    return TSection::IsObjectMarker(static_cast<unsigned char>(c));
}

// The walks under way, one per document at most; walks run on the GUI thread only.
std::vector<std::pair<const TSectionList*, SelTextCount*>>& ActiveWalks()
{
    static std::vector<std::pair<const TSectionList*, SelTextCount*>> walks;
    return walks;
}

// Registers Visitor for the document while the walk lasts, also when it fails.
class TWalkScope {
public:
    TWalkScope(const TSectionList& document, SelTextCount& visitor)
    {
        ActiveWalks().emplace_back(&document, &visitor);
    }
    ~TWalkScope() { ActiveWalks().pop_back(); }
    TWalkScope(const TWalkScope&) = delete;
    TWalkScope& operator=(const TWalkScope&) = delete;
};

bool HasSelection(const TSectionList& document)
{
    return document.SelEnd > document.SelStart;
}

int32_t Walk(TSectionList& document, SelTextCount& visitor)
{
    const TWalkScope scope(document, visitor);
    document.AddSelectedText();
    return visitor.Finish();
}

} // namespace

void SelTextCount::Add(std::string_view chars)
{
    Count += static_cast<int32_t>(std::count_if(chars.begin(), chars.end(), [](char c) { return !IsMarker(c); }));
}

int32_t SelTextCount::Finish()
{
    return Count;
}

SelTextBuf::SelTextBuf(char* buffer, int32_t size) : Buffer(buffer), Size(size) {}

void SelTextBuf::Add(std::string_view chars)
{
    for (const char c : chars) {
        if (Count >= Size - 1)
            return;
        if (!IsMarker(c))
            Buffer[Count++] = c;
    }
}

int32_t SelTextBuf::Finish()
{
    if (Size < 1)
        return 0;
    Buffer[Count] = '\0';
    return Count + 1;
}

ClipBuffer::ClipBuffer() : SelTextBuf(nullptr, BufferSize), Owned_(static_cast<size_t>(BufferSize))
{
    Buffer = Owned_.data();
}

int32_t ClipBuffer::Finish()
{
    const int32_t result = SelTextBuf::Finish();
    QGuiApplication::clipboard()->setText(platform::AnsiToUnicode(std::string(Buffer, static_cast<size_t>(Count))));
    return result;
}

SelTextCount* DocumentVisitor(const TSectionList& document)
{
    for (const auto& [walked, visitor] : ActiveWalks())
        if (walked == &document)
            return visitor;
    return nullptr;
}

int32_t SelectedLength(TSectionList& document)
{
    if (!HasSelection(document))
        return 0;
    SelTextCount visitor;
    return Walk(document, visitor);
}

void CopySelection(TSectionList& document)
{
    if (!HasSelection(document))
        return;
    ClipBuffer visitor;
    Walk(document, visitor);
}

int32_t GetSelectedText(TSectionList& document, char* buffer, int32_t size)
{
    // Without room for the end mark nothing may be written.
    if (size < 1)
        return 0;
    buffer[0] = '\0';
    if (!HasSelection(document))
        return 1;
    SelTextBuf visitor(buffer, size);
    return Walk(document, visitor);
}

} // namespace htmlview
