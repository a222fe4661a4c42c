// Questions about points and character indexes of a text section: links and pictures under a
// point, the index and caret under a point, where an index lies, search and selected text. They
// read the lines of the last layout and where the last paint put them.
#include "htmlview/Section.h"

#include "htmlview/SectionList.h"
#include "htmlview/SelectionVisitor.h"
#include "platform/Windows1252.h"

#include <algorithm>

namespace htmlview {

using platform::AnsiLowerChar;
using platform::TCanvas;

namespace {

constexpr size_t MaxSearchLength = 255;

} // namespace

LineRec* TSection::LineAtY(int32_t y, int32_t& charsBefore, int32_t& lineTop)
{
    int64_t top = 0;
    charsBefore = 0;
    for (LineRec& line : Lines) {
        if (y >= top && y < top + line.FullHeight()) {
            lineTop = ClampInt32(top);
            return &line;
        }
        top += line.FullHeight();
        charsBefore += line.Count;
    }
    return nullptr;
}

bool TSection::LinkAt(TCanvas& canvas, int32_t x, int32_t y, TUrlTarget& target, TFormControlObj*& formControl)
{
    for (int i = 0; i < Images.Count(); ++i) {
        TInlinePicture& picture = *Images[i];
        TPictureLinkHit hit;
        if (!picture.LinkHit(x, ClampInt32(int64_t{y} + Top), hit))
            continue;
        // A picture covers the text under it, with or without a link of its own.
        if (hit.FormControl) {
            formControl = hit.FormControl;
            return true;
        }
        if (hit.HasMap) {
            if (hit.AreaHit)
                target = hit.AreaTarget;
            return hit.AreaHit;
        }
        int position = 0;
        const TFontObj& run = *FontRuns.RunAt(picture.Position, position);
        if (run.Target.UrlText.empty())
            return false;
        target = run.Target;
        if (hit.IsMap)
            target.UrlText += "?" + std::to_string(hit.X) + "," + std::to_string(hit.Y);
        return true;
    }
    int32_t charsBefore = 0;
    int32_t lineTop = 0;
    const LineRec* line = LineAtY(y, charsBefore, lineTop);
    if (!line || x < line->PaintLeft)
        return false;
    const int32_t k = FitChars(canvas, x - line->PaintLeft, line->Start, line->Count);
    if (k >= line->Count)
        return false;
    int position = 0;
    const TFontObj& run = *FontRuns.RunAt(line->Start + k, position);
    if (run.Target.UrlText.empty())
        return false;
    target = run.Target;
    return true;
}

bool TSection::ImageAt(int32_t x, int32_t y, TImageObj*& image, int32_t& imageX, int32_t& imageY)
{
    for (int i = 0; i < Images.Count(); ++i) {
        if (Images[i]->ImageHit(x, ClampInt32(int64_t{y} + Top), imageX, imageY)) {
            image = Images[i]->Image();
            return true;
        }
    }
    return false;
}

int32_t TSection::IndexAtPoint(TCanvas& canvas, int32_t x, int32_t y, int32_t& caretX, int32_t& lineTop,
                               int32_t& lineHeight, TCell*&, bool& inLine)
{
    int32_t charsBefore = 0;
    int32_t top = 0;
    const LineRec* line = LineAtY(y, charsBefore, top);
    if (!line)
        return -1;
    inLine = true;
    lineHeight = line->TextHeight;
    lineTop = top + line->SpaceBefore;
    const int32_t lineStart = FirstIndex + charsBefore;
    if (x < line->PaintLeft) {
        inLine = false;
        caretX = line->PaintLeft;
        return lineStart;
    }
    const int32_t dx = x - line->PaintLeft;
    int32_t k = FitChars(canvas, dx, line->Start, line->Count);
    const int32_t w = TextWidth(canvas, line->Start, k, false);
    caretX = line->PaintLeft + w;
    if (k < line->Count) {
        // Past the middle of the next character the caret goes after it.
        const int32_t g = TextWidth(canvas, line->Start + k, 1, false);
        if (w + g / 2 < dx) {
            caretX += g;
            ++k;
        }
    }
    if (k == line->Count)
        inLine = false;
    return lineStart + k;
}

bool TSection::PointOfIndex(TCanvas& canvas, int32_t index, int32_t& x, int32_t& y)
{
    if (Length == 0 || index < FirstIndex || index > int64_t{FirstIndex} + Length)
        return false;
    int32_t offset = index - FirstIndex;
    int64_t top = Top;
    for (const LineRec& line : Lines) {
        if (offset < line.Count) {
            x = ClampInt32(int64_t{line.Left} + TextWidth(canvas, line.Start, offset, false));
            y = ClampInt32(top);
            return true;
        }
        top += line.FullHeight();
        offset -= line.Count;
    }
    return false;
}

bool TSection::CharAt(int32_t index, unsigned char& ch, TSectionBase*& section)
{
    if (Length == 0 || index < FirstIndex || index >= int64_t{FirstIndex} + Length)
        return false;
    ch = static_cast<unsigned char>(Text[static_cast<size_t>(index - FirstIndex)]);
    section = this;
    return true;
}

int32_t TSection::FindText(int32_t fromIndex, const std::string& text, bool matchCase)
{
    // An empty text is found nowhere: finding it everywhere would stop every search at once.
    if (text.empty() || Length == 0 || fromIndex >= int64_t{FirstIndex} + Length)
        return -1;
    const size_t from = fromIndex < FirstIndex ? 0 : static_cast<size_t>(fromIndex - FirstIndex);
    if (matchCase) {
        const size_t found = Text.find(text, from);
        return found == std::string::npos ? -1 : FirstIndex + static_cast<int32_t>(found);
    }
    const std::string_view wanted = std::string_view(text).substr(0, MaxSearchLength);
    const unsigned char first = AnsiLowerChar(static_cast<unsigned char>(wanted.front()));
    for (size_t p = from; p < Text.size(); ++p) {
        if (AnsiLowerChar(static_cast<unsigned char>(Text[p])) != first)
            continue;
        if (Text.size() - p < wanted.size())
            return -1;
        const bool same = std::equal(wanted.begin(), wanted.end(), Text.begin() + static_cast<std::ptrdiff_t>(p),
                                     [](char a, char b) {
                                         return AnsiLowerChar(static_cast<unsigned char>(a))
                                             == AnsiLowerChar(static_cast<unsigned char>(b));
                                     });
        if (same)
            return FirstIndex + static_cast<int32_t>(p);
    }
    return -1;
}

void TSection::AddSelectedText()
{
    SelTextCount* visitor = DocumentVisitor(*Document);
    if (!visitor)
        return;
    const int64_t a = int64_t{Document->SelStart} - FirstIndex;
    const int64_t b = int64_t{Document->SelEnd} - FirstIndex;
    for (const LineRec& line : Lines) {
        const int32_t p = line.Start;
        // The space a CLEAR leaves holds no text; a line ending where the selection starts counts.
        if (line.Count == 0 || p >= b || p + line.Count < a)
            continue;
        const int32_t f = static_cast<int32_t>(std::max<int64_t>(0, a - p));
        const int32_t e = static_cast<int32_t>(std::min<int64_t>(line.Count, b - p));
        if (f == 0)
            for (int32_t k = 0; k < line.Left / LevelIndent; ++k)
                visitor->Add("   ");
        visitor->Add(std::string_view(Text).substr(static_cast<size_t>(p + f), static_cast<size_t>(e - f)));
        if (e == line.Count)
            visitor->Add("\r\n");
    }
}

} // namespace htmlview
