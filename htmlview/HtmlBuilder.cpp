// The builder's entries, its state and the block level of a page: the body, BODY itself and
// divisions.
#include "htmlview/HtmlBuilder.h"

#include "htmlview/HtmlBuilderState.h"
#include "htmlview/HtmlImages.h"
#include "htmlview/ListSections.h"
#include "htmlview/SectionList.h"
#include "htmlview/SpacingSections.h"
#include "platform/Windows1252.h"

namespace htmlview {

using enum HtmlToken;

TTokenSet::TTokenSet(std::initializer_list<HtmlToken> tokens)
{
    for (const HtmlToken token : tokens)
        bits_.set(static_cast<size_t>(token));
}

TTokenSet TTokenSet::With(const TTokenSet& more) const
{
    TTokenSet result = *this;
    result.bits_ |= more.bits_;
    return result;
}

const TTokenSet ListEnds = {OlEnd, UlEnd, DirEnd, MenuEnd, DlEnd, BlockquoteEnd};

bool IsInlineToken(HtmlToken token)
{
    static const TTokenSet inlineTokens = {
        PTag,     PEnd,     BTag,       BEnd,      ITag,      IEnd,       BrTag,       HeadingTag, HeadingEnd,
        EmTag,    EmEnd,    StrongTag,  StrongEnd, UTag,      UEnd,       CiteTag,     CiteEnd,    VarTag,
        VarEnd,   TtTag,    TtEnd,      CodeTag,   CodeEnd,   KbdTag,     KbdEnd,      SampTag,    SampEnd,
        AddressTag, AddressEnd, PreTag, ImgTag,    ATag,      AEnd,       TextToken,   TableTag,   InputTag,
        FormTag,  FormEnd,  TextAreaTag, TextAreaEnd, SelectTag, FontTag, FontEnd,     BaseFontTag, SubTag,
        SubEnd,   SupTag,   SupEnd,     BigTag,    BigEnd,    SmallTag,   SmallEnd,    MapTag,     ScriptTag,
        STag,     SEnd,     StrikeTag,  StrikeEnd};
    return inlineTokens.Has(token);
}

bool IsListStart(HtmlToken token)
{
    static const TTokenSet listStarts = {OlTag, UlTag, DirTag, MenuTag, DlTag, BlockquoteTag};
    return listStarts.Has(token);
}

bool IsListEnd(HtmlToken token)
{
    return ListEnds.Has(token);
}

THtmlBuilder::THtmlBuilder(TSectionList& document, TAnchorList& anchorNames, TParsedHead& head,
                           const TParseHandlers& handlers)
    : Document(document), CurrentCell(&document), AnchorNames(anchorNames), Head(head), Handlers(handlers)
{
    auto base = std::make_unique<TMyFont>();
    base->SetName(document.FontName);
    base->SetColor(document.FontColor | platform::PaletteRelative);
    base->SetCharset(document.Charset);
    base->SetRelativeSize(document, 12);
    FontStack.push_back(std::move(base));
    head = {};
    IncludeHandler = handlers.Include;
    StartSection(0, JustifyLeft);
}

THtmlBuilder::~THtmlBuilder()
{
    CloseSection();
}

void THtmlBuilder::ParseHtml()
{
    NextChar();
    NextToken();
    ParseBody(0, {});
}

bool THtmlBuilder::PushFont()
{
    if (FontStack.size() >= MaxFonts)
        return false;
    auto font = std::make_unique<TMyFont>();
    font->Assign(TopFont());
    FontStack.push_back(std::move(font));
    return true;
}

void THtmlBuilder::PopFont()
{
    if (FontStack.size() > 1)
        FontStack.pop_back();
}

void THtmlBuilder::SetMonospaced(TMyFont& font)
{
    font.SetName(Document.PreFontName);
    font.SetRelativeSize(Document, MonospacedFontSize);
    font.Preformatted = true;
}

void THtmlBuilder::OpenSection(std::unique_ptr<TSection> section)
{
    CloseSection();
    CurrentScriptPosition = ScriptNormal;
    CurrentSection = std::move(section);
}

void THtmlBuilder::StartSection(int32_t level, uint8_t alignment)
{
    OpenSection(std::make_unique<TSection>(Document, level, alignment, &CurrentLink, TopFont(), CurrentStyle));
}

void THtmlBuilder::EnsureSection(int32_t level)
{
    if (!CurrentSection)
        StartSection(level, Justification);
}

void THtmlBuilder::CloseSection()
{
    if (CurrentSection)
        CurrentCell->AppendSection(std::move(CurrentSection));
}

void THtmlBuilder::ChangeFont()
{
    if (CurrentSection)
        CurrentSection->ChangeFont(Document, TopFont(), CurrentStyle, CurrentScriptPosition);
}

void THtmlBuilder::ChangeFontAndLink(bool linkStart)
{
    if (CurrentSection)
        CurrentSection->ChangeFontAndLink(Document, TopFont(), CurrentStyle, CurrentScriptPosition,
                                          linkStart ? &CurrentLink : nullptr);
}

void THtmlBuilder::EndLink()
{
    if (InLink) {
        CurrentLink.ClearLink();
        InLink = false;
        PopFont();
    }
    ChangeFontAndLink(false);
}

void THtmlBuilder::AddRule()
{
    CloseSection();
    CurrentCell->AppendSection(std::make_unique<THorzLine>(AttributeList));
}

void THtmlBuilder::AddAnchor(const std::string& name)
{
    AnchorNames.push_back({platform::AnsiUpperCase(name), CurrentSection.get()});
}

TImageObj& THtmlBuilder::AddImage()
{
    return static_cast<TImageObj&>(*CurrentSection->AddImage(std::make_unique<TImageObj>(AttributeList), CurrentCell));
}

std::string THtmlBuilder::AttributeText(HtmlToken kind) const
{
    const TAttribute* attribute = Attribute(kind);
    return attribute ? attribute->ValueText : std::string();
}

void THtmlBuilder::ParseBody(int32_t level, const TTokenSet& stops)
{
    while (Token != EndOfInputToken && Token != BodyEnd) {
        const HtmlToken token = Token;
        if (IsInlineToken(token)) {
            ParseInline(level);
            continue;
        }
        // A list at body level starts at the first level, also inside a division of a list item.
        if (IsListStart(token)) {
            ParseNestedList(1, token, stops);
            continue;
        }
        switch (token) {
        case TitleTag:
            ParseTitle();
            break;
        case BodyTag:
            ParseBodyTag(level);
            NextToken();
            break;
        case HrTag:
            AddRule();
            NextToken();
            break;
        case CenterTag:
        case DivTag:
            ParseDivision(level, stops);
            break;
        case BgSoundTag:
            ParseBgSound();
            break;
        case MetaTag:
            ParseMeta();
            break;
        case BaseTag:
            ParseBase();
            break;
        default:
            if (stops.Has(token))
                return;
            NextToken();
            break;
        }
    }
    NextToken();
}

void THtmlBuilder::ParseBodyTag(int32_t level)
{
    // BODY takes effect only before its column (the page, or a table cell) shows anything. The
    // open section is kept: it may already hold text, and an anchor may point to it.
    const bool atStart = CurrentCell->Count() == 0 && (!CurrentSection || CurrentSection->Length == 0);
    if (!atStart)
        return;
    for (int i = 0; i < AttributeList.Count(); ++i) {
        const TAttribute& attribute = *AttributeList[i];
        platform::TColor color = 0;
        const bool isColor = ParseColor(attribute.ValueText, color);
        color |= platform::PaletteRelative;
        switch (attribute.Kind) {
        case TextToken:
            if (isColor) {
                TopFont().SetColor(color);
                Document.FontColor = color;
            }
            break;
        case LinkAttr:
            if (isColor)
                Document.LinkColor = color;
            break;
        case BgColorAttr:
            if (isColor)
                Document.SetBackgroundColor(color);
            break;
        case BackgroundAttr:
            Document.SetBackgroundImageName(attribute.ValueText);
            break;
        default:
            break;
        }
    }
    EnsureSection(level);
    CurrentScriptPosition = ScriptNormal;
    CurrentSection->ChangeFontAndLink(Document, *FontStack.front(), CurrentStyle, CurrentScriptPosition, nullptr);
}

void THtmlBuilder::ParseDivision(int32_t level, const TTokenSet& stops)
{
    if (!CanNest()) {
        NextToken();
        return;
    }
    TNestingGuard nesting(*this);
    CloseSection();
    const uint8_t outerJustification = Justification;
    if (Token == CenterTag) {
        Justification = JustifyCenter;
    } else if (const TAttribute* align = Attribute(AlignAttr)) {
        if (const uint8_t alignment = ParseAlign(align->ValueText); alignment != JustifyNone)
            Justification = alignment;
    }
    StartSection(level, Justification);
    NextToken();
    ParseBody(level, stops.With({CenterEnd, DivEnd}));
    CloseSection();
    Justification = outerJustification;
    StartSection(level, Justification);
    // Either end tag ends either division.
    if (Token == CenterEnd || Token == DivEnd)
        NextToken();
}

void ParseHtmlBuffer(TSectionList& document, TAnchorList& anchorNames, std::string_view text, TParsedHead& head,
                     const TParseHandlers& handlers)
{
    THtmlBuilder builder(document, anchorNames, head, handlers);
    builder.SetBufferSource(text.data(), text.size());
    builder.ParseHtml();
}

void ParseHtmlFile(TSectionList& document, TAnchorList& anchorNames, const std::string& fileName, TParsedHead& head,
                   const TParseHandlers& handlers)
{
    THtmlBuilder builder(document, anchorNames, head, handlers);
    builder.SetFileSource(fileName);
    try {
        builder.ParseHtml();
    } catch (const EParseError&) {
        // A comment left open ends the page; what was read stays.
    }
}

void ParseTextFile(TSectionList& document, TAnchorList& anchorNames, const std::string& fileName)
{
    TParsedHead head;
    const TParseHandlers noHandlers;
    THtmlBuilder builder(document, anchorNames, head, noHandlers);
    builder.SetFileSource(fileName);
    try {
        builder.ParseText();
    } catch (const EParseError&) {
        // A comment left open ends the text; what was read stays.
    }
}

} // namespace htmlview
