#include "htmlview/SpacingSections.h"

#include "htmlview/HtmlScanner.h"
#include "htmlview/SectionList.h"
#include "htmlview/SelectionVisitor.h"

namespace htmlview {

using platform::TCanvas;
using platform::TColor;

namespace {

constexpr int32_t RuleHeight = 20; // twelfths of the default font size, for a 2-pixel rule

// A white page shows the light edge of a sunken rule in silver, so the edge stays visible.
bool IsWhitePage(TColor background)
{
    return (background & 0xFFFFFF) == 0xFFFFFF
        || (background == platform::clWindow && platform::ColorToRGB(platform::clWindow) == platform::clWhite);
}

} // namespace

void TLineEndSection::AddSelectedText()
{
    if (SelTextCount* visitor = DocumentVisitor(*Document)) {
        visitor->Add("");
        visitor->Add("\r\n");
    }
}

void TParagraphSpace::ApplyDocumentDefaults()
{
    Height = MulDiv(ParagraphSpaceSize, Document->FontSize, 12);
}

void THeadingSpace::ApplyDocumentDefaults()
{
    Height = MulDiv(HeadingSpaceSize(HeadingLevel), Document->FontSize, 12);
}

THorzLine::THorzLine(const TAttributeList& attributes)
{
    for (int i = 0; i < attributes.Count(); ++i) {
        const TAttribute& attribute = *attributes[i];
        const int32_t number = attribute.ValueNumber;
        switch (attribute.Kind) {
        case HtmlToken::SizeAttr:
            if (number >= 1 && number <= MaxSize)
                RuleSize = number;
            break;
        case HtmlToken::WidthAttr:
            if (number <= 0)
                break;
            if (attribute.ValueText.find('%') == std::string::npos) {
                RuleWidth = number;
            } else {
                // Beyond 100 percent the rule keeps the full width.
                RuleWidthPercent = true;
                if (number <= 100)
                    RuleWidth = number;
            }
            break;
        case HtmlToken::AlignAttr:
            RuleAlign = ParseRuleAlign(attribute.ValueText);
            break;
        case HtmlToken::ColorAttr:
            RuleHasColor = ParseColor(attribute.ValueText, RuleColor);
            break;
        case HtmlToken::NoShadeAttr:
            NoShade = true;
            break;
        default:
            break;
        }
    }
}

void THorzLine::ApplyDocumentDefaults()
{
    Height = ClampInt32(int64_t{MulDiv(RuleHeight, Document->FontSize, 12)} + RuleSize - DefaultSize);
}

void THorzLine::RuleEnds(int32_t left, int32_t right, int32_t& x1, int32_t& x2) const
{
    if (RuleWidth < 0) {
        x1 = left + EdgeGap;
        x2 = right - EdgeGap;
        return;
    }
    const int32_t width = RuleWidthPercent ? MulDiv(right - left, RuleWidth, 100) : RuleWidth;
    switch (RuleAlign) {
    case JustifyLeft:
        x1 = left;
        break;
    case JustifyRight:
        x1 = ClampInt32(int64_t{right} - width);
        break;
    default:
        x1 = ClampInt32((int64_t{right} - left - width) / 2 + left);
        break;
    }
    x2 = ClampInt32(int64_t{x1} + width);
}

int32_t THorzLine::Paint(TCanvas& canvas, const platform::TRect& clipRect, IndentManager& indentMgr, int32_t x,
                         int32_t y)
{
    const int32_t next = TLineEndSection::Paint(canvas, clipRect, indentMgr, x, y);
    const int32_t top = y - Document->ScrollTop;
    if (int64_t{top} + Height < clipRect.Top || top >= clipRect.Bottom)
        return next;
    int32_t x1 = 0;
    int32_t x2 = 0;
    RuleEnds(indentMgr.LeftEdge(y), indentMgr.RightEdge(y), x1, x2);
    const int32_t y0 = top + (Height - RuleSize) / 2;
    const int32_t y1 = y0 + RuleSize;
    if (RuleHasColor) {
        canvas.Brush().Color = RuleColor | platform::PaletteRelative;
        canvas.Brush().Style = platform::TBrushStyle::bsSolid;
        canvas.FillRect({x1, y0, x2, y1});
        return next;
    }
    canvas.Pen().Color = NoShade ? platform::clBlack : platform::clBtnShadow;
    canvas.MoveTo(x1, y1);
    canvas.LineTo(x1, y0);
    canvas.LineTo(x2, y0);
    canvas.Pen().Color = NoShade                                ? platform::clBlack
                         : IsWhitePage(Document->BackgroundColor) ? platform::clSilver
                                                                  : platform::clBtnHighlight;
    canvas.LineTo(x2, y1);
    canvas.LineTo(x1, y1);
    return next;
}

} // namespace htmlview
