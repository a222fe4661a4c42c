// Lists: ordered, unordered, directory, menu and definition lists, and block quotes (a list
// without items, which only indents).
#include "htmlview/HtmlBuilderState.h"
#include "htmlview/ListSections.h"
#include "htmlview/SectionList.h"

#include <cstdint>
#include <limits>

namespace htmlview {

using enum HtmlToken;

void THtmlBuilder::ParseNestedList(int32_t level, HtmlToken kind, const TTokenSet& stops)
{
    if (!CanNest()) {
        NextToken();
        return;
    }
    {
        TNestingGuard nesting(*this);
        ParseList(level, kind, stops);
    }
    // The list leaves its end tag for the opener to read past. A token at which it stopped for
    // an outer block stays current, so that block sees it.
    if (IsListEnd(Token))
        NextToken();
}

void THtmlBuilder::ParseList(int32_t level, HtmlToken kind, const TTokenSet& stops)
{
    int32_t number = 1;
    char numberingType = '1';
    bool plain = false;
    if (kind == OlTag) {
        // A negative START is ignored; START 0 shows as "0." whatever the TYPE.
        if (const TAttribute* start = Attribute(StartAttr); start && start->ValueNumber >= 0)
            number = start->ValueNumber;
        if (const TAttribute* type = Attribute(TypeAttr); type && !type->ValueText.empty())
            numberingType = type->ValueText.front();
    } else if (kind == UlTag) {
        plain = Attribute(PlainAttr) != nullptr;
    }
    CloseSection();
    NextToken();
    int32_t itemLevel = level;
    while (!IsListEnd(Token) && Token != EndOfInputToken) {
        const HtmlToken token = Token;
        if (IsListStart(token)) {
            ParseNestedList(level + 1, token, stops);
            continue;
        }
        switch (token) {
        case LiTag:
            CloseSection();
            if (kind == OlTag) {
                OpenSection(std::make_unique<TOListItem>(Document, level, &CurrentLink, TopFont(), CurrentStyle,
                                                         numberingType, number));
                if (number < std::numeric_limits<int32_t>::max())
                    ++number;
            } else {
                OpenSection(
                    std::make_unique<TUListItem>(Document, level, &CurrentLink, TopFont(), CurrentStyle, plain));
            }
            itemLevel = level;
            SkipWhiteSpace();
            NextToken();
            if (Token == PTag)
                NextToken();
            break;
        case DdTag:
        case DtTag:
            CloseSection();
            itemLevel = token == DtTag ? level - 1 : level;
            OpenSection(std::make_unique<TDListItem>(Document, itemLevel, &CurrentLink, TopFont(), CurrentStyle));
            NextToken();
            break;
        case CenterTag:
        case DivTag:
            // The division ends at its own end tag; the list goes on after it.
            ParseDivision(itemLevel, stops.With(ListEnds));
            break;
        case HrTag:
            AddRule();
            NextToken();
            break;
        case TableTag:
            // An item whose text starts with a table keeps its marker line.
            if (CurrentSection)
                CurrentSection->EnsureText();
            ParseInline(itemLevel);
            break;
        default:
            if (IsInlineToken(token)) {
                ParseInline(itemLevel);
                break;
            }
            if (stops.Has(token))
                return;
            NextToken();
            break;
        }
    }
    CloseSection();
}

} // namespace htmlview
