#pragma once
// The fixed words of the HTML dialect the viewer reads: tag and attribute names with their token
// kinds, character entities, colour names, font size steps and the ALIGN/VALIGN keywords.
// Everything here is constant data and pure lookups.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/Canvas.h"

namespace htmlview {

// One token kind for each tag start, each tag end (only the first 48 tags have one), each
// attribute name, and the special kinds. Some attributes share a kind: TEXT is TextToken,
// SELECTED is SelectedTag, WRAP is WrapTag, and both VALUE rows give ValueAttr.
enum class HtmlToken : uint8_t {
    TextToken,       // a run of text or an entity character
    OtherCharToken,  // one character that is neither tag, entity nor text
    UnknownTagToken, // a tag not in the table, or the end form of a tag without end kind
    EndOfInputToken,
    EndOfLineToken,  // only in the text-area and script content modes
    UnknownAttribute,

    // Tags with an end kind, in table order.
    HtmlTag, TitleTag, BodyTag, HeadTag, BTag, ITag, HeadingTag, EmTag, StrongTag, UTag,
    CiteTag, VarTag, TtTag, CodeTag, KbdTag, SampTag, OlTag, UlTag, DirTag, MenuTag, DlTag,
    ATag, AddressTag, BlockquoteTag, PreTag, CenterTag, TableTag, TdTag, ThTag, CaptionTag,
    FormTag, TextAreaTag, SelectTag, OptionTag, FontTag, SubTag, SupTag, BigTag, SmallTag,
    PTag, MapTag, FrameSetTag, NoFramesTag, ScriptTag, DivTag, STag, StrikeTag, TrTag,
    // Tags without an end kind.
    LiTag, BrTag, HrTag, DdTag, DtTag, ImgTag, BaseTag, ButtonTag, InputTag, SelectedTag,
    BaseFontTag, AreaTag, FrameTag, BgSoundTag, WrapTag, MetaTag,

    // End kinds of the first 48 tags, in the same order.
    HtmlEnd, TitleEnd, BodyEnd, HeadEnd, BEnd, IEnd, HeadingEnd, EmEnd, StrongEnd, UEnd,
    CiteEnd, VarEnd, TtEnd, CodeEnd, KbdEnd, SampEnd, OlEnd, UlEnd, DirEnd, MenuEnd, DlEnd,
    AEnd, AddressEnd, BlockquoteEnd, PreEnd, CenterEnd, TableEnd, TdEnd, ThEnd, CaptionEnd,
    FormEnd, TextAreaEnd, SelectEnd, OptionEnd, FontEnd, SubEnd, SupEnd, BigEnd, SmallEnd,
    PEnd, MapEnd, FrameSetEnd, NoFramesEnd, ScriptEnd, DivEnd, SEnd, StrikeEnd, TrEnd,

    // Attribute names with a kind of their own.
    HrefAttr, NameAttr, SrcAttr, AltAttr, AlignAttr, BgColorAttr, LinkAttr, BackgroundAttr,
    ColSpanAttr, RowSpanAttr, BorderAttr, CellPaddingAttr, CellSpacingAttr, VAlignAttr,
    WidthAttr, StartAttr, ValueAttr, TypeAttr, CheckBoxAttr, RadioAttr, MethodAttr,
    ActionAttr, CheckedAttr, SizeAttr, MaxLengthAttr, ColsAttr, RowsAttr, MultipleAttr,
    FaceAttr, ColorAttr, TranspAttr, ClearAttr, IsMapAttr, BorderColorAttr, UseMapAttr,
    ShapeAttr, CoordsAttr, NoHrefAttr, HeightAttr, PlainAttr, TargetAttr, NoResizeAttr,
    ScrollingAttr, HSpaceAttr, LanguageAttr, FrameBorderAttr, MarginWidthAttr,
    MarginHeightAttr, LoopAttr, OnClickAttr, NoShadeAttr, HttpEquivAttr, ContentAttr,
    EncTypeAttr,
};

// Longest tag or attribute name a lookup sees; the scanner drops letters beyond it.
constexpr int MaxTagNameLength = 150;
// Longest entity name the scanner collects.
constexpr int MaxEntityNameLength = 7;

// Start kind of an upper-case tag name, or its end kind for an end tag; UnknownTagToken when the
// name is not a tag or the tag has no end kind.
HtmlToken LookupTag(std::string_view upperName, bool endTag);

// Kind of an upper-case attribute name; UnknownAttribute when the name is not in the table.
HtmlToken LookupAttribute(std::string_view upperName);

// The character an entity name gives, compared case-sensitively ("Eacute" and "eacute" differ).
bool LookupEntity(std::string_view name, unsigned char& character);

// Whether a start tag of this kind keeps its attributes (the attribute list of every other tag
// stays as the last such tag left it).
bool IsAttributeBearing(HtmlToken kind);

// The colour of an upper-case colour name, as a platform colour (blue in the high byte).
bool LookupColorName(std::string_view upperName, platform::TColor& color);

// A colour attribute: a colour name in any case, or a hexadecimal RRGGBB number with or without
// "#". Three digits are not expanded ("FFF" is red 0, green 0x0F, blue 0xFF). Fails for an empty
// text, a text that is no hexadecimal number, or one of more than 8 digits. The caller adds
// platform::PaletteRelative when it stores the colour.
bool ParseColor(const std::string& text, platform::TColor& color);

// Font sizes in twelfths of the document's default size (12 = the default).
constexpr int DefaultBaseFontSize = 3;     // the FONT SIZE step at the start of every parse
constexpr int MinFontStep = 1;
constexpr int MaxFontStep = 7;
constexpr int MonospacedFontSize = 10;     // TT, CODE, KBD, SAMP, PRE and plain text files
constexpr int ParagraphSpaceSize = 14;

// FONT SIZE step 1..7 in proportional and in preformatted text; Step is clamped to 1..7.
int ProportionalFontSize(int step);
int PreformattedFontSize(int step);
// The first step whose proportional size is Size, or 0 when none is.
int FontStepOfSize(int size);

// Headings: level 1..6, or 0 for a heading tag without a level digit.
int HeadingFontSize(int level);
bool HeadingIsBold(int level);
int HeadingSpaceSize(int level); // the space before and after a heading

// Horizontal alignments of text, cells and rules.
constexpr uint8_t JustifyNone = 0;
constexpr uint8_t JustifyLeft = 1;
constexpr uint8_t JustifyCenter = 2;
constexpr uint8_t JustifyRight = 3;
// Vertical alignments of cells.
constexpr uint8_t VAlignTop = 0;
constexpr uint8_t VAlignMiddle = 1;
constexpr uint8_t VAlignBottom = 2;

// ALIGN of P, headings, DIV, TD, TH and TR: "left", "center" or "right" in any case (the value is
// cut to 10 characters first); JustifyNone for anything else.
uint8_t ParseAlign(const std::string& value);
// VALIGN of TD, TH and TR: "top" and "baseline" are top, then "middle" and "bottom"; Default for
// anything else.
uint8_t ParseVAlign(const std::string& value, uint8_t defaultAlign);
// ALIGN of HR: "left" or "right"; anything else centres the rule.
uint8_t ParseRuleAlign(const std::string& value);
// ALIGN of CAPTION: only "bottom" (whole value, any case) puts the caption below the table.
bool IsCaptionBelow(const std::string& value);

} // namespace htmlview
