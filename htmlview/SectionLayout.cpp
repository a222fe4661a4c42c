// Line breaking of a text section: lines fill the width the indent manager leaves free at each Y,
// flowing around floating pictures and tables; widths for table columns.
#include "htmlview/Section.h"

#include <algorithm>

namespace htmlview {

using platform::TCanvas;

namespace {

constexpr int64_t FirstProbe = 64; // characters measured by the first probe of a line

} // namespace

// State of one layout pass: where the next line starts and the floats met in it.
struct TSection::TLineBreaker {
    TSection& Section;
    TCanvas& Canvas;
    IndentManager& IndentMgr;
    int32_t Y;     // document Y of the next line's top
    int32_t S = 0; // position of the next line's first character
    int32_t FloatHeight = 0;
    std::vector<TInlinePicture*> Deferred; // floats met in mid-line, placed below it

    int32_t SpacesFrom(int32_t q) const
    {
        while (q < Section.Length && Section.Text[static_cast<size_t>(q)] == ' ')
            ++q;
        return q;
    }
    bool IsBreak(int32_t q) const
    {
        const auto c = static_cast<unsigned char>(Section.Text[static_cast<size_t>(q)]);
        return c == ' ' || IsObjectMarker(c);
    }
    // How many characters the line from S takes when I of the N left fit.
    int32_t LineLength(int32_t i, int32_t n) const;
    void FinishLine(int32_t n);
};

int32_t TSection::FitWalk(TCanvas& canvas, int32_t width, int32_t p, int32_t count, TLineBreaker* breaker)
{
    int64_t x = 0;
    int32_t fitted = 0;
    bool atStart = true;
    if (breaker)
        breaker->FloatHeight = 0;
    if (count <= 0)
        return 0;
    while (true) {
        const TFontObj& run = SelectRunFont(canvas, p);
        const int32_t overhang = run.Overhang;
        const auto c = static_cast<unsigned char>(Text[static_cast<size_t>(p)]);
        int32_t step = 1;
        int32_t most = 1;
        if (c == ImageMarker) {
            if (TInlinePicture* picture = PictureAt(p)) {
                if (!picture->Floats()) {
                    x += picture->ImageWidth;
                    atStart = false;
                } else if (breaker && atStart) {
                    breaker->IndentMgr.AddFloat(breaker->Y, *picture);
                    x += int64_t{picture->ImageWidth} + picture->HSpace;
                    breaker->FloatHeight = std::max(breaker->FloatHeight, picture->ImageHeight);
                } else if (breaker) {
                    breaker->Deferred.push_back(picture);
                }
            }
            if (x > width)
                return fitted;
        } else if (c == ControlMarker) {
            if (const TInlineControl* control = ControlAt(p))
                x += control->ControlWidth();
            atStart = false;
            if (x > width)
                return fitted;
        } else {
            most = FitStretch(p, std::min(FontRuns.RunCharsLeft(p, Length), count - fitted));
            const int64_t room = width - x;
            int32_t lo = 0;
            int32_t hi = most - 1;
            // Widening probes first, so that a line costs measures of about its own length, not
            // of the whole run ahead of it.
            for (int64_t probe = FirstProbe; probe < most; probe *= 2) {
                if (ExtentOf(canvas, p, static_cast<int32_t>(probe)) - overhang > room) {
                    hi = static_cast<int32_t>(probe) - 2;
                    break;
                }
                lo = static_cast<int32_t>(probe);
            }
            while (lo <= hi) {
                const int32_t mid = (lo + hi) / 2;
                if (ExtentOf(canvas, p, mid + 1) - overhang > room)
                    hi = mid - 1;
                else
                    lo = mid + 1;
            }
            step = lo;
        }
        if (fitted + step >= count)
            return count;
        fitted += step;
        if (step < most)
            return fitted;
        if (c != ImageMarker && c != ControlMarker) {
            x += ExtentOf(canvas, p, step) - overhang;
            atStart = false;
        }
        p += step;
    }
}

int32_t TSection::TLineBreaker::LineLength(int32_t i, int32_t n) const
{
    if (i >= n)
        return n;
    const int32_t c = S + i - 1; // the last character that fits
    const std::string& text = Section.Text;
    int32_t end;
    if (text[static_cast<size_t>(c)] == ' ' || text[static_cast<size_t>(c) + 1] == ' ') {
        // A word that ends exactly at the edge stays, and the spaces after it go with it.
        end = SpacesFrom(c + 1);
    } else if (IsObjectMarker(static_cast<unsigned char>(text[static_cast<size_t>(c) + 1]))) {
        end = c + 1;
    } else {
        int32_t q = c;
        while (q > S && !IsBreak(q))
            --q;
        if (q > S) {
            end = q + 1; // the word that did not fit starts the next line
        } else {
            // A word wider than the line is not split: it sticks out on the right, and a picture
            // or control that starts the line stays with it.
            q = c + 1;
            while (q < Section.Length && !IsBreak(q))
                ++q;
            end = SpacesFrom(q);
        }
    }
    return end - S;
}

void TSection::TLineBreaker::FinishLine(int32_t n)
{
    LineRec line;
    int32_t lineHeight = 0;
    int32_t lastDescent = 0;
    const auto first = Section.Text.begin() + S;
    if (!std::all_of(first, first + n, [](char c) { return IsObjectMarker(static_cast<unsigned char>(c)); })) {
        int position = 0;
        Section.FontRuns.RunAt(S, position);
        for (; position < Section.FontRuns.Count() && Section.FontRuns[position]->Start < S + n; ++position) {
            const TFontObj& run = *Section.FontRuns[position];
            lineHeight = std::max(lineHeight, run.TextHeight);
            line.Descent = std::max(line.Descent, run.Descent);
            lastDescent = run.Descent;
        }
    }
    int32_t before = 0;
    int32_t after = 0;
    const int32_t end = S + n;
    for (int i = Section.FirstImageFrom(S); i < Section.Images.Count() && Section.Images[i]->Position < end; ++i) {
        const TInlinePicture& picture = *Section.Images[i];
        const int32_t h = picture.ImageHeight;
        if (picture.Align == TInlinePicture::AlignTop) {
            after = std::max(after, h - lineHeight);
        } else if (picture.Align == TInlinePicture::AlignMiddle) {
            const int32_t half = (h - lineHeight) / 2;
            after = std::max(after, half);
            before = std::max(before, h - lineHeight - half);
        } else if (picture.Align == TInlinePicture::AlignBottom) {
            before = std::max(before, h - (lineHeight - lastDescent));
        }
    }
    for (size_t i = static_cast<size_t>(Section.FirstControlFrom(S));
         i < Section.Controls.size() && Section.Controls[i]->Position < end; ++i) {
        TInlineControl* control = Section.Controls[i];
        const int32_t h = control->ControlHeight();
        before = std::max(before, control->RaiseByDescent() ? h - (lineHeight - lastDescent) : h - lineHeight);
        control->YPosition = Y;
    }

    line.Start = S;
    line.TextHeight = lineHeight;
    line.Count = n;
    const int32_t leftEdge = IndentMgr.LeftEdge(Y);
    const int32_t rightEdge = IndentMgr.RightEdge(Y);
    const int32_t w = Section.TextWidth(Canvas, S, n, true);
    switch (Section.Alignment) {
    case AlignCenter:
        line.Left = std::max(leftEdge, ClampInt32((int64_t{rightEdge} + leftEdge - w) / 2));
        break;
    case AlignRight:
        // An over-long line starts at the left edge, as a centred one does.
        line.Left = std::max(leftEdge, ClampInt32(int64_t{rightEdge} - w - 1));
        break;
    default:
        line.Left = leftEdge;
    }
    line.SpaceBefore = before;
    line.SpaceAfter = after;
    S += n;
    const int32_t total = line.FullHeight();
    Section.Height = ClampInt32(int64_t{Section.Height} + total);
    Y = ClampInt32(int64_t{Y} + total);
    line.PaintHeight = std::max(total, FloatHeight);
    for (TInlinePicture* picture : Deferred) {
        IndentMgr.AddFloat(Y, *picture);
        line.PaintHeight = std::max(line.PaintHeight, ClampInt32(int64_t{picture->ImageHeight} + total));
    }
    Deferred.clear();
    Section.Lines.push_back(line);
}

int32_t TSection::ClearSpace(const IndentManager& indentMgr, int32_t y) const
{
    if (ClearMode == 0)
        return 0;
    int32_t left = 0;
    int32_t right = 0;
    indentMgr.ClearBottoms(left, right);
    const int32_t leftSpace = std::max<int64_t>(0, int64_t{left} - y - 1);
    const int32_t rightSpace = std::max<int64_t>(0, int64_t{right} - y - 1);
    switch (ClearMode) {
    case 1:
        return leftSpace;
    case 2:
        return rightSpace;
    default:
        return std::max(leftSpace, rightSpace);
    }
}

int32_t TSection::Layout(TCanvas& canvas, int32_t y, IndentManager& indentMgr, int32_t& maxWidth,
                         int32_t& charIndex)
{
    Top = y;
    FirstIndex = charIndex;
    Height = 0;
    Lines.clear();
    indentMgr.SetLevel(y, ListLevel);
    if (Length == 0) {
        Height = PaintHeight = ClearSpace(indentMgr, y);
        maxWidth = 0;
        return Height;
    }
    FirstLineLeft = indentMgr.LeftEdge(y);
    maxWidth = indentMgr.Width;
    const int32_t width = indentMgr.RightEdge(y) - FirstLineLeft;
    for (int i = 0; i < Images.Count(); ++i) {
        TInlinePicture& picture = *Images[i];
        int position = 0;
        picture.MeasureImage(Document, canvas, *FontRuns.RunAt(picture.Position, position), width);
        maxWidth = std::max(maxWidth, ClampInt32(int64_t{picture.ImageWidth} + Indent));
    }
    for (const TInlineControl* control : Controls)
        if (control->HasWindowControl())
            maxWidth = std::max(maxWidth, ClampInt32(int64_t{control->ControlWidth()} + Indent));

    TLineBreaker breaker{*this, canvas, indentMgr, y, 0, 0, {}};
    const int32_t clearSpace = ClearSpace(indentMgr, y);
    if (clearSpace > 0) {
        // An empty line keeps the text below the floats it clears.
        LineRec clearLine;
        clearLine.TextHeight = clearSpace;
        clearLine.PaintHeight = clearSpace;
        Lines.push_back(clearLine);
        Height = clearSpace;
        breaker.Y = ClampInt32(int64_t{y} + clearSpace);
    }
    while (breaker.S < Length) {
        const int32_t lineWidth = Preformatted()
            ? 32000
            : indentMgr.RightEdge(breaker.Y) - indentMgr.LeftEdge(breaker.Y);
        const int32_t left = Length - breaker.S;
        // At least one character goes on every line.
        const int32_t fitted = std::max(1, FitWalk(canvas, lineWidth, breaker.S, left, &breaker));
        breaker.FinishLine(breaker.LineLength(fitted, left));
    }
    charIndex = ClampInt32(int64_t{FirstIndex} + Length);
    if (ListLevel > 0)
        Height = std::max(Height, ClampInt32(int64_t{indentMgr.LevelBottom()} - Top));
    PaintHeight = std::max(Height, ClampInt32(int64_t{indentMgr.FloatBottom()} - Top));
    return Height;
}

void TSection::MeasureWidths(TCanvas& canvas, int32_t& minWidth, int32_t& maxWidth)
{
    minWidth = 0;
    maxWidth = 0;
    if (Length == 0)
        return;
    int64_t floatTotal = 0;
    for (int i = 0; i < Images.Count(); ++i) {
        TInlinePicture& picture = *Images[i];
        int position = 0;
        picture.MeasureImage(Document, canvas, *FontRuns.RunAt(picture.Position, position), 0);
        if (picture.WidthIsPercent)
            continue;
        if (picture.Floats())
            floatTotal += int64_t{picture.ImageWidth} + picture.HSpace;
        else
            minWidth = std::max(minWidth, picture.ImageWidth);
    }
    maxWidth = ClampInt32(floatTotal + TextWidth(canvas, 0, Length, false) + Indent);
    // Words end at spaces and pictures; a control belongs to the word it stands in.
    auto endsWord = [this](int32_t q) {
        const auto c = static_cast<unsigned char>(Text[static_cast<size_t>(q)]);
        return c == ' ' || c == ImageMarker;
    };
    for (int32_t p = 0; p < Length;) {
        if (endsWord(p)) {
            ++p;
            continue;
        }
        int32_t end = p;
        while (end < Length && !endsWord(end))
            ++end;
        minWidth = std::max(minWidth, TextWidth(canvas, p, end - p, false));
        p = end;
    }
    minWidth = ClampInt32(minWidth + floatTotal + Indent);
}

} // namespace htmlview
