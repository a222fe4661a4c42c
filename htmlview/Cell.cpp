#include "htmlview/Cell.h"

#include "htmlview/ListSections.h"
#include "htmlview/SectionList.h"

#include <algorithm>

namespace htmlview {

using platform::TCanvas;
using platform::TRect;

int32_t TSectionBase::Layout(TCanvas&, int32_t y, IndentManager& indentMgr, int32_t& maxWidth,
                             int32_t& charIndex)
{
    Top = y;
    FirstIndex = charIndex;
    PaintHeight = Height;
    maxWidth = indentMgr.Width;
    return Height;
}

int32_t TSectionBase::Paint(TCanvas&, const TRect&, IndentManager&, int32_t, int32_t y)
{
    Top = y;
    return ClampInt32(int64_t{y} + Height);
}

bool TSectionBase::LinkAt(TCanvas&, int32_t, int32_t, TUrlTarget&, TFormControlObj*&)
{
    return false;
}

bool TSectionBase::ImageAt(int32_t, int32_t, TImageObj*&, int32_t&, int32_t&)
{
    return false;
}

int32_t TSectionBase::IndexAtPoint(TCanvas&, int32_t, int32_t, int32_t&, int32_t&, int32_t&, TCell*&,
                                   bool&)
{
    return -1;
}

int32_t TSectionBase::FindText(int32_t, const std::string&, bool)
{
    return -1;
}

bool TSectionBase::PointOfIndex(TCanvas&, int32_t, int32_t&, int32_t&)
{
    return false;
}

bool TSectionBase::CharAt(int32_t, unsigned char&, TSectionBase*&)
{
    return false;
}

void TSectionBase::RefreshFonts()
{
    ApplyDocumentDefaults();
}

void TSectionBase::MeasureWidths(TCanvas&, int32_t& minWidth, int32_t& maxWidth)
{
    minWidth = 0;
    maxWidth = 0;
}

void TSectionBase::MoveBy(int32_t dy, int32_t dIndex)
{
    Top = ClampInt32(int64_t{Top} + dy);
    FirstIndex = ClampInt32(int64_t{FirstIndex} + dIndex);
}

TCell::TCell(TSectionList* document) : Document(document) {}

void TCell::AppendSection(std::unique_ptr<TSectionBase> section)
{
    if (!section)
        return;
    // An empty preformatted line keeps the height of a line.
    if (auto* line = dynamic_cast<TPreFormated*>(section.get()); line && line->Length == 0)
        line->AppendText(" ");
    TSectionBase* added = Add(std::move(section));
    added->Document = Document;
    added->ApplyDocumentDefaults();
}

int32_t TCell::Layout(TCanvas& canvas, int32_t y, int32_t width, int32_t& maxWidth, int32_t& charIndex)
{
    IndentMgr.Clear();
    PendingDy_ = 0;
    PendingIndex_ = 0;
    IndentMgr.SetEdges(0, width);
    IndentMgr.Width = width;
    Top = y;
    FirstIndex = charIndex;
    int32_t height = 0;
    maxWidth = 0;
    for (int i = 0; i < Count();) {
        try {
            int32_t w = 0;
            const int32_t h = Items(i)->Layout(canvas, ClampInt32(int64_t{y} + height), IndentMgr, w, charIndex);
            height = ClampInt32(int64_t{height} + h);
            maxWidth = std::max(maxWidth, w);
            ++i;
        } catch (const EProcessError& e) {
            // The section is dropped for good, so the next layout does not complain again; the
            // form controls built inside it go first, since they point into it.
            Document->ShowProcessError(e.what());
            Document->DropFormControlsOf(*Items(i));
            Delete(i);
        }
    }
    CharCount = charIndex - FirstIndex;
    return std::max(height, ClampInt32(int64_t{IndentMgr.FloatBottom()} - y));
}

void TCell::MeasureWidths(TCanvas& canvas, int32_t& minWidth, int32_t& maxWidth)
{
    minWidth = 0;
    maxWidth = 0;
    for (int i = 0; i < Count(); ++i) {
        int32_t sectionMin = 0;
        int32_t sectionMax = 0;
        Items(i)->MeasureWidths(canvas, sectionMin, sectionMax);
        minWidth = std::max(minWidth, sectionMin);
        maxWidth = std::max(maxWidth, sectionMax);
    }
}

void TCell::MoveBy(int32_t dy, int32_t dIndex)
{
    Top = ClampInt32(int64_t{Top} + dy);
    FirstIndex = ClampInt32(int64_t{FirstIndex} + dIndex);
    PendingDy_ = ClampInt32(int64_t{PendingDy_} + dy);
    PendingIndex_ = ClampInt32(int64_t{PendingIndex_} + dIndex);
}

void TCell::ApplyMoves()
{
    if (PendingDy_ != 0 || PendingIndex_ != 0) {
        // Rules and floats ask the indent manager for their edges again when they are painted.
        IndentMgr.MoveBy(PendingDy_);
        for (int i = 0; i < Count(); ++i)
            Items(i)->MoveBy(PendingDy_, PendingIndex_);
        PendingDy_ = 0;
        PendingIndex_ = 0;
    }
    for (int i = 0; i < Count(); ++i)
        Items(i)->ApplyMoves();
}

int32_t TCell::Paint(TCanvas& canvas, const TRect& clipRect, int32_t paintClipWidth, int32_t x, int32_t y)
{
    IndentMgr.SetEdges(x, ClampInt32(int64_t{x} + IndentMgr.Width));
    IndentMgr.PaintClipWidth = paintClipWidth;
    for (int i = 0; i < Count(); ++i)
        y = Items(i)->Paint(canvas, clipRect, IndentMgr, x, y);
    return y;
}

bool TCell::AskSectionsAt(int32_t y, const std::function<bool(TSectionBase&, int32_t)>& ask)
{
    int64_t sectionTop = 0;
    for (int i = 0; i < Count(); ++i) {
        TSectionBase& section = *Items(i);
        if (y >= sectionTop && y < sectionTop + section.PaintHeight && ask(section, ClampInt32(y - sectionTop)))
            return true;
        sectionTop += section.Height;
    }
    return false;
}

bool TCell::LinkAt(TCanvas& canvas, int32_t x, int32_t y, TUrlTarget& target, TFormControlObj*& formControl)
{
    target.ClearLink();
    formControl = nullptr;
    return AskSectionsAt(y, [&](TSectionBase& section, int32_t sectionY) {
        return section.LinkAt(canvas, x, sectionY, target, formControl);
    });
}

bool TCell::ImageAt(int32_t x, int32_t y, TImageObj*& image, int32_t& imageX, int32_t& imageY)
{
    image = nullptr;
    return AskSectionsAt(y, [&](TSectionBase& section, int32_t sectionY) {
        return section.ImageAt(x, sectionY, image, imageX, imageY);
    });
}

TSectionBase* TCell::SectionAtY(int32_t y, int32_t& sectionTop, int& position) const
{
    int64_t top = 0;
    for (int i = 0; i < Count(); ++i) {
        const int64_t bottom = top + Items(i)->Height;
        if (bottom > y) {
            sectionTop = ClampInt32(top);
            position = i;
            return Items(i);
        }
        top = bottom;
    }
    return nullptr;
}

int32_t TCell::IndexAtPoint(TCanvas& canvas, int32_t x, int32_t y, int32_t& caretX, int32_t& lineTop,
                            int32_t& lineHeight, TCell*& cell, bool& inLine)
{
    int32_t sectionTop = 0;
    int position = 0;
    TSectionBase* section = SectionAtY(y, sectionTop, position);
    if (!section)
        return -1;
    const int32_t index = section->IndexAtPoint(canvas, x, ClampInt32(int64_t{y} - sectionTop), caretX,
                                                lineTop, lineHeight, cell, inLine);
    lineTop = ClampInt32(int64_t{lineTop} + sectionTop);
    if (index >= 0 && !cell)
        cell = this;
    return index;
}

int32_t TCell::FindText(int32_t fromIndex, const std::string& text, bool matchCase)
{
    for (int i = 0; i < Count(); ++i) {
        const int32_t found = Items(i)->FindText(fromIndex, text, matchCase);
        if (found >= 0)
            return found;
    }
    return -1;
}

bool TCell::PointOfIndex(TCanvas& canvas, int32_t index, int32_t& x, int32_t& y)
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->PointOfIndex(canvas, index, x, y))
            return true;
    return false;
}

bool TCell::CharAt(int32_t index, unsigned char& ch, TSectionBase*& section)
{
    if (index < FirstIndex || index > int64_t{FirstIndex} + CharCount)
        return false;
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->CharAt(index, ch, section))
            return true;
    return false;
}

void TCell::AddSelectedText()
{
    const int32_t selStart = Document->SelStart;
    const int32_t selEnd = Document->SelEnd;
    if (selEnd <= selStart)
        return;
    for (int i = 0; i < Count(); ++i) {
        TSectionBase& section = *Items(i);
        if (section.FirstIndex >= selEnd)
            break;
        if (int64_t{section.FirstIndex} + section.Length > selStart)
            section.AddSelectedText();
    }
}

void TCell::RefreshFonts()
{
    for (int i = 0; i < Count(); ++i)
        Items(i)->RefreshFonts();
}

} // namespace htmlview
