#pragma once
// The text sections the builder makes in place of plain ones: a line of preformatted text, which
// never wraps, and the list items that give a section its number, bullet or definition indent.
#include "htmlview/Section.h"

#include <cstdint>
#include <string_view>

namespace htmlview {

// One source line of preformatted text, always left-aligned.
class TPreFormated : public TSection {
public:
    // A preformatted block lets a table column shrink to this width but no further.
    static constexpr int32_t MaxMinWidth = 500;

    TPreFormated(TSectionList& document, int32_t listLevel, const TUrlTarget* linkTarget, const TMyFont& font,
                 platform::TFontStyles style);

    // Bytes as they stand (blanks at the seam are kept); nothing once the section is full.
    void AppendText(std::string_view text) override;
    // Lines end only where the source line ended; the width reported is the whole line's.
    int32_t Layout(platform::TCanvas& canvas, int32_t y, IndentManager& indentMgr, int32_t& maxWidth,
                   int32_t& charIndex) override;
    void MeasureWidths(platform::TCanvas& canvas, int32_t& minWidth, int32_t& maxWidth) override;

protected:
    bool Preformatted() const override { return true; }
};

// An item of an unordered list (UL, DIR, MENU) or of a block quote: a bullet, or none in a
// PLAIN list.
class TUListItem : public TSection {
public:
    TUListItem(TSectionList& document, int32_t listLevel, const TUrlTarget* linkTarget, const TMyFont& font,
               platform::TFontStyles style, bool plain = false);
};

// A DD or DT of a definition list: the indent without a marker.
class TDListItem : public TUListItem {
public:
    TDListItem(TSectionList& document, int32_t listLevel, const TUrlTarget* linkTarget, const TMyFont& font,
               platform::TFontStyles style);
};

// An item of an ordered list, numbered by its TYPE letter ("1", "a", "A", "i", "I").
class TOListItem : public TUListItem {
public:
    TOListItem(TSectionList& document, int32_t listLevel, const TUrlTarget* linkTarget, const TMyFont& font,
               platform::TFontStyles style, char numberingType, int32_t number);
};

} // namespace htmlview
