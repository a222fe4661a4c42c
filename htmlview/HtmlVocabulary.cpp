#include "htmlview/HtmlVocabulary.h"

#include <algorithm>
#include <array>

namespace htmlview {

namespace {

constexpr int TagCount = 64;
constexpr int TagsWithEndCount = 48;

// Row i has the start kind HtmlTag + i and, for the first 48 rows, the end kind HtmlEnd + i.
constexpr std::array<std::string_view, TagCount> TagNames = {
    "HTML", "TITLE", "BODY", "HEAD", "B", "I", "H", "EM", "STRONG", "U", "CITE", "VAR", "TT",
    "CODE", "KBD", "SAMP", "OL", "UL", "DIR", "MENU", "DL", "A", "ADDRESS", "BLOCKQUOTE", "PRE",
    "CENTER", "TABLE", "TD", "TH", "CAPTION", "FORM", "TEXTAREA", "SELECT", "OPTION", "FONT",
    "SUB", "SUP", "BIG", "SMALL", "P", "MAP", "FRAMESET", "NOFRAMES", "SCRIPT", "DIV", "S",
    "STRIKE", "TR",
    "LI", "BR", "HR", "DD", "DT", "IMG", "BASE", "BUTTON", "INPUT", "SELECTED", "BASEFONT",
    "AREA", "FRAME", "BGSOUND", "WRAP", "META",
};

constexpr int Ordinal(HtmlToken kind) { return static_cast<int>(kind); }
static_assert(Ordinal(HtmlToken::TrTag) - Ordinal(HtmlToken::HtmlTag) == TagsWithEndCount - 1);
static_assert(Ordinal(HtmlToken::MetaTag) - Ordinal(HtmlToken::HtmlTag) == TagCount - 1);
static_assert(Ordinal(HtmlToken::TrEnd) - Ordinal(HtmlToken::HtmlEnd) == TagsWithEndCount - 1);

HtmlToken Offset(HtmlToken first, int index)
{
    return static_cast<HtmlToken>(Ordinal(first) + index);
}

struct TAttributeRow {
    std::string_view Name;
    HtmlToken Kind;
};

using enum HtmlToken;

constexpr std::array<TAttributeRow, 58> AttributeRows = {{
    {"HREF", HrefAttr}, {"NAME", NameAttr}, {"SRC", SrcAttr}, {"ALT", AltAttr},
    {"ALIGN", AlignAttr}, {"TEXT", TextToken}, {"BGCOLOR", BgColorAttr}, {"LINK", LinkAttr},
    {"BACKGROUND", BackgroundAttr}, {"COLSPAN", ColSpanAttr}, {"ROWSPAN", RowSpanAttr},
    {"BORDER", BorderAttr}, {"CELLPADDING", CellPaddingAttr},
    {"CELLSPACING", CellSpacingAttr}, {"VALIGN", VAlignAttr}, {"WIDTH", WidthAttr},
    {"START", StartAttr}, {"VALUE", ValueAttr}, {"TYPE", TypeAttr},
    {"CHECKBOX", CheckBoxAttr}, {"RADIO", RadioAttr}, {"METHOD", MethodAttr},
    {"ACTION", ActionAttr}, {"CHECKED", CheckedAttr}, {"SIZE", SizeAttr},
    {"MAXLENGTH", MaxLengthAttr}, {"COLS", ColsAttr}, {"ROWS", RowsAttr},
    {"MULTIPLE", MultipleAttr}, {"VALUE", ValueAttr}, {"SELECTED", SelectedTag},
    {"FACE", FaceAttr}, {"COLOR", ColorAttr}, {"TRANSP", TranspAttr}, {"CLEAR", ClearAttr},
    {"ISMAP", IsMapAttr}, {"BORDERCOLOR", BorderColorAttr}, {"USEMAP", UseMapAttr},
    {"SHAPE", ShapeAttr}, {"COORDS", CoordsAttr}, {"NOHREF", NoHrefAttr},
    {"HEIGHT", HeightAttr}, {"PLAIN", PlainAttr}, {"TARGET", TargetAttr},
    {"NORESIZE", NoResizeAttr}, {"SCROLLING", ScrollingAttr}, {"HSPACE", HSpaceAttr},
    {"LANGUAGE", LanguageAttr}, {"FRAMEBORDER", FrameBorderAttr},
    {"MARGINWIDTH", MarginWidthAttr}, {"MARGINHEIGHT", MarginHeightAttr},
    {"LOOP", LoopAttr}, {"ONCLICK", OnClickAttr}, {"WRAP", WrapTag},
    {"NOSHADE", NoShadeAttr}, {"HTTP-EQUIV", HttpEquivAttr}, {"CONTENT", ContentAttr},
    {"ENCTYPE", EncTypeAttr},
}};

constexpr std::array<HtmlToken, 31> AttributeBearingKinds = {
    BodyTag, PTag, BrTag, HeadingTag, HrTag, BaseTag, OlTag, UlTag, ImgTag, ATag, TableTag,
    TdTag, TrTag, ThTag, CaptionTag, InputTag, FormTag, TextAreaTag, SelectTag, OptionTag,
    FontTag, BaseFontTag, MapTag, AreaTag, FrameSetTag, FrameTag, ScriptTag, DivTag,
    BgSoundTag, WrapTag, MetaTag,
};

// The first four give "&", "<", ">" and '"'; row k from the fifth on gives the character
// 155 + k (counting rows from 1), the Latin-1 characters 160..255 in code order.
constexpr std::array<std::string_view, 100> EntityNames = {
    "amp", "lt", "gt", "quot",
    "nbsp", "iexcl", "cent", "pound", "curren", "yen", "brvbar", "sect", "uml", "copy", "ordf",
    "laquo", "not", "shy", "reg", "macr", "deg", "plusmn", "sup2", "sup3", "acute", "micro",
    "para", "middot", "cedil", "sup1", "ordm", "raquo", "frac14", "frac12", "frac34", "iquest",
    "Agrave", "Aacute", "Acirc", "Atilde", "Auml", "Aring", "AElig", "Ccedil", "Egrave",
    "Eacute", "Ecirc", "Euml", "Igrave", "Iacute", "Icirc", "Iuml", "ETH", "Ntilde", "Ograve",
    "Oacute", "Ocirc", "Otilde", "Ouml", "times", "Oslash", "Ugrave", "Uacute", "Ucirc", "Uuml",
    "Yacute", "THORN", "szlig", "agrave", "aacute", "acirc", "atilde", "auml", "aring", "aelig",
    "ccedil", "egrave", "eacute", "ecirc", "euml", "igrave", "iacute", "icirc", "iuml", "eth",
    "ntilde", "ograve", "oacute", "ocirc", "otilde", "ouml", "divide", "oslash", "ugrave",
    "uacute", "ucirc", "uuml", "yacute", "thorn", "yuml",
};
constexpr std::array<unsigned char, 4> MarkupEntityChars = {'&', '<', '>', '"'};

struct TColorRow {
    std::string_view Name;
    platform::TColor Color; // 0x00BBGGRR
};

constexpr std::array<TColorRow, 16> ColorRows = {{
    {"BLACK", 0x000000}, {"MAROON", 0x000080}, {"GREEN", 0x008000}, {"OLIVE", 0x008080},
    {"NAVY", 0x800000}, {"PURPLE", 0x800080}, {"TEAL", 0x808000}, {"GRAY", 0x808080},
    {"SILVER", 0xC0C0C0}, {"RED", 0x0000FF}, {"LIME", 0x00FF00}, {"YELLOW", 0x00FFFF},
    {"BLUE", 0xFF0000}, {"FUCHSIA", 0xFF00FF}, {"AQUA", 0xFFFF00}, {"WHITE", 0xFFFFFF},
}};

constexpr std::array<int, 7> ProportionalSizes = {8, 10, 12, 14, 18, 24, 36};
constexpr std::array<int, 7> PreformattedSizes = {7, 8, 10, 12, 15, 20, 30};
constexpr std::array<int, 7> HeadingSizes = {12, 24, 18, 15, 12, 10, 8};   // by level 0..6
constexpr std::array<int, 7> HeadingSpaces = {8, 16, 12, 10, 8, 6, 4};     // by level 0..6
constexpr int MaxKeywordLength = 10;
constexpr int MaxHexColorDigits = 8;

int ClampStep(int step)
{
    return std::clamp(step, MinFontStep, MaxFontStep);
}

int ClampLevel(int level)
{
    return std::clamp(level, 0, 6);
}

std::string AsciiLower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::string AsciiUpper(std::string_view text)
{
    std::string upper(text);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

// A keyword value as the ALIGN readers compare it: lower-cased and cut to 10 characters.
std::string Keyword(const std::string& value)
{
    return AsciiLower(std::string_view(value).substr(0, MaxKeywordLength));
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

HtmlToken LookupTag(std::string_view upperName, bool endTag)
{
    const auto found = std::find(TagNames.begin(), TagNames.end(), upperName);
    if (found == TagNames.end())
        return UnknownTagToken;
    const int index = static_cast<int>(found - TagNames.begin());
    if (!endTag)
        return Offset(HtmlTag, index);
    return index < TagsWithEndCount ? Offset(HtmlEnd, index) : UnknownTagToken;
}

HtmlToken LookupAttribute(std::string_view upperName)
{
    for (const TAttributeRow& row : AttributeRows)
        if (row.Name == upperName)
            return row.Kind;
    return UnknownAttribute;
}

bool LookupEntity(std::string_view name, unsigned char& character)
{
    const auto found = std::find(EntityNames.begin(), EntityNames.end(), name);
    if (found == EntityNames.end())
        return false;
    const size_t index = static_cast<size_t>(found - EntityNames.begin());
    character = index < MarkupEntityChars.size() ? MarkupEntityChars[index]
                                                 : static_cast<unsigned char>(156 + index);
    return true;
}

bool IsAttributeBearing(HtmlToken kind)
{
    return std::find(AttributeBearingKinds.begin(), AttributeBearingKinds.end(), kind) !=
           AttributeBearingKinds.end();
}

bool LookupColorName(std::string_view upperName, platform::TColor& color)
{
    for (const TColorRow& row : ColorRows)
        if (row.Name == upperName) {
            color = row.Color;
            return true;
        }
    return false;
}

bool ParseColor(const std::string& text, platform::TColor& color)
{
    if (text.empty())
        return false;
    std::string upper = AsciiUpper(text);
    if (LookupColorName(std::string_view(upper).substr(0, MaxKeywordLength), color))
        return true;
    if (const size_t hash = upper.find('#'); hash != std::string::npos)
        upper.erase(hash, 1);
    // More than 8 digits would not fit the 32-bit value the number is read into.
    if (upper.empty() || upper.size() > MaxHexColorDigits)
        return false;
    uint32_t value = 0;
    for (char c : upper) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return false;
        value = value * 16 + static_cast<uint32_t>(digit);
    }
    const uint32_t red = (value >> 16) & 0xFF;
    const uint32_t green = (value >> 8) & 0xFF;
    const uint32_t blue = value & 0xFF;
    color = static_cast<platform::TColor>(red | (green << 8) | (blue << 16));
    return true;
}

int ProportionalFontSize(int step)
{
    return ProportionalSizes[static_cast<size_t>(ClampStep(step) - 1)];
}

int PreformattedFontSize(int step)
{
    return PreformattedSizes[static_cast<size_t>(ClampStep(step) - 1)];
}

int FontStepOfSize(int size)
{
    const auto found = std::find(ProportionalSizes.begin(), ProportionalSizes.end(), size);
    if (found == ProportionalSizes.end())
        return 0;
    return static_cast<int>(found - ProportionalSizes.begin()) + 1;
}

int HeadingFontSize(int level)
{
    return HeadingSizes[static_cast<size_t>(ClampLevel(level))];
}

bool HeadingIsBold(int level)
{
    return level >= 1 && level <= 6;
}

int HeadingSpaceSize(int level)
{
    return HeadingSpaces[static_cast<size_t>(ClampLevel(level))];
}

uint8_t ParseAlign(const std::string& value)
{
    const std::string keyword = Keyword(value);
    if (keyword == "left")
        return JustifyLeft;
    if (keyword == "center")
        return JustifyCenter;
    if (keyword == "right")
        return JustifyRight;
    return JustifyNone;
}

uint8_t ParseVAlign(const std::string& value, uint8_t defaultAlign)
{
    const std::string keyword = Keyword(value);
    if (keyword == "top" || keyword == "baseline")
        return VAlignTop;
    if (keyword == "middle")
        return VAlignMiddle;
    if (keyword == "bottom")
        return VAlignBottom;
    return defaultAlign;
}

uint8_t ParseRuleAlign(const std::string& value)
{
    const uint8_t align = ParseAlign(value);
    return align == JustifyLeft || align == JustifyRight ? align : JustifyCenter;
}

bool IsCaptionBelow(const std::string& value)
{
    return AsciiLower(value) == "bottom";
}

} // namespace htmlview
