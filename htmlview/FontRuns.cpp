#include "htmlview/FontRuns.h"

#include "htmlview/SectionList.h"

namespace htmlview {

using platform::TColor;
using platform::TFontData;

void TMyFont::Assign(const platform::TFont& source)
{
    if (const auto* my = dynamic_cast<const TMyFont*>(&source)) {
        RelativeSize = my->RelativeSize;
        Preformatted = my->Preformatted;
    }
    platform::TFont::Assign(source);
}

void TMyFont::SetRelativeSize(const TSectionList& document, int32_t n)
{
    RelativeSize = n;
    SetSize(MulDiv(document.FontSize, n, 12));
}

void TMyFont::ApplyDefaults(const TSectionList& document, TColor color)
{
    TFontData data = Data();
    data.Name = Preformatted ? document.PreFontName : document.FontName;
    data.Charset = document.Charset;
    data.Size = MulDiv(document.FontSize, RelativeSize, 12);
    data.Color = color | platform::PaletteRelative;
    SetData(data);
}

TFontObj::TFontObj(std::unique_ptr<TMyFont> font, int32_t start, platform::TCanvas& screen)
    : Start(start), Font(std::move(font)), Screen_(screen)
{
    Font->OnChange = [this] { UpdateMetrics(); };
    UpdateMetrics();
}

void TFontObj::UpdateMetrics()
{
    const TFontData previous = Screen_.Font();
    Screen_.SetFont(Font->Data());
    const platform::TTextMetrics m = Screen_.TextMetrics();
    Screen_.SetFont(previous);
    Height = m.Height;
    TextHeight = m.Height + m.ExternalLeading;
    Descent = m.Descent;
    Overhang = m.Overhang;
}

void TFontObj::ApplyDefaults(const TSectionList& document)
{
    Font->ApplyDefaults(document, Target.UrlText.empty() ? document.FontColor : document.LinkColor);
}

void TFontList::ApplyDefaults(const TSectionList& document)
{
    for (int i = 0; i < Count(); ++i)
        Items(i)->ApplyDefaults(document);
}

TFontObj* TFontList::RunAt(int32_t index, int& position) const
{
    position = 0;
    if (Count() == 0)
        return nullptr;
    // Runs are sorted by Start: find the last one at or before Index.
    int lo = 0;
    int hi = Count() - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (Items(mid)->Start <= index)
            lo = mid;
        else
            hi = mid - 1;
    }
    position = lo;
    return Items(lo);
}

TMyFont* TFontList::FontAt(int32_t index, int32_t& overhang) const
{
    int position = 0;
    TFontObj* run = RunAt(index, position);
    overhang = run ? run->Overhang : 0;
    return run ? run->Font.get() : nullptr;
}

int32_t TFontList::RunCharsLeft(int32_t index, int32_t length) const
{
    int position = 0;
    const TFontObj* run = RunAt(index, position);
    const int next = run && run->Start <= index ? position + 1 : position;
    if (next < Count())
        return Items(next)->Start - index;
    return length - index;
}

} // namespace htmlview
