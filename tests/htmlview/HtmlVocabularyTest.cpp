#include "htmlview/HtmlVocabulary.h"

#include <gtest/gtest.h>

using namespace htmlview;
using enum htmlview::HtmlToken;

namespace {

TEST(HtmlVocabulary, TagNamesGiveStartAndEndKinds)
{
    const struct {
        const char* name;
        bool endTag;
        HtmlToken expected;
    } cases[] = {
        {"HTML", false, HtmlTag},        {"HTML", true, HtmlEnd},
        {"H", false, HeadingTag},        {"H", true, HeadingEnd},
        {"TEXTAREA", true, TextAreaEnd}, {"SCRIPT", true, ScriptEnd},
        {"TR", false, TrTag},            {"TR", true, TrEnd}, // last row with an end kind
        {"LI", false, LiTag},            {"META", false, MetaTag},
        // Tags without an end kind: their end forms are unknown tags.
        {"BR", true, UnknownTagToken},   {"LI", true, UnknownTagToken},
        {"IMG", true, UnknownTagToken},  {"META", true, UnknownTagToken},
        // Names are compared upper-case and whole.
        {"b", false, UnknownTagToken},   {"H1", false, UnknownTagToken},
        {"", false, UnknownTagToken},    {"BLINK", false, UnknownTagToken},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LookupTag(c.name, c.endTag), c.expected) << c.name << (c.endTag ? " end" : "");
}

TEST(HtmlVocabulary, AttributeNamesGiveTheirKinds)
{
    const struct {
        const char* name;
        HtmlToken expected;
    } cases[] = {
        {"HREF", HrefAttr},        {"ENCTYPE", EncTypeAttr},     {"HTTP-EQUIV", HttpEquivAttr},
        {"VALUE", ValueAttr},      {"BORDERCOLOR", BorderColorAttr},
        // Attributes that share the kind of a token or a tag.
        {"TEXT", TextToken},       {"SELECTED", SelectedTag},    {"WRAP", WrapTag},
        {"href", UnknownAttribute}, {"CLASS", UnknownAttribute}, {"", UnknownAttribute},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LookupAttribute(c.name), c.expected) << c.name;
}

TEST(HtmlVocabulary, EntitiesAreCaseSensitive)
{
    const struct {
        const char* name;
        int expected; // -1: not an entity
    } cases[] = {
        {"amp", '&'},     {"lt", '<'},       {"gt", '>'},       {"quot", '"'},
        {"nbsp", 160},    {"iexcl", 161},    {"iquest", 191},   {"Agrave", 192},
        {"Eacute", 201},  {"eacute", 233},   {"times", 215},    {"divide", 247},
        {"THORN", 222},   {"thorn", 254},    {"yuml", 255},
        {"AMP", -1},      {"Nbsp", -1},      {"euro", -1},      {"", -1},
    };
    for (const auto& c : cases) {
        unsigned char character = 0;
        const bool found = LookupEntity(c.name, character);
        EXPECT_EQ(found, c.expected >= 0) << c.name;
        if (found) {
            EXPECT_EQ(character, c.expected) << c.name;
        }
    }
}

TEST(HtmlVocabulary, AttributeBearingTags)
{
    for (HtmlToken kind : {BodyTag, PTag, BrTag, HeadingTag, ImgTag, ATag, TdTag, FontTag,
                           BaseFontTag, ScriptTag, WrapTag, MetaTag, OptionTag, AreaTag})
        EXPECT_TRUE(IsAttributeBearing(kind)) << int(kind);
    for (HtmlToken kind : {BTag, PreTag, CenterTag, LiTag, SelectedTag, PEnd, FontEnd,
                           UnknownTagToken, TextToken})
        EXPECT_FALSE(IsAttributeBearing(kind)) << int(kind);
}

TEST(HtmlVocabulary, ColorsByNameAndHexadecimal)
{
    const struct {
        const char* text;
        platform::TColor expected; // 0x00BBGGRR; -1: no colour
    } cases[] = {
        {"red", 0x0000FF},      {"Red", 0x0000FF},       {"#FF0000", 0x0000FF},
        {"ff0000", 0x0000FF},   {"BLUE", 0xFF0000},      {"navy", 0x800000},
        {"Olive", 0x008080},    {"aqua", 0xFFFF00},      {"#123456", 0x563412},
        // Three digits are a number, not a short form.
        {"FFF", 0xFF0F00},      {"12#3456", 0x563412},   {"FFFFFFFF", 0xFFFFFF},
        {"", -1},               {"#", -1},               {"reddish", -1},
        {"#12345G", -1},        {"123456789", -1},       {"#0000000000FF", -1},
    };
    for (const auto& c : cases) {
        platform::TColor color = -1;
        const bool parsed = ParseColor(c.text, color);
        EXPECT_EQ(parsed, c.expected >= 0) << c.text;
        if (parsed) {
            EXPECT_EQ(color, c.expected) << c.text;
        }
    }
}

TEST(HtmlVocabulary, FontSizeSteps)
{
    const int proportional[] = {8, 10, 12, 14, 18, 24, 36};
    const int preformatted[] = {7, 8, 10, 12, 15, 20, 30};
    for (int step = 1; step <= 7; ++step) {
        EXPECT_EQ(ProportionalFontSize(step), proportional[step - 1]) << step;
        EXPECT_EQ(PreformattedFontSize(step), preformatted[step - 1]) << step;
        EXPECT_EQ(FontStepOfSize(proportional[step - 1]), step);
    }
    // Step 3 is the default size, and in preformatted text the monospaced base size.
    EXPECT_EQ(ProportionalFontSize(DefaultBaseFontSize), 12);
    EXPECT_EQ(PreformattedFontSize(DefaultBaseFontSize), MonospacedFontSize);
    EXPECT_EQ(ProportionalFontSize(0), 8);
    EXPECT_EQ(ProportionalFontSize(9), 36);
    EXPECT_EQ(FontStepOfSize(13), 0);
}

TEST(HtmlVocabulary, HeadingSizesAndSpaces)
{
    const struct {
        int level, font, space;
        bool bold;
    } cases[] = {{0, 12, 8, false}, {1, 24, 16, true}, {2, 18, 12, true}, {3, 15, 10, true},
                 {4, 12, 8, true},  {5, 10, 6, true},  {6, 8, 4, true}};
    for (const auto& c : cases) {
        EXPECT_EQ(HeadingFontSize(c.level), c.font) << c.level;
        EXPECT_EQ(HeadingSpaceSize(c.level), c.space) << c.level;
        EXPECT_EQ(HeadingIsBold(c.level), c.bold) << c.level;
    }
}

TEST(HtmlVocabulary, AlignKeywords)
{
    const struct {
        const char* value;
        uint8_t align, rule;
    } cases[] = {
        {"left", JustifyLeft, JustifyLeft},       {"CENTER", JustifyCenter, JustifyCenter},
        {"Right", JustifyRight, JustifyRight},    {"middle", JustifyNone, JustifyCenter},
        {"", JustifyNone, JustifyCenter},          {"centre", JustifyNone, JustifyCenter},
        // Cut to 10 characters before the comparison.
        {"left      x", JustifyNone, JustifyCenter},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseAlign(c.value), c.align) << c.value;
        EXPECT_EQ(ParseRuleAlign(c.value), c.rule) << c.value;
    }
    EXPECT_EQ(ParseVAlign("Top", VAlignMiddle), VAlignTop);
    EXPECT_EQ(ParseVAlign("baseline", VAlignMiddle), VAlignTop);
    EXPECT_EQ(ParseVAlign("MIDDLE", VAlignTop), VAlignMiddle);
    EXPECT_EQ(ParseVAlign("bottom", VAlignMiddle), VAlignBottom);
    EXPECT_EQ(ParseVAlign("center", VAlignBottom), VAlignBottom);
    EXPECT_TRUE(IsCaptionBelow("BOTTOM"));
    EXPECT_FALSE(IsCaptionBelow("top"));
    EXPECT_FALSE(IsCaptionBelow("bottoms"));
}

} // namespace
