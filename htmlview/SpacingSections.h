#pragma once
// The sections that hold no text but space: the gap of a paragraph, the gaps around a heading,
// and the horizontal rule. Their heights follow the document's default font size, so they are
// set again whenever the page's fonts are.
#include "htmlview/Cell.h"

#include <cstdint>

namespace htmlview {

class TAttributeList;

// Each of them ends a line in copied text.
class TLineEndSection : public TSectionBase {
public:
    void AddSelectedText() override;
};

class TParagraphSpace : public TLineEndSection {
public:
    void ApplyDocumentDefaults() override;
};

class THeadingSpace : public TLineEndSection {
public:
    explicit THeadingSpace(int32_t headingLevel) : HeadingLevel(headingLevel) {}

    int32_t HeadingLevel; // 1..6, or 0 for a heading tag without a level

    void ApplyDocumentDefaults() override;
};

class THorzLine : public TLineEndSection {
public:
    static constexpr int32_t DefaultSize = 2;
    static constexpr int32_t MaxSize = 20;
    static constexpr int32_t FullWidth = -1;
    static constexpr int32_t EdgeGap = 10; // room left at each side of a full-width rule

    // From the HR tag: SIZE, WIDTH (pixels or percent), ALIGN, COLOR and NOSHADE.
    explicit THorzLine(const TAttributeList& attributes);

    int32_t RuleSize = DefaultSize;  // thickness in pixels
    int32_t RuleWidth = FullWidth;   // pixels, or percent of the column with RuleWidthPercent
    bool RuleWidthPercent = false;
    platform::TColor RuleColor = 0;
    uint8_t RuleAlign = 2;           // 1 left, 2 centre, 3 right
    bool NoShade = false;            // a black outline in place of the sunken one
    bool RuleHasColor = false;       // a solid bar of RuleColor

    void ApplyDocumentDefaults() override;
    int32_t Paint(platform::TCanvas& canvas, const platform::TRect& clipRect, IndentManager& indentMgr,
                  int32_t x, int32_t y) override;

private:
    // The rule's left and right end on a column whose free edges are Left and Right.
    void RuleEnds(int32_t left, int32_t right, int32_t& x1, int32_t& x2) const;
};

} // namespace htmlview
