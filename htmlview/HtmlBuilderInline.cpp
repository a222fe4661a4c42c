// Text-level markup: text, paragraphs and breaks, styles, fonts, links, anchors and headings.
#include "htmlview/HtmlBuilderState.h"
#include "htmlview/Section.h"
#include "htmlview/SectionList.h"
#include "htmlview/SpacingSections.h"
#include "platform/TextTrim.h"

#include <algorithm>

namespace htmlview {

using enum HtmlToken;

namespace {

constexpr size_t MaxFaceLength = 50;

} // namespace

void THtmlBuilder::ParseInline(int32_t level)
{
    switch (Token) {
    case TextToken:
        EnsureSection(level);
        CurrentSection->AppendText(TokenText);
        break;
    case PTag:
    case PEnd:
        ParseParagraph(level);
        return;
    case BrTag:
        ParseBreak(level);
        break;
    case SubTag:
    case SupTag:
        EnsureSection(level);
        CurrentScriptPosition = Token == SubTag ? ScriptSubscript : ScriptSuperscript;
        ChangeFont();
        break;
    case SubEnd:
    case SupEnd:
        CurrentScriptPosition = ScriptNormal;
        ChangeFont();
        break;
    case TtTag:
    case CodeTag:
    case KbdTag:
    case SampTag:
        if (PushFont()) {
            SetMonospaced(TopFont());
            ChangeFont();
        }
        break;
    case TtEnd:
    case CodeEnd:
    case KbdEnd:
    case SampEnd:
    case FontEnd:
    case BigEnd:
    case SmallEnd:
        // Each pops one font, whichever tag pushed it.
        PopFont();
        ChangeFont();
        break;
    case FontTag:
    case BaseFontTag:
        if (ApplyFontTag(Token, false))
            ChangeFont();
        break;
    case BigTag:
    case SmallTag:
        if (ApplyBigSmall(Token))
            ChangeFont();
        break;
    case AddressTag:
        CloseSection();
        PushFont();
        TopFont().SetStyle(TopFont().Style() | platform::fsItalic);
        StartSection(level, Justification);
        break;
    case AddressEnd:
        CloseSection();
        PopFont();
        break;
    case ATag:
        ParseAnchorTag(level, nullptr);
        break;
    case AEnd:
        EndLink();
        break;
    case HeadingTag:
        ParseHeading(level);
        break;
    case HeadingEnd:
        ParseHeadingEnd();
        break;
    case PreTag:
        ReadPreformatted(level, true);
        return;
    case TableTag:
        ParseTable(level);
        return;
    default:
        if (!ParseObjectTag(level, nullptr) && ApplyStyleTag(Token))
            ChangeFont();
        break;
    }
    NextToken();
}

bool THtmlBuilder::ParseObjectTag(int32_t level, std::string* pendingLine)
{
    switch (Token) {
    case ImgTag:
    case InputTag:
    case SelectTag:
    case TextAreaTag:
        // The object stands after the text read so far.
        if (pendingLine)
            AppendLine(*pendingLine);
        if (Token == ImgTag) {
            EnsureSection(level);
            AddImage();
        } else {
            AddFormControl(level);
        }
        return true;
    case FormTag:
    case FormEnd:
        ParseFormTag();
        return true;
    case MapTag:
        ParseMap();
        return true;
    case ScriptTag:
        ParseScript();
        return true;
    default:
        return false;
    }
}

void THtmlBuilder::ParseParagraph(int32_t level)
{
    CloseSection();
    if (!ParagraphSpaceDone)
        CurrentCell->AppendSection(std::make_unique<TParagraphSpace>());
    // A run of P and /P tags gives one space; the last one's ALIGN holds.
    uint8_t alignment = Justification;
    do {
        SkipWhiteSpace();
        alignment = ParagraphAlign();
        ParagraphSpaceDone = true;
        NextToken();
    } while (Token == PTag || Token == PEnd);
    StartSection(level, alignment);
}

void THtmlBuilder::ParseBreak(int32_t level)
{
    // An empty line between two breaks keeps its height.
    const uint8_t alignment = CurrentSection ? CurrentSection->EnsureText() : Justification;
    CloseSection();
    StartSection(level, alignment);
    CurrentSection->SetClear(AttributeList);
}

uint8_t THtmlBuilder::ParagraphAlign() const
{
    if (Token == PEnd)
        return Justification;
    const TAttribute* align = Attribute(AlignAttr);
    const uint8_t alignment = align ? ParseAlign(align->ValueText) : JustifyNone;
    return alignment == JustifyNone ? Justification : alignment;
}

bool THtmlBuilder::ApplyStyleTag(HtmlToken token)
{
    using platform::TFontStyles;
    TFontStyles add = 0;
    TFontStyles remove = 0;
    switch (token) {
    case BTag: case StrongTag: add = platform::fsBold; break;
    case BEnd: case StrongEnd: remove = platform::fsBold; break;
    case ITag: case EmTag: case CiteTag: case VarTag: add = platform::fsItalic; break;
    case IEnd: case EmEnd: case CiteEnd: case VarEnd: remove = platform::fsItalic; break;
    case UTag: add = platform::fsUnderline; break;
    case UEnd: remove = platform::fsUnderline; break;
    case STag: case StrikeTag: add = platform::fsStrikeOut; break;
    case SEnd: case StrikeEnd: remove = platform::fsStrikeOut; break;
    default: return false;
    }
    // Not counted: one end tag removes the style however often it was added.
    CurrentStyle = static_cast<TFontStyles>((CurrentStyle | add) & ~remove);
    return true;
}

bool THtmlBuilder::ApplyFontTag(HtmlToken token, bool preformatted)
{
    const bool isFont = token == FontTag;
    int step = 0;
    platform::TColor color = 0;
    bool hasColor = false;
    std::string face;
    for (int i = 0; i < AttributeList.Count(); ++i) {
        const TAttribute& attribute = *AttributeList[i];
        if (attribute.Kind == SizeAttr) {
            int64_t size = attribute.ValueNumber;
            const std::string& text = attribute.ValueText;
            if (text.size() >= 2 && (text[0] == '+' || text[0] == '-'))
                size += BaseFontSize;
            step = static_cast<int>(std::clamp<int64_t>(size, MinFontStep, MaxFontStep));
            if (!isFont)
                BaseFontSize = step;
        } else if (isFont && attribute.Kind == ColorAttr) {
            hasColor = ParseColor(attribute.ValueText, color) || hasColor;
        } else if (isFont && attribute.Kind == FaceAttr && !attribute.ValueText.empty()) {
            std::string name = attribute.ValueText.substr(0, MaxFaceLength);
            name = platform::TrimControlAndSpace(name.substr(0, name.find(',')));
            if (!name.empty())
                face = name;
        }
    }
    // BASEFONT changes the font only at the very start of the page.
    if (!isFont && (CurrentCell != &Document || Document.Count() > 0))
        return false;
    // Every FONT pushes one font when there is room, so its end tag balances it.
    if (!PushFont() || (step == 0 && !hasColor && face.empty()))
        return false;
    TMyFont& font = TopFont();
    if (hasColor)
        font.SetColor(color | platform::PaletteRelative);
    if (step != 0)
        font.SetRelativeSize(Document, preformatted ? PreformattedFontSize(step) : ProportionalFontSize(step));
    if (!face.empty())
        font.SetName(face);
    return true;
}

bool THtmlBuilder::ApplyBigSmall(HtmlToken token)
{
    int step = FontStepOfSize(TopFont().RelativeSize);
    if (token == BigTag && step >= MinFontStep && step < MaxFontStep)
        ++step;
    else if (token == SmallTag && step > MinFontStep)
        --step;
    else
        return false;
    if (!PushFont())
        return false;
    TopFont().SetRelativeSize(Document, ProportionalFontSize(step));
    return true;
}

void THtmlBuilder::ParseAnchorTag(int32_t level, std::string* pendingLine)
{
    const TAttribute* target = Attribute(TargetAttr);
    for (int i = 0; i < AttributeList.Count(); ++i) {
        const TAttribute& attribute = *AttributeList[i];
        if (attribute.Kind == NameAttr && !attribute.ValueText.empty()) {
            EnsureSection(level);
            AddAnchor(attribute.ValueText);
        } else if (attribute.Kind == HrefAttr) {
            if (pendingLine)
                AppendLine(*pendingLine);
            if (InLink)
                EndLink();
            const bool opens = !attribute.ValueText.empty();
            if (opens) {
                CurrentLink.SetLink(&attribute.ValueText, target ? &target->ValueText : nullptr);
                InLink = true;
                PushFont();
                TopFont().SetStyle(TopFont().Style() | platform::fsUnderline);
                TopFont().SetColor(Document.LinkColor | platform::PaletteRelative);
            }
            if (opens || pendingLine)
                ChangeFontAndLink(true);
        }
    }
}

void THtmlBuilder::ParseHeading(int32_t level)
{
    // With the font stack full the heading is passed over whole.
    if (FontStack.size() >= MaxFonts)
        return;
    CloseSection();
    auto font = std::make_unique<TMyFont>();
    font->Assign(TopFont());
    font->SetRelativeSize(Document, HeadingFontSize(HeadingLevel));
    if (HeadingIsBold(HeadingLevel))
        font->SetStyle(font->Style() | platform::fsBold);
    FontStack.push_back(std::move(font));
    CurrentCell->AppendSection(std::make_unique<THeadingSpace>(HeadingLevel));
    StartSection(level, ParagraphAlign());
}

void THtmlBuilder::ParseHeadingEnd()
{
    if (FontStack.size() <= 1)
        return;
    CloseSection();
    CurrentCell->AppendSection(std::make_unique<THeadingSpace>(HeadingLevel));
    PopFont();
}

} // namespace htmlview
