// Painting of a text section: its runs with the selection in inverse colours, its pictures and
// form controls at their places, and the number, letter or bullet of a list item.
#include "htmlview/Section.h"

#include "htmlview/SectionList.h"

#include <algorithm>
#include <array>

namespace htmlview {

using platform::TCanvas;
using platform::TColor;
using platform::TTextAlign;

namespace {

constexpr int32_t Unlimited = 32000; // longest stretch drawn in one call

constexpr std::array<const char*, 20> RomanNumerals = {
    "I",  "II",  "III",  "IV",  "V",  "VI",  "VII",  "VIII",  "IX",  "X",
    "XI", "XII", "XIII", "XIV", "XV", "XVI", "XVII", "XVIII", "XIX", "XX"};

std::string MarkerBody(char numberingType, int32_t itemNumber)
{
    // Letters and numerals start at 1: a list counted from 0 or below shows its numbers.
    if (itemNumber < 1)
        return std::to_string(itemNumber);
    switch (numberingType) {
    case 'A':
    case 'a':
        return std::string(1, static_cast<char>(numberingType + std::min(itemNumber - 1, 25)));
    case 'I':
    case 'i': {
        std::string numeral = RomanNumerals[static_cast<size_t>(std::min(itemNumber, 20) - 1)];
        if (numberingType == 'i')
            std::transform(numeral.begin(), numeral.end(), numeral.begin(),
                           [](char c) { return static_cast<char>(c - 'A' + 'a'); });
        return numeral;
    }
    default:
        return std::to_string(itemNumber);
    }
}

// Whether the page's background is one a coloured bullet shows on.
bool IsLightBackground(TColor color)
{
    return color == platform::clBtnFace || (color & 0xFFFFFF) == platform::clWhite
        || (color & ~platform::PaletteRelative) == platform::clSilver
        || (color == platform::clWindow && platform::ColorToRGB(platform::clWindow) == platform::clWhite);
}

} // namespace

std::string ListMarkerText(char numberingType, int32_t itemNumber)
{
    std::string text = MarkerBody(numberingType, itemNumber).substr(0, 7);
    if (text.size() < 7)
        text += '.';
    return text;
}

struct TSection::TPaintFrame {
    TCanvas& Canvas;
    IndentManager& IndentMgr;
    int32_t X;
    int32_t Y; // document Y, running down the lines
    int32_t ScrollTop;
    int32_t SelFrom; // the selection, relative to the section
    int32_t SelTo;
    const platform::TRect& Clip;
    // The text of lines wholly outside the clip is passed, not drawn: [PassedFrom, PassedTo).
    int32_t PassedFrom = 0;
    int32_t PassedTo = 0;

    // Whether P is selected, and how far that state lasts.
    bool Selected(int32_t p, int32_t& stretch) const
    {
        stretch = Unlimited;
        if (SelTo <= SelFrom || p >= SelTo)
            return false;
        if (p < SelFrom) {
            stretch = std::min(Unlimited, SelFrom - p);
            return false;
        }
        stretch = std::min(Unlimited, SelTo - p);
        return true;
    }
};

int32_t TSection::Paint(TCanvas& canvas, const platform::TRect& clipRect, IndentManager& indentMgr, int32_t x,
                        int32_t y)
{
    const int32_t next = ClampInt32(int64_t{y} + Height);
    const int32_t scrollTop = Document->ScrollTop;
    if (int64_t{y} + PaintHeight - scrollTop < clipRect.Top || int64_t{y} - scrollTop >= clipRect.Bottom)
        return next;
    TPaintFrame frame{canvas, indentMgr, x, y, scrollTop,
                      ClampInt32(int64_t{Document->SelStart} - FirstIndex),
                      ClampInt32(int64_t{Document->SelEnd} - FirstIndex), clipRect};
    for (size_t i = 0; i < Lines.size(); ++i)
        PaintLine(frame, i);
    FinishPassedLines(frame);
    return next;
}

void TSection::PaintLine(TPaintFrame& frame, size_t index)
{
    LineRec& line = Lines[index];
    const int64_t top = int64_t{frame.Y} - frame.ScrollTop;
    frame.Y = ClampInt32(int64_t{frame.Y} + line.TextHeight + line.SpaceBefore);
    if (index == 0 && (MarkerKind == NumberMarker || MarkerKind == BulletMarker))
        PaintMarker(frame, line, ClampInt32(int64_t{frame.X} + FirstLineLeft));
    // Sub- and superscripts and tall glyphs may reach a little beyond the line; floats started
    // in it reach as far as its PaintHeight.
    const int64_t reach = 2 * int64_t{line.TextHeight};
    const bool visible = top + std::max(line.FullHeight(), line.PaintHeight) + reach > frame.Clip.Top
        && top - reach < frame.Clip.Bottom;
    const int32_t end = line.Start + line.Count;
    if (visible || NextMarker(line.Start) < end) {
        FinishPassedLines(frame);
        PaintRun(frame, line, visible);
    } else {
        // Where it would stand, for the hit tests.
        line.PaintTop = frame.Y - line.TextHeight;
        line.PaintLeft = ClampInt32(int64_t{frame.X} + line.Left);
        if (frame.PassedTo != line.Start)
            frame.PassedFrom = line.Start;
        frame.PassedTo = end;
    }
    frame.Y = ClampInt32(int64_t{frame.Y} + line.SpaceAfter);
}

void TSection::FinishPassedLines(TPaintFrame& frame)
{
    const int32_t from = frame.PassedFrom;
    const int32_t to = frame.PassedTo;
    frame.PassedFrom = frame.PassedTo = 0;
    if (to <= from)
        return;
    // The last stretch drawn selects its run's font; a selected stretch sets the brush to its
    // run's colour and the font's to the page background.
    int32_t stretch = 0;
    const int32_t lastSelected = std::min(frame.SelTo, to) - 1;
    if (frame.SelTo > frame.SelFrom && lastSelected >= std::max(frame.SelFrom, from)) {
        frame.Canvas.Brush().Color = SelectRunFont(frame.Canvas, lastSelected).Font->Color();
        frame.Canvas.Brush().Style = platform::TBrushStyle::bsSolid;
    }
    SelectRunFont(frame.Canvas, to - 1);
    if (frame.Selected(to - 1, stretch))
        frame.Canvas.Font().Color = Document->BackgroundColor;
}

void TSection::PaintMarker(TPaintFrame& frame, const LineRec& line, int32_t mx)
{
    TCanvas& canvas = frame.Canvas;
    const TSectionList& document = *Document;
    if (MarkerKind == NumberMarker) {
        const std::string text = ListMarkerText(NumberingType, ItemNumber);
        canvas.SetFont(MarkerFont.Data());
        canvas.TextOut(mx - 5 - canvas.TextWidth(text), frame.Y - line.Descent - frame.ScrollTop, text,
                       TTextAlign::Baseline);
        return;
    }
    if (Plain)
        return;
    if (IsLightBackground(document.BackgroundColor)) {
        static constexpr std::array<TColor, 3> LevelColors = {platform::clRed, platform::clNavy,
                                                              platform::clMaroon};
        if (ListLevel >= 0 && ListLevel <= 5) {
            const TColor color = LevelColors[static_cast<size_t>(ListLevel % 3)];
            canvas.Pen().Color = color;
            canvas.Brush().Color = color;
            canvas.Brush().Style = platform::TBrushStyle::bsSolid;
        }
    } else {
        canvas.Pen().Color = document.FontColor;
        canvas.Brush().Style = platform::TBrushStyle::bsClear;
    }
    const int32_t cx = mx - 8;
    const int32_t cy = frame.Y - line.TextHeight / 2 - frame.ScrollTop;
    canvas.Ellipse({cx - 2, cy - 2, cx + 3, cy + 3});
    canvas.Brush().Color = document.BackgroundColor;
    canvas.Brush().Style = platform::TBrushStyle::bsSolid;
    canvas.Pen().Color = document.FontColor;
}

void TSection::PaintRun(TPaintFrame& frame, LineRec& line, bool drawText)
{
    TCanvas& canvas = frame.Canvas;
    const int32_t y = frame.Y; // bottom of the line's text
    const int32_t baseline = y - line.Descent;
    int64_t cx = int64_t{frame.X} + line.Left;
    line.PaintTop = y - line.TextHeight;
    line.PaintLeft = ClampInt32(cx);
    bool atStart = true;
    int32_t p = line.Start;
    int32_t count = line.Count;
    while (count > 0) {
        const TFontObj& run = SelectRunFont(canvas, p);
        const auto c = static_cast<unsigned char>(Text[static_cast<size_t>(p)]);
        int32_t n = 1;
        if (c == ImageMarker) {
            if (TInlinePicture* picture = PictureAt(p)) {
                if (!picture->Floats()) {
                    picture->PaintImage(canvas, ClampInt32(cx), y - line.TextHeight, baseline, run);
                    cx += picture->ImageWidth;
                } else {
                    // A float met at the line's start stands beside it, a later one below it.
                    const int32_t top = atStart ? y - line.TextHeight - line.SpaceBefore : y;
                    picture->PaintImage(canvas, ClampInt32(int64_t{frame.IndentMgr.LeftX} + picture->FloatX), top,
                                        baseline, run);
                }
                atStart = atStart && picture->Floats();
            }
        } else if (c == ControlMarker) {
            if (TInlineControl* control = ControlAt(p)) {
                if (control->HasWindowControl()) {
                    control->Placed = true;
                    const int32_t raise = control->RaiseByDescent() ? line.Descent : 0;
                    control->ShowAt(ClampInt32(cx), y - control->ControlHeight() - raise - frame.ScrollTop);
                }
                cx += control->ControlWidth();
            }
            atStart = false;
        } else if (!drawText && NextMarker(p) >= p + count) {
            // No object left in the line: the rest only leaves its mark on the canvas state.
            frame.PassedFrom = p;
            frame.PassedTo = p + count;
            break;
        } else {
            int32_t stretch = 0;
            const bool selected = frame.Selected(p, stretch);
            n = CharsToNextMarker(p, std::min({count, stretch, FontRuns.RunCharsLeft(p, Length)}));
            const std::string_view chars = std::string_view(Text).substr(static_cast<size_t>(p), static_cast<size_t>(n));
            if (selected) {
                canvas.Brush().Color = run.Font->Color();
                canvas.Brush().Style = platform::TBrushStyle::bsSolid;
                canvas.Font().Color = Document->BackgroundColor;
            }
            const int32_t textX = ClampInt32(cx - run.Overhang / 2);
            // Undrawn text is still measured: an object further on in the line stands after it.
            if (drawText && Preformatted()) {
                const platform::TRect clip{frame.X, y - line.TextHeight - line.SpaceBefore - frame.ScrollTop,
                                           ClampInt32(int64_t{frame.X} + frame.IndentMgr.PaintClipWidth),
                                           y - frame.ScrollTop};
                canvas.TextOut(textX, baseline - frame.ScrollTop, chars, TTextAlign::Baseline, selected, &clip);
            } else if (drawText) {
                int32_t shift = 0;
                if (run.ScriptPosition == ScriptSuperscript)
                    shift = -(run.TextHeight / 3);
                else if (run.ScriptPosition == ScriptSubscript)
                    shift = run.Descent / 2 + 1;
                canvas.TextOut(textX, baseline - frame.ScrollTop + shift, chars, TTextAlign::Baseline, selected);
            }
            cx += canvas.TextWidth(chars) - run.Overhang;
            atStart = false;
        }
        count -= n;
        p += n;
    }
}

} // namespace htmlview
