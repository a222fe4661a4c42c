// A text section as the builder fills it: its text, font runs, pictures and form controls, and
// the text measurements that line breaking, painting and hit tests share.
#include "htmlview/Section.h"

#include "htmlview/HtmlScanner.h"
#include "htmlview/SectionList.h"
#include "platform/Windows1252.h"

#include <algorithm>

namespace htmlview {

using platform::TCanvas;

namespace {

// Line fitting measures at most this many characters at once towards a kind of marker that
// does not lie ahead.
constexpr int32_t LongestFit = 9999;

std::unique_ptr<TMyFont> CopyFont(const TMyFont& font, platform::TFontStyles style)
{
    auto copy = std::make_unique<TMyFont>();
    copy->Assign(font);
    copy->SetStyle(copy->Style() | style);
    return copy;
}

// The first of Count objects, sorted by Position, whose Position is at least P (Count for none).
template <class List>
int FirstAtOrAfter(const List& objects, int count, int32_t p)
{
    int lo = 0;
    int hi = count;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (objects[mid]->Position < p)
            lo = mid + 1;
        else
            hi = mid;
    }
    return lo;
}

} // namespace

TSection::TSection(TSectionList& document, int32_t listLevel, uint8_t alignment, const TUrlTarget* linkTarget,
                   const TMyFont& font, platform::TFontStyles style)
    : ListLevel(listLevel), Indent(ClampInt32(int64_t{LevelIndent} * listLevel)), Alignment(alignment)
{
    Document = &document;
    TFontObj* run = FontRuns.Add(std::make_unique<TFontObj>(CopyFont(font, style), 0, document.Screen()));
    if (linkTarget)
        run->Target = *linkTarget;
    MarkerFont.Assign(*run->Font);
}

void TSection::AppendBytes(std::string_view text)
{
    const size_t from = Text.size();
    Text.append(text.substr(0, static_cast<size_t>(MaxLength - Length)));
    // Only the object-adding calls make markers: a page's own bytes 2 and 4 are plain text.
    std::replace_if(Text.begin() + static_cast<std::ptrdiff_t>(from), Text.end(),
                    [](char c) { return IsObjectMarker(static_cast<unsigned char>(c)); }, '?');
    Length = static_cast<int32_t>(Text.size());
}

void TSection::AppendText(std::string_view text)
{
    if (text.empty())
        return;
    if ((Length == 0 || Text.back() == ' ') && text.front() == ' ')
        text.remove_prefix(1);
    // Text after pictures that float at the section's start starts like text of an empty section.
    bool onlyFloats = Length > 0;
    for (int32_t i = 0; onlyFloats && i < Length; ++i) {
        const TInlinePicture* picture =
            static_cast<unsigned char>(Text[static_cast<size_t>(i)]) == ImageMarker ? PictureAt(i) : nullptr;
        onlyFloats = picture && picture->Floats();
    }
    if (onlyFloats && !text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    AppendBytes(text);
}

uint8_t TSection::EnsureText()
{
    if (Length == 0)
        AppendBytes(" ");
    return Alignment;
}

void TSection::ChangeFont(TSectionList& document, const TMyFont& font, platform::TFontStyles style,
                          uint8_t scriptPosition)
{
    TFontObj* run = FontRuns.Last();
    if (run->Start == Length) {
        run->Font->Assign(font);
    } else {
        const TUrlTarget target = run->Target;
        auto copy = std::make_unique<TMyFont>();
        copy->Assign(font);
        run = FontRuns.Add(std::make_unique<TFontObj>(std::move(copy), Length, document.Screen()));
        run->Target = target;
    }
    run->Font->SetStyle(run->Font->Style() | style);
    run->ScriptPosition = scriptPosition;
    // The point size follows at once, so the first layout already measures the smaller run.
    if (scriptPosition == ScriptSubscript || scriptPosition == ScriptSuperscript)
        run->Font->SetRelativeSize(document, MulDiv(run->Font->RelativeSize, 3, 4));
}

void TSection::ChangeFontAndLink(TSectionList& document, const TMyFont& font, platform::TFontStyles style,
                                 uint8_t scriptPosition, const TUrlTarget* linkStart)
{
    ChangeFont(document, font, style, scriptPosition);
    TFontObj* run = FontRuns.Last();
    run->Target.ClearLink();
    if (linkStart)
        run->Target = *linkStart;
}

TInlinePicture* TSection::AddImage(std::unique_ptr<TInlinePicture> picture, TCell* cell)
{
    picture->Position = Length;
    picture->Cell = cell;
    TInlinePicture* added = Images.Add(std::move(picture));
    Text.push_back(static_cast<char>(ImageMarker));
    ++Length;
    return added;
}

void TSection::AddControl(TInlineControl& control)
{
    control.Position = Length;
    Controls.push_back(&control);
    Text.push_back(static_cast<char>(ControlMarker));
    ++Length;
}

void TSection::SetClear(const TAttributeList& attributes)
{
    const TAttribute* clear = attributes.FindAttribute(HtmlToken::ClearAttr);
    if (!clear)
        return;
    const std::string value = platform::AnsiLowerCase(clear->ValueText.substr(0, 15));
    ClearMode = value == "left" ? 1 : value == "right" ? 2 : 3;
}

void TSection::RefreshFonts()
{
    FontRuns.ApplyDefaults(*Document);
    MarkerFont.ApplyDefaults(*Document, Document->FontColor);
    TSectionBase::RefreshFonts();
}

void TSection::MoveBy(int32_t dy, int32_t dIndex)
{
    TSectionBase::MoveBy(dy, dIndex);
    for (TInlineControl* control : Controls)
        control->YPosition = ClampInt32(int64_t{control->YPosition} + dy);
}

int TSection::FirstImageFrom(int32_t p) const
{
    return FirstAtOrAfter(Images, Images.Count(), p);
}

int TSection::FirstControlFrom(int32_t p) const
{
    return FirstAtOrAfter(Controls, static_cast<int>(Controls.size()), p);
}

TInlinePicture* TSection::PictureAt(int32_t position) const
{
    const int i = FirstImageFrom(position);
    return i < Images.Count() && Images[i]->Position == position ? Images[i] : nullptr;
}

TInlineControl* TSection::ControlAt(int32_t position) const
{
    const size_t i = static_cast<size_t>(FirstControlFrom(position));
    return i < Controls.size() && Controls[i]->Position == position ? Controls[i] : nullptr;
}

int32_t TSection::NextMarker(int32_t p) const
{
    const int image = FirstImageFrom(p);
    const size_t control = static_cast<size_t>(FirstControlFrom(p));
    int32_t next = Length;
    if (image < Images.Count())
        next = Images[image]->Position;
    if (control < Controls.size())
        next = std::min(next, Controls[control]->Position);
    return next;
}

int32_t TSection::CharsToNextMarker(int32_t p, int32_t limit) const
{
    return std::min(limit, NextMarker(p) - p);
}

int32_t TSection::FitStretch(int32_t p, int32_t limit) const
{
    const int image = FirstImageFrom(p);
    const size_t control = static_cast<size_t>(FirstControlFrom(p));
    const int32_t toImage = image < Images.Count() ? Images[image]->Position - p : LongestFit;
    const int32_t toControl = control < Controls.size() ? Controls[control]->Position - p : LongestFit;
    return std::min({limit, toImage, toControl});
}

TFontObj& TSection::SelectRunFont(TCanvas& canvas, int32_t p) const
{
    int position = 0;
    TFontObj& run = *FontRuns.RunAt(p, position);
    canvas.SetFont(run.Font->Data());
    return run;
}

int32_t TSection::ExtentOf(TCanvas& canvas, int32_t p, int32_t count) const
{
    return canvas.TextWidth(std::string_view(Text).substr(static_cast<size_t>(p), static_cast<size_t>(count)));
}

int32_t TSection::TextWidth(TCanvas& canvas, int32_t p, int32_t count, bool trimTrailing)
{
    count = std::min(count, Length - p);
    if (trimTrailing)
        while (count > 1 && Text[static_cast<size_t>(p + count - 1)] == ' ')
            --count;
    int64_t width = 0;
    while (count > 0) {
        const auto c = static_cast<unsigned char>(Text[static_cast<size_t>(p)]);
        int32_t step = 1;
        if (c == ImageMarker) {
            const TInlinePicture* picture = PictureAt(p);
            if (picture && !picture->Floats())
                width += picture->ImageWidth;
        } else if (c == ControlMarker) {
            if (const TInlineControl* control = ControlAt(p))
                width += control->ControlWidth();
        } else {
            const TFontObj& run = SelectRunFont(canvas, p);
            step = CharsToNextMarker(p, std::min(count, FontRuns.RunCharsLeft(p, Length)));
            width += ExtentOf(canvas, p, step) - run.Overhang;
        }
        p += step;
        count -= step;
    }
    return ClampInt32(width);
}

int32_t TSection::FitChars(TCanvas& canvas, int32_t width, int32_t p, int32_t count)
{
    return FitWalk(canvas, width, p, count, nullptr);
}

} // namespace htmlview
